#include "frame/search_panel.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QSlider>
#include <QValidator>
#include <algorithm>
#include <array>
#include <string_view>

#include "app/code_page.h"
#include "app/messages.h"
#include "app/options_record.h"
#include "app/program_folder.h"
#include "frame/meaning_search_box.h"
#include "frame/painted_area_accessible.h"
#include "frame/search_panel_owner.h"
#include "platform/message_poster.h"
#include "platform/platform_info.h"
#include "search/search_index.h"
#include "ui/context_edit.h"
#include "ui/html_display.h"
#include "ui/resource_images.h"
#include "ui/ui_font.h"

namespace {

constexpr char16_t kEnter = 13;
constexpr char16_t kBackspace = 8;

// Layout, in units.
constexpr int kBoxMargin = 48;  // the width that is not boxes, for the box count
constexpr int kHtmlTop = 58;
constexpr int kSymbolSize = 12;
constexpr int kBoxFontHeight = 17;
constexpr int kLabelFontHeight = 12;
constexpr int kMeaningFontHeight = 14;
constexpr int kMeaningBoxHeight = 20;
constexpr int kMeaningBoxGap = 4;

struct SymbolEntry {
    std::string_view name;
    int bitmap;
};

constexpr std::array<SymbolEntry, 5> kSymbols = {{
    {"c_quest.gif", IDB_SYMBOL_QUEST},
    {"c_star.gif", IDB_SYMBOL_STAR},
    {"c_square.gif", IDB_SYMBOL_SQUARE},
    {"c_round.gif", IDB_SYMBOL_ROUND},
    {"c_turt.gif", IDB_SYMBOL_BRACE},
}};

// The capital of a character when the 8-bit code page holds it ("µ" has none there), else the
// character itself.
QChar ToUpperInCodePage(QChar ch) {
    unsigned char code = 0;
    const QChar upper = ch.toUpper();
    return Utf16CharToCodePage(upper.unicode(), &code) ? upper : ch;
}

// Shows every typed or pasted letter of the edit box as its capital, one code unit for one.
class CUpperCaseValidator : public QValidator {
  public:
    using QValidator::QValidator;

    State validate(QString& input, int&) const override {
        for (QChar& c : input) {
            c = ToUpperInCodePage(c);
        }
        return Acceptable;
    }
};

// Control characters, pattern characters other than "?", and characters that the 8-bit code
// page does not hold (a box holds one byte of the query).
bool IsIgnoredChar(char16_t ch) {
    unsigned char code = 0;
    if (ch < 32 || ch == 127 || !Utf16CharToCodePage(ch, &code)) {
        return true;
    }
    return ch != CSearchPanel::OPEN_BOX && ch < 128 &&
           CSearchIndex::IsPatternChar(static_cast<uint8_t>(ch));
}

}  // namespace

