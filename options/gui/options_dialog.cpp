#include "options/gui/options_dialog.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <algorithm>

#include "app/messages.h"
#include "app/options_record.h"
#include "options/gui/hot_key_edit.h"
#include "platform/message_box.h"
#include "platform/platform_info.h"
#include "ui/full_screen_dialog.h"
#include "ui/ui_font.h"

namespace {

constexpr char kTitle[] = "Lexicove Options";
constexpr char kCountMessage[] = "Please enter number of word";
constexpr int kExtensionLength = 4;  // ".dwg"
// The edit boxes read at most this many characters as their number.
constexpr int kNumberCharacters = 4;
constexpr int kCountLength = 2;
constexpr int kLimitLength = 3;

// Sizes in units, times the display scale: the handheld's screen upright or turned.
constexpr int kPortraitWidth = 240;
constexpr int kPortraitHeight = 320;
constexpr int kLandscapeWidth = 320;
constexpr int kLandscapeHeight = 240;
constexpr int kHeaderHeight = 26;  // the title and its rule
constexpr int kIndent = 12;        // controls under a group label
constexpr int kSpacing = 2;        // between the rows of a group

QCheckBox* MakeCheckBox(int id, QWidget* parent) {
    auto* box = new QCheckBox(parent);
    box->setObjectName(QString::number(id));
    return box;
}

QLineEdit* MakeNumberEdit(int id, int length, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::number(id));
    edit->setMaxLength(length);
    // Room for the characters it takes, and the frame around them.
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QString(length + 2, u'0')) +
                        edit->fontMetrics().height());
    return edit;
}

QComboBox* MakeSourceList(int id, QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::number(id));
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMinimumContentsLength(12);
    return list;
}

QLabel* MakeGroupLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

// A number typed into an edit box: the first kNumberCharacters characters, as a whole decimal
// number; 0 when they are none (0 lies outside both ranges).
int ReadNumber(const QLineEdit* edit) {
    bool ok = false;
    const int number = edit->text().left(kNumberCharacters).trimmed().toInt(&ok, 10);
    return ok ? number : 0;
}

// The word-list file chosen in a source list: empty for the dictionary and when nothing is
// chosen.
QString ChosenFileName(const QComboBox* list) {
    return list->currentIndex() < 0 ? QString() : list->currentData().toString();
}

void StoreSource(const QComboBox* list, COptionsRecord* options, bool study) {
    if (list->currentIndex() < 0) {
        return;  // a list without a choice leaves its field alone
    }
    const std::u16string name = ChosenFileName(list).toStdU16String();
    // The lists hold only names that fit the field.
    if (study) {
        options->SetStudySource(name);
    } else {
        options->SetRandomSource(name);
    }
}

QHBoxLayout* Row(QWidget* first, QWidget* second, bool stretch = true) {
    auto* row = new QHBoxLayout;
    row->addWidget(first);
    row->addWidget(second);
    if (stretch) {
        row->addStretch();
    }
    return row;
}

QVBoxLayout* Group(QLabel* label, int scale) {
    auto* group = new QVBoxLayout;
    group->setSpacing(kSpacing * scale);
    group->addWidget(label);
    return group;
}

// Controls under a group label sit a little to the right of it.
QVBoxLayout* Indented(int scale) {
    auto* controls = new QVBoxLayout;
    controls->setContentsMargins(kIndent * scale, 0, 0, 0);
    controls->setSpacing(kSpacing * scale);
    return controls;
}

}  // namespace

COptionsDialog::COptionsDialog(COptionsRecord* options, MessageSender sender, bool landscape,
                               QWidget* parent, const std::string& folder)
    : QDialog(parent),
      options_(options),
      sender_(std::move(sender)),
      landscape_(landscape),
      folder_(QString::fromStdString(folder)) {
    setObjectName(QStringLiteral("optionsDialog"));
    setWindowTitle(QString::fromLatin1(kTitle));
    setModal(true);
    CreateControls();
    if (landscape_) {
        LayOutLandscape();
    } else {
        LayOutPortrait();
    }
    InitDialog();
    Fit();
}

void COptionsDialog::Fit() {
    // The handheld's screen, or larger when the controls need more room.
    layout()->invalidate();
    layout()->activate();
    const QMargins margins = layout()->contentsMargins();
    const int width = std::max(baseSize_.width(), layout()->totalMinimumSize().width());
    hotKey_->FitNoteTo(width - margins.left() - margins.right());
    layout()->invalidate();
    layout()->activate();
    resize(width, std::max(baseSize_.height(), layout()->totalSizeHint().height()));
}