CSearchPanel::CSearchPanel(ISearchPanelOwner* owner, QWidget* parent)
    : QWidget(parent),
      owner_(owner),
      edit_(new CContextEdit(this)),
      meaningBox_(new CMeaningSearchBox(MAX_QUERY_LENGTH, this)),
      slider_(new QSlider(Qt::Horizontal, this)),
      label_(new QLabel(this)),
      html_(new CHtmlDisplay(this)) {
    const int scale = GetDisplayScale();
    setObjectName(QStringLiteral("searchPanel"));
    setAccessibleName(QStringLiteral("Search letters"));
    setWindowTitle(QStringLiteral("Word Search"));
    setFocusPolicy(Qt::StrongFocus);
    // The panel is a window of its own: its background is erased before each paint, so nothing
    // of the views it covers shows through between the controls.
    ApplyBackground();
    setAutoFillBackground(true);

    boxFont_.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"),
                          QStringLiteral("DejaVu Sans Mono")});
    boxFont_.setPixelSize(kBoxFontHeight * scale);
    boxFont_.setWeight(QFont::Normal);

    edit_->setObjectName(QStringLiteral("searchEdit"));
    edit_->setAccessibleName(QStringLiteral("Search pattern"));
    edit_->setFont(boxFont_);
    edit_->setMaxLength(MAX_QUERY_LENGTH);
    edit_->setValidator(new CUpperCaseValidator(edit_));
    edit_->setText(QString::fromStdU16String(query_));
    connect(edit_, &QLineEdit::returnPressed, this, [this] { RunCommand(ID_OK); });

    meaningBox_->SetBoxFont(CreateUiFont(kMeaningFontHeight, false));
    connect(meaningBox_, &CMeaningSearchBox::searchRequested, this, [this] { RunCommand(ID_OK); });

    slider_->setObjectName(QStringLiteral("searchSlider"));
    slider_->setAccessibleName(QStringLiteral("Word length"));
    slider_->setTickPosition(QSlider::TicksBelow);
    slider_->setTickInterval(1);
    slider_->setSingleStep(1);
    slider_->setPageStep(1);
    connect(slider_, &QSlider::valueChanged, this, &CSearchPanel::OnSliderMoved);

    label_->setObjectName(QStringLiteral("searchLabel"));
    label_->setAlignment(Qt::AlignCenter);
    label_->setFont(CreateUiFont(kLabelFontHeight, false));

    html_->setObjectName(QStringLiteral("searchHtml"));
    html_->setAccessibleName(QStringLiteral("Search help"));
    html_->SetImageProvider(&CSearchPanel::SymbolImage);
    connect(html_, &CHtmlDisplay::linkTapped, this, &CSearchPanel::OnLinkTapped);

    const bool highResolution = scale == 2;
    buttonNormal_.LoadPlain(IDB_SEARCH_BUTTON, highResolution);
    buttonPressed_.LoadPlain(IDB_SEARCH_BUTTON_PRESSED, highResolution);
    searchButton_.Create(QRect(0, 0, buttonNormal_.Width(), buttonNormal_.Height()), this,
                         ID_SEARCH, false);

    Layout();
    SetMode(SEARCH_TAB_PUZZLE, true);
    InstallPaintedAreaAccessibility(this);
}

CSearchPanel::~CSearchPanel() = default;

void CSearchPanel::SetMode(int mode, bool force) {
    if (mode < 0 || mode >= SEARCH_TAB_COUNT || (mode == mode_ && !force) ||
        (mode == SEARCH_TAB_MEANING && !meaningAvailable_)) {
        return;
    }
    mode_ = mode;
    cursor_ = 0;
    ShowModeInput();
    update();
    UpdateHtmlArea();
}

void CSearchPanel::SetMeaningAvailable(bool available) {
    meaningAvailable_ = available;
    if (!available && mode_ == SEARCH_TAB_MEANING) {
        SetMode(SEARCH_TAB_PUZZLE);
    }
}

void CSearchPanel::ShowModeInput() {
    const bool meaning = mode_ == SEARCH_TAB_MEANING;
    const bool editMode = !IsBoxMode() && !meaning;
    QWidget* input = meaning ? static_cast<QWidget*>(meaningBox_) : edit_;
    const bool inputHadFocus = edit_->hasFocus() || meaningBox_->isAncestorOf(focusWidget());
    edit_->setEnabled(editMode);
    edit_->setVisible(editMode);
    meaningBox_->setEnabled(meaning);
    meaningBox_->setVisible(meaning);
    slider_->setVisible(IsBoxMode());
    label_->setVisible(IsBoxMode());
    if (IsBoxMode()) {
        setFocusProxy(nullptr);
        if (inputHadFocus) {
            setFocus();
        }
        UpdateSlider();
    } else {
        setFocusProxy(input);
        input->setFocus();
        edit_->selectAll();
    }
}

const std::u16string& CSearchPanel::Letters() const {
    static const std::u16string kNone;
    if (mode_ == SEARCH_TAB_PUZZLE) {
        return puzzleLetters_;
    }
    return mode_ == SEARCH_TAB_ANAGRAM ? anagramLetters_ : kNone;
}

std::u16string& CSearchPanel::MutableLetters() {
    return mode_ == SEARCH_TAB_ANAGRAM ? anagramLetters_ : puzzleLetters_;
}

char16_t CSearchPanel::KeyChar(const QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return kEnter;
        case Qt::Key_Backspace:
            return kBackspace;
        default:
            break;
    }
    const QString text = event->text();
    return text.size() == 1 ? text.at(0).unicode() : 0;
}

bool CSearchPanel::RouteKey(QKeyEvent* event) {
    if (event->type() != QEvent::KeyPress || hasFocus()) {
        return false;
    }
    if (HandleKey(event->key())) {
        return true;
    }
    const char16_t ch = KeyChar(event);
    if (ch != 0) {
        HandleChar(ch);
    }
    return false;
}

void CSearchPanel::HandleChar(char16_t ch) {
    if (!IsBoxMode()) {
        return;
    }
    if (ch == kEnter) {
        StartSearch();
        return;
    }
    if (ch == u' ' && !GetOptionsRecord().KeepSpaces()) {
        return;
    }
    std::u16string& letters = MutableLetters();
    const int before = static_cast<int>(letters.size());
    if (ch == kBackspace) {
        if (cursor_ == 0) {
            return;
        }
        --cursor_;
        if (cursor_ < before) {
            letters.erase(static_cast<size_t>(cursor_), 1);
        }
    } else if (IsIgnoredChar(ch)) {
        return;
    } else {
        if (before < cursor_ + 1) {
            letters.resize(static_cast<size_t>(cursor_) + 1, OPEN_BOX);
        }
        letters[static_cast<size_t>(cursor_)] = ToUpperInCodePage(QChar(ch)).unicode();
        if (cursor_ < boxCount_ - 1) {
            ++cursor_;
        }
    }
    if (mode_ == SEARCH_TAB_ANAGRAM && lengthCriterion_ == before) {
        lengthCriterion_ = static_cast<int>(letters.size());
    }
    UpdateSlider();
    update();
}

bool CSearchPanel::HandleKey(int qtKey) {
    if (!IsBoxMode()) {
        return false;
    }
    std::u16string& letters = MutableLetters();
    const int length = static_cast<int>(letters.size());
    switch (qtKey) {
        case Qt::Key_Left:
            if (cursor_ > 0) {
                --cursor_;
            }
            break;
        case Qt::Key_Right:
            if (cursor_ < boxCount_ - 1 && cursor_ < length) {
                ++cursor_;
            }
            break;
        case Qt::Key_Delete:
            if (cursor_ < length) {
                letters.erase(static_cast<size_t>(cursor_), 1);
                UpdateSlider();
            }
            break;
        default:
            return false;
    }
    update();
    return true;
}

bool CSearchPanel::RunCommand(int command) {
    if (command == ID_OK || command == ID_SEARCH) {
        StartSearch();
        return true;
    }
    if (command >= ID_MODE_PUZZLE && command < ID_MODE_PUZZLE + SEARCH_TAB_COUNT) {
        SetMode(command - ID_MODE_PUZZLE);
        return true;
    }
    return false;
}

bool CSearchPanel::StartSearch() {
    if (mode_ == SEARCH_TAB_MEANING) {
        return StartMeaningSearch();
    }
    std::u16string text;
    if (IsBoxMode()) {
        text = Letters();
    } else {
        text = edit_->text().left(MAX_QUERY_LENGTH).toStdU16String();
    }
    const std::u16string query = FormatSearchQuery(mode_, text, lengthCriterion_);
    if (query.empty()) {
        return false;
    }
    query_ = query;
    const uint32_t message = mode_ == SEARCH_TAB_PHONETIC ? WM_SEARCH_PHONETIC : WM_SEARCH_PATTERN;
    return owner_ != nullptr && owner_->SendSearch(message, wordListPath_, query_);
}

bool CSearchPanel::StartMeaningSearch() {
    const QString description = meaningBox_->Description().left(MAX_QUERY_LENGTH);
    const std::u16string query =
        FormatSearchQuery(mode_, description.toStdU16String(), SEARCH_LENGTH_ANY);
    if (query.empty()) {
        return false;
    }
    query_ = query;
    const QString pattern = meaningBox_->Pattern().left(MAX_QUERY_LENGTH);
    return owner_ != nullptr &&
           owner_->SendMeaningSearch(
               query_,
               FormatSearchQuery(SEARCH_TAB_WILDCARD, pattern.toStdU16String(), SEARCH_LENGTH_ANY));
}