void COptionsDialog::CreateControls() {
    keepSpaces_ = MakeCheckBox(IDC_KEEP_SPACES, this);
    keepSpaces_->setText(QStringLiteral("Don't ignore spaces"));
    keepNonAlphanumeric_ = MakeCheckBox(IDC_KEEP_NON_ALPHANUMERIC, this);
    keepNonAlphanumeric_->setText(QStringLiteral("Don't ignore Non-Alphanumeric"));
    resultLimit_ = MakeNumberEdit(IDC_RESULT_LIMIT, kLimitLength, this);
    addStudyWords_ = MakeCheckBox(IDC_ADD_STUDY_WORDS, this);
    addStudyWords_->setText(landscape_ ? QStringLiteral("Add to study list")
                                       : QStringLiteral("Add to study list from:"));
    studySource_ = MakeSourceList(IDC_STUDY_SOURCE, this);
    studyWordCount_ = MakeNumberEdit(IDC_STUDY_WORD_COUNT, kCountLength, this);
    studyWordCount_->setAlignment(Qt::AlignRight);
    showRandomWords_ = MakeCheckBox(IDC_SHOW_RANDOM_WORDS, this);
    showRandomWords_->setText(landscape_ ? QStringLiteral("Show random words from:")
                                         : QStringLiteral("Show random words"));
    randomSource_ = MakeSourceList(IDC_RANDOM_SOURCE, this);
    addNow_ = new QPushButton(QStringLiteral("Add Now"), this);
    addNow_->setObjectName(QString::number(IDC_ADD_NOW));
    addNow_->setAutoDefault(false);
    clearList_ = new QPushButton(QStringLiteral("Clear List"), this);
    clearList_->setObjectName(QString::number(IDC_CLEAR_LIST));
    clearList_->setAutoDefault(false);
    searchGroup_ = MakeGroupLabel("searchGroup", this);
    searchGroup_->setText(landscape_ ? QStringLiteral("Word Search Options:")
                                     : QStringLiteral("Word Search:"));
    studyGroup_ = MakeGroupLabel("studyGroup", this);
    studyGroup_->setText(landscape_ ? QStringLiteral("Study List Options:")
                                    : QStringLiteral("Study Assistance:"));
    hotKeyGroup_ = MakeGroupLabel("hotKeyGroup", this);
    hotKeyGroup_->setText(QStringLiteral("Hot Key (look up the selection):"));
    hotKey_ = new CHotKeyEdit(this);
    connect(addNow_, &QPushButton::clicked, this, &COptionsDialog::OnAddNow);
    connect(clearList_, &QPushButton::clicked, this, &COptionsDialog::OnClearList);
}