void CSearchPanel::OnSliderMoved(int position) {
    if (updatingSlider_) {
        return;
    }
    if (mode_ == SEARCH_TAB_ANAGRAM) {
        const int length = static_cast<int>(anagramLetters_.size());
        lengthCriterion_ = position == 0 ? SEARCH_LENGTH_ANY : std::min(position, length);
    } else if (mode_ == SEARCH_TAB_PUZZLE) {
        puzzleLetters_.resize(static_cast<size_t>(position), OPEN_BOX);
        cursor_ = std::min(cursor_, position);
        update();
    }
    UpdateSlider();
}

void CSearchPanel::UpdateSlider() {
    int value = 0;
    if (mode_ == SEARCH_TAB_PUZZLE) {
        value = static_cast<int>(puzzleLetters_.size());
    } else {
        const int length = static_cast<int>(anagramLetters_.size());
        if (lengthCriterion_ != SEARCH_LENGTH_ANY && lengthCriterion_ > length) {
            lengthCriterion_ = length;
        }
        value = lengthCriterion_;
    }
    updatingSlider_ = true;
    slider_->setValue(std::max(value, 0));
    updatingSlider_ = false;
    label_->setText(value == SEARCH_LENGTH_ANY ? QStringLiteral("Any") : QString::number(value));
}

void CSearchPanel::UpdateHtmlArea() {
    html_->Clear();
    html_->AddText(BuildSearchPanelPage(mode_, wordListPath_).c_str());
    html_->EndOfSource();
}

void CSearchPanel::OnLinkTapped(const QByteArray& target) {
    setFocus();  // in Wildcard and Phonetic the edit box takes it
    const bool wildcard = mode_ == SEARCH_TAB_WILDCARD;
    if (target == "?wordlist") {
        ChooseWordList(RunWordListMenu());
    } else if (target == "?help") {
        if (owner_ != nullptr) {
            owner_->RunHelp(HELP_TARGET);
        }
    } else if (target == "?" || (wildcard && target == "*")) {
        // Goes to the window with the focus as if typed: the boxes or the edit box.
        QWidget* receiver = QApplication::focusWidget();
        if (receiver == nullptr) {
            receiver = IsBoxMode() ? static_cast<QWidget*>(this) : edit_;
        }
        const int key = target == "?" ? Qt::Key_Question : Qt::Key_Asterisk;
        QCoreApplication::postEvent(receiver, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier,
                                                            QString::fromLatin1(target)));
    } else if (wildcard && (target == "[]" || target == "()")) {
        InsertPair(QString::fromLatin1(target), 1);
    } else if (wildcard && target == "{}") {
        InsertPair(QStringLiteral("{,}"), 1);
    }
}

void CSearchPanel::InsertPair(const QString& pair, int caretOffset) {
    const int start = edit_->hasSelectedText() ? edit_->selectionStart() : edit_->cursorPosition();
    edit_->insert(pair);
    edit_->setCursorPosition(std::min(start + caretOffset, static_cast<int>(edit_->text().size())));
}

std::unique_ptr<QMenu> CSearchPanel::CreateWordListMenu() {
    wordListFiles_ = WordListFiles(QString::fromStdString(GetProgramFolder()));
    auto menu = std::make_unique<QMenu>(this);
    menu->setObjectName(QStringLiteral("wordListMenu"));
    menu->addAction(QStringLiteral("Built-in Dictionary"))->setData(ID_BUILT_IN_DICTIONARY);
    for (qsizetype i = 0; i < wordListFiles_.size(); ++i) {
        const QString& name = wordListFiles_.at(i);
        menu->addAction(name.left(name.size() - 4))
            ->setData(ID_FIRST_WORD_LIST + static_cast<int>(i));
    }
    return menu;
}

int CSearchPanel::RunWordListMenu() {
    std::unique_ptr<QMenu> menu = CreateWordListMenu();
    const QPoint position = QPoint(60, 156) * GetDisplayScale();
    const QAction* chosen = menu->exec(window()->mapToGlobal(position));
    return chosen != nullptr ? chosen->data().toInt() : 0;
}

bool CSearchPanel::ChooseWordList(int command) {
    if (command == ID_BUILT_IN_DICTIONARY) {
        wordListPath_.clear();
    } else {
        const int index = command - ID_FIRST_WORD_LIST;
        if (index < 0 || index >= wordListFiles_.size()) {
            return false;
        }
        wordListPath_ = (QString::fromStdString(GetProgramFolder()) + wordListFiles_.at(index))
                            .toStdU16String();
    }
    UpdateHtmlArea();
    return true;
}

QImage CSearchPanel::SymbolImage(const std::string& name) {
    for (const SymbolEntry& entry : kSymbols) {
        if (entry.name == name) {
            const QImage bitmap = LoadBitmapResource(entry.bitmap);
            const int size = kSymbolSize * GetDisplayScale();
            return bitmap.isNull()
                       ? QImage()
                       : bitmap.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        }
    }
    return QImage();
}

bool CSearchPanel::event(QEvent* event) {
    if (event->type() == CPostedMessage::EventType()) {
        const auto* message = static_cast<CPostedMessage*>(event);
        if (message->Message() == WM_COMMAND) {
            RunCommand(static_cast<int>(message->WParam()));
        }
        return true;
    }
    if (event->type() == QEvent::ApplicationPaletteChange) {
        ApplyBackground();
    }
    return QWidget::event(event);
}

void CSearchPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int units = width() / GetDisplayScale();
    const int count = std::clamp((units - kBoxMargin) / BOX_PITCH, 1, MAX_LETTERS);
    if (count < boxCount_) {
        const bool fits = keepLettersThatFit_ &&
                          std::max(anagramLetters_.size(), puzzleLetters_.size()) <= size_t(count);
        if (!fits) {
            anagramLetters_.clear();
            puzzleLetters_.clear();
            lengthCriterion_ = SEARCH_LENGTH_ANY;
            query_.clear();
        }
        // The cursor stays where it was, but never beyond the last box there is.
        cursor_ = std::min(cursor_, count - 1);
    }
    boxCount_ = count;
    Layout();
    UpdateSlider();
    update();
}

void CSearchPanel::Layout() {
    const int s = GetDisplayScale();
    const int n = boxCount_;
    html_->setGeometry(0, kHtmlTop * s, width(), std::max(height() - kHtmlTop * s, 0));
    searchButton_.MoveTo(width() - 6 * s - searchButton_.Rect().width(), 8 * s);
    edit_->setGeometry(11 * s, 12 * s, (BOX_PITCH * n - 6) * s, 16 * s);
    meaningBox_->move(11 * s, 10 * s);
    meaningBox_->Arrange((BOX_PITCH * n - 6) * s, kMeaningBoxHeight * s, kMeaningBoxGap * s);
    slider_->setGeometry(-3, 33 * s, (BOX_PITCH * n + 19) * s + 3, 24 * s);
    updatingSlider_ = true;
    slider_->setRange(0, n);
    updatingSlider_ = false;
    label_->setGeometry(width() - 36 * s, 40 * s, 36 * s, 16 * s);
}

void CSearchPanel::keyPressEvent(QKeyEvent* event) {
    // A key that a child (the slider, the HTML area) left unused comes up here; the main
    // window's routing has given it to the boxes already, before the child had it.
    if (!hasFocus()) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (HandleKey(event->key())) {
        event->accept();
        return;
    }
    const char16_t ch = KeyChar(event);
    if (IsBoxMode() && ch != 0) {
        HandleChar(ch);
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void CSearchPanel::mousePressEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (searchButton_.Press(point)) {
        trackedButton_ = &searchButton_;
        return;
    }
    if (IsBoxMode()) {
        TapBoxes(point);
    }
}

void CSearchPanel::mouseMoveEvent(QMouseEvent* event) {
    if (trackedButton_ != nullptr) {
        trackedButton_->Move(event->position().toPoint());
    }
}

void CSearchPanel::mouseReleaseEvent(QMouseEvent* event) {
    if (trackedButton_ != nullptr) {
        trackedButton_->Release(event->position().toPoint());
        trackedButton_ = nullptr;
    }
}

void CSearchPanel::TapBoxes(const QPoint& point) {
    setFocus();
    const int s = GetDisplayScale();
    const int x = point.x() / s;
    const int y = point.y() / s;
    if (x < 8 || x > BOX_PITCH * boxCount_ + 8 || y < 12 || y > 28) {
        return;
    }
    const int box = (x - 8) / BOX_PITCH;
    if (box < boxCount_ && box <= static_cast<int>(Letters().size())) {
        cursor_ = box;
        update();
    }
}