void COptionsDialog::LayOutPortrait() {
    const int scale = GetDisplayScale();
    auto* search = Group(searchGroup_, scale);
    auto* searchControls = Indented(scale);
    searchControls->addWidget(keepSpaces_);
    searchControls->addWidget(keepNonAlphanumeric_);
    searchControls->addLayout(Row(new QLabel(QStringLiteral("Stop at:"), this), resultLimit_));
    search->addLayout(searchControls);

    auto* study = Group(studyGroup_, scale);
    auto* studyControls = Indented(scale);
    studyControls->addWidget(addStudyWords_);
    studyControls->addWidget(studySource_);
    studyControls->addLayout(
        Row(studyWordCount_, new QLabel(QStringLiteral("new words every day"), this)));
    studyControls->addLayout(Row(addNow_, clearList_));
    studyControls->addWidget(showRandomWords_);
    studyControls->addWidget(randomSource_);
    study->addLayout(studyControls);
    auto* hotKey = Group(hotKeyGroup_, scale);
    hotKey->addWidget(hotKey_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &COptionsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(layout->contentsMargins() +
                               QMargins(0, kHeaderHeight * scale, 0, 0));
    layout->addLayout(search);
    layout->addLayout(study);
    layout->addLayout(hotKey);
    layout->addStretch();
    layout->addWidget(buttons);
    baseSize_ = QSize(kPortraitWidth * scale, kPortraitHeight * scale);
}

void COptionsDialog::LayOutLandscape() {
    const int scale = GetDisplayScale();
    // Left: the search options and the word of the day; right: the Study List.
    auto* left = Group(searchGroup_, scale);
    auto* searchControls = Indented(scale);
    searchControls->addWidget(keepSpaces_);
    searchControls->addWidget(keepNonAlphanumeric_);
    searchControls->addLayout(Row(new QLabel(QStringLiteral("Stop at:"), this), resultLimit_));
    left->addLayout(searchControls);
    left->addWidget(showRandomWords_);
    left->addWidget(randomSource_);
    left->addStretch();

    auto* right = Group(studyGroup_, scale);
    auto* studyControls = Indented(scale);
    studyControls->addWidget(addStudyWords_);
    studyControls->addWidget(studySource_);
    studyControls->addLayout(
        Row(studyWordCount_, new QLabel(QStringLiteral("new words every day"), this)));
    studyControls->addLayout(Row(addNow_, clearList_));
    right->addLayout(studyControls);
    right->addStretch();

    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &COptionsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(layout->contentsMargins() +
                               QMargins(0, kHeaderHeight * scale, 0, 0));
    layout->addLayout(columns, 1);
    auto* hotKey = Group(hotKeyGroup_, scale);
    hotKey->addWidget(hotKey_);
    layout->addLayout(hotKey);
    layout->addWidget(buttons);
    baseSize_ = QSize(kLandscapeWidth * scale, kLandscapeHeight * scale);
}

void COptionsDialog::FillWordListCombo(QComboBox* list, const std::u16string& storedName,
                                       const QString& folder) {
    list->clear();
    list->addItem(QString::fromLatin1(BUILT_IN_DICTIONARY), QString());
    list->setCurrentIndex(0);
    QStringList names = WordListFiles(folder);
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    const QString stored = QString::fromStdU16String(storedName);
    for (const QString& name : names) {
        // A longer name could not be stored: choosing it would store another file's name.
        if (name.size() > static_cast<qsizetype>(OPTION_TEXT_MAX_LENGTH)) {
            continue;
        }
        list->addItem(name.chopped(kExtensionLength), name);
        if (!stored.isEmpty() && name.compare(stored, Qt::CaseInsensitive) == 0) {
            list->setCurrentIndex(list->count() - 1);
        }
    }
}

void COptionsDialog::InitDialog() {
    FillWordListCombo(studySource_, options_->StudySource(), folder_);
    FillWordListCombo(randomSource_, options_->RandomSource(), folder_);
    keepSpaces_->setChecked(options_->KeepSpaces());
    keepNonAlphanumeric_->setChecked(options_->KeepNonAlphanumerics());
    addStudyWords_->setChecked(options_->AddStudyWords());
    showRandomWords_->setChecked(options_->ShowRandomWords());
    studyWordCount_->setText(QString::number(options_->StudyWordCount()));
    resultLimit_->setText(QString::number(options_->ResultLimit()));
    // The handheld raised its input panel for the edit boxes here; a desktop has its keyboard.
}

void COptionsDialog::accept() {
    options_->SetKeepSpaces(keepSpaces_->isChecked());
    options_->SetKeepNonAlphanumerics(keepNonAlphanumeric_->isChecked());
    options_->SetAddStudyWords(addStudyWords_->isChecked());
    options_->SetShowRandomWords(showRandomWords_->isChecked());
    // Numbers outside their ranges are refused by the setters: the old values stay.
    options_->SetStudyWordCount(ReadNumber(studyWordCount_));
    options_->SetResultLimit(ReadNumber(resultLimit_));
    StoreSource(studySource_, options_, true);
    StoreSource(randomSource_, options_, false);
    QDialog::accept();
}

void COptionsDialog::SetHotKey(const QKeySequence& key, const QString& note) {
    hotKey_->SetKey(key);
    hotKey_->SetNote(note);
    Fit();  // the note takes lines of its own
}

QKeySequence COptionsDialog::HotKey() const {
    return hotKey_->Key();
}

void COptionsDialog::OnClearList() {
    if (sender_) {
        sender_(WM_CLEAR_LIST, LIST_STUDY, 0);
    }
}

void COptionsDialog::OnAddNow() {
    const std::u16string name = ChosenFileName(studySource_).toStdU16String();
    const int count = ReadNumber(studyWordCount_);
    if (count < STUDY_WORD_COUNT_MIN || count > STUDY_WORD_COUNT_MAX) {
        ReportError(QString::fromLatin1(kCountMessage));
        return;
    }
    if (sender_) {
        sender_(WM_ADD_STUDY_WORDS, count, reinterpret_cast<intptr_t>(name.c_str()));
    }
}

void COptionsDialog::ReportError(const QString& text) {
    if (messageBox_) {
        messageBox_(text);
    } else {
        ShowErrorBox(this, text);
    }
}

void COptionsDialog::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    DrawHeader(painter, width(), windowTitle(), true);
}

void COptionsDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    InitFullScreenDialog(this, true);
}
