// The Options dialog on its own: the two layouts, the controls filled from the options record,
// the source lists over the word-list files of a folder, OK with its range rules, Cancel, and
// the messages of "Add Now" and "Clear List".
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <string>
#include <vector>

#include "app/messages.h"
#include "app/options_record.h"
#include "options/gui/hot_key_edit.h"
#include "options/gui/options_dialog.h"
#include "support/temp_dir.h"

namespace {

struct SentMessage {
    uint32_t message;
    intptr_t wParam;
    std::u16string text;  // WM_ADD_STUDY_WORDS: the name lParam pointed at
};

QStringList Entries(const QComboBox* list) {
    QStringList entries;
    for (int i = 0; i < list->count(); ++i) {
        entries << list->itemText(i);
    }
    return entries;
}

std::vector<uint8_t> Bytes(const COptionsRecord& record) {
    return std::vector<uint8_t>(record.Bytes().begin(), record.Bytes().end());
}

}  // namespace

class OptionsDialogTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<CTempDir> folder_;
    COptionsRecord options_;
    std::vector<SentMessage> sent_;
    QStringList errors_;

    std::unique_ptr<COptionsDialog> MakeDialog(bool landscape = false) {
        auto dialog = std::make_unique<COptionsDialog>(
            &options_,
            [this](uint32_t message, intptr_t wParam, intptr_t lParam) {
                SentMessage m{message, wParam, {}};
                if (message == WM_ADD_STUDY_WORDS) {
                    m.text = reinterpret_cast<const char16_t*>(lParam);
                }
                sent_.push_back(m);
            },
            landscape, nullptr, folder_->Path());
        dialog->SetMessageBoxHook([this](const QString& text) { errors_ << text; });
        return dialog;
    }

    void WriteFiles(const QStringList& names) {
        for (const QString& name : names) {
            folder_->WriteFile(name.toStdString(), "x");
        }
    }

    static QPushButton* Button(COptionsDialog* dialog, QDialogButtonBox::StandardButton which) {
        return dialog->findChild<QDialogButtonBox*>()->button(which);
    }

  private slots:
    void init() {
        folder_ = std::make_unique<CTempDir>();
        options_ = COptionsRecord();
        sent_.clear();
        errors_.clear();
    }

    void layouts_data() {
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<QString>("searchGroup");
        QTest::addColumn<QString>("studyGroup");
        QTest::addColumn<QString>("addStudyWords");
        QTest::addColumn<QString>("showRandomWords");
        QTest::newRow("portrait") << false << "Word Search:"
                                  << "Study Assistance:"
                                  << "Add to study list from:"
                                  << "Show random words";
        QTest::newRow("landscape") << true << "Word Search Options:"
                                   << "Study List Options:"
                                   << "Add to study list"
                                   << "Show random words from:";
    }

    void layouts() {
        QFETCH(bool, landscape);
        auto dialog = MakeDialog(landscape);
        QCOMPARE(dialog->IsLandscapeLayout(), landscape);
        QCOMPARE(dialog->windowTitle(), QString("Lexicove Options"));
        QFETCH(QString, searchGroup);
        QFETCH(QString, studyGroup);
        QFETCH(QString, addStudyWords);
        QFETCH(QString, showRandomWords);
        QCOMPARE(dialog->SearchGroupLabel()->text(), searchGroup);
        QCOMPARE(dialog->StudyGroupLabel()->text(), studyGroup);
        QCOMPARE(dialog->AddStudyWordsBox()->text(), addStudyWords);
        QCOMPARE(dialog->ShowRandomWordsBox()->text(), showRandomWords);
        QCOMPARE(dialog->KeepSpacesBox()->text(), QString("Don't ignore spaces"));
        QCOMPARE(dialog->KeepNonAlphanumericBox()->text(),
                 QString("Don't ignore Non-Alphanumeric"));
        QCOMPARE(dialog->AddNowButton()->text(), QString("Add Now"));
        QCOMPARE(dialog->ClearListButton()->text(), QString("Clear List"));
        // The labels beside the edit boxes, and the ids the controls carry.
        QStringList labels;
        for (const QLabel* label : dialog->findChildren<QLabel*>()) {
            labels << label->text();
        }
        QVERIFY(labels.contains("Stop at:"));
        QVERIFY(labels.contains("new words every day"));
        const std::vector<std::pair<int, QWidget*>> ids = {
            {1006, dialog->KeepSpacesBox()},      {1007, dialog->KeepNonAlphanumericBox()},
            {1008, dialog->AddStudyWordsBox()},   {1009, dialog->StudyWordCountEdit()},
            {1010, dialog->AddNowButton()},       {1011, dialog->ClearListButton()},
            {1012, dialog->StudySourceList()},    {1013, dialog->RandomSourceList()},
            {1018, dialog->ShowRandomWordsBox()}, {1019, dialog->ResultLimitEdit()}};
        for (const auto& [id, widget] : ids) {
            QCOMPARE(dialog->findChild<QWidget*>(QString::number(id)), widget);
        }
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        QCOMPARE(dialog->width() > dialog->height(), landscape);
    }

    // The hot key row with a note of several lines: every control keeps its whole height, in
    // both layouts (a note that wraps must make the dialog taller, not squeeze the rest).
    void theHotKeyRowFitsWithItsNote_data() {
        QTest::addColumn<bool>("landscape");
        QTest::newRow("portrait") << false;
        QTest::newRow("landscape") << true;
    }

    void theHotKeyRowFitsWithItsNote() {
        QFETCH(bool, landscape);
        auto dialog = MakeDialog(landscape);
        const QString note = QStringLiteral(
            "This desktop offers no global hot key to programs: bind the command lexicove "
            "--lookup-selection to a key in the desktop's keyboard settings.");
        dialog->SetHotKey(QKeySequence(QStringLiteral("Ctrl+Alt+W")), note);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        QCOMPARE(dialog->HotKey(), QKeySequence(QStringLiteral("Ctrl+Alt+W")));
        QCOMPARE(dialog->HotKeyEdit()->Note()->text(), note);
        for (QWidget* widget : std::initializer_list<QWidget*>{
                 dialog->KeepSpacesBox(), dialog->KeepNonAlphanumericBox(),
                 dialog->ResultLimitEdit(), dialog->ShowRandomWordsBox(),
                 dialog->HotKeyEdit()->Note()}) {
            QVERIFY2(widget->height() >= widget->minimumSizeHint().height(),
                     qPrintable(widget->objectName()));
        }
        QLabel* shown = dialog->HotKeyEdit()->Note();
        QVERIFY(shown->height() >= shown->heightForWidth(shown->width()));
        QVERIFY(dialog->KeepSpacesBox()->geometry().bottom() <
                dialog->KeepNonAlphanumericBox()->geometry().top());
        // Clear turns the hot key off.
        QTest::mouseClick(dialog->HotKeyEdit()->ClearButton(), Qt::LeftButton);
        QVERIFY(dialog->HotKey().isEmpty());
    }

    void opensWithTheRecord_data() {
        QTest::addColumn<bool>("flags");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("limit");
        QTest::newRow("defaults") << false << 5 << 128;
        QTest::newRow("all set") << true << 99 << 999;
        QTest::newRow("smallest") << false << 1 << 1;
    }

    void opensWithTheRecord() {
        QFETCH(bool, flags);
        QFETCH(int, count);
        QFETCH(int, limit);
        if (QTest::currentDataTag() != QString("defaults")) {
            options_.SetKeepSpaces(flags);
            options_.SetKeepNonAlphanumerics(flags);
            options_.SetAddStudyWords(flags);
            options_.SetShowRandomWords(flags);
            QVERIFY(options_.SetStudyWordCount(count));
            QVERIFY(options_.SetResultLimit(limit));
        }
        auto dialog = MakeDialog();
        bool defaults = QTest::currentDataTag() == QString("defaults");
        QCOMPARE(dialog->KeepSpacesBox()->isChecked(), defaults ? false : flags);
        QCOMPARE(dialog->KeepNonAlphanumericBox()->isChecked(), defaults ? true : flags);
        QCOMPARE(dialog->AddStudyWordsBox()->isChecked(), defaults ? false : flags);
        QCOMPARE(dialog->ShowRandomWordsBox()->isChecked(), defaults ? true : flags);
        QCOMPARE(dialog->StudyWordCountEdit()->text(), QString::number(count));
        QCOMPARE(dialog->ResultLimitEdit()->text(), QString::number(limit));
        QCOMPARE(dialog->StudyWordCountEdit()->maxLength(), 2);
        QCOMPARE(dialog->ResultLimitEdit()->maxLength(), 3);
        QVERIFY(dialog->StudyWordCountEdit()->alignment() & Qt::AlignRight);
    }

    void sourceLists_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<int>("selected");
        const QString builtIn = "- Built-in Dictionary -";
        QTest::newRow("no word-list files")
            << QStringList{"notes.txt", "wordnet.lcv"} << "" << QStringList{builtIn} << 0;
        QTest::newRow("sorted, any case of the extension")
            << QStringList{"zoo.dwg", "Birds.DWG", "apes.Dwg", "x.dwgx", ".dwg", "readme.txt"}
            << "BIRDS.dwg" << QStringList{builtIn, "apes", "Birds", "zoo"} << 2;
        QTest::newRow("a further dot in the name")
            << QStringList{"my.words.dwg", "other.dwg"} << "my.words.dwg"
            << QStringList{builtIn, "my.words", "other"} << 1;
        QTest::newRow("stored name no longer there")
            << QStringList{"animals.dwg"} << "gone.dwg" << QStringList{builtIn, "animals"} << 0;
        QTest::newRow("names up to the field's 63 characters")
            << QStringList{QString(59, 'a') + ".dwg", QString(60, 'b') + ".dwg"}
            << QString(59, 'a') + ".dwg" << QStringList{builtIn, QString(59, 'a')} << 1;
    }

    void sourceLists() {
        QFETCH(QStringList, files);
        QFETCH(QString, stored);
        QFETCH(QStringList, entries);
        QFETCH(int, selected);
        WriteFiles(files);
        QVERIFY(options_.SetStudySource(stored.toStdU16String()));
        QVERIFY(options_.SetRandomSource(stored.toStdU16String()));
        auto dialog = MakeDialog();
        for (QComboBox* list : {dialog->StudySourceList(), dialog->RandomSourceList()}) {
            QCOMPARE(Entries(list), entries);
            QCOMPARE(list->currentIndex(), selected);
        }
        // OK stores the chosen file under its full name, or clears the field for the dictionary.
        Button(dialog.get(), QDialogButtonBox::Ok)->click();
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        std::u16string expected;
        if (selected > 0) {
            for (const QString& file : files) {
                if (file.compare(stored, Qt::CaseInsensitive) == 0) {
                    expected = file.toStdU16String();
                }
            }
        }
        QCOMPARE(options_.StudySource(), expected);
        QCOMPARE(options_.RandomSource(), expected);
    }

    void choosingASource() {
        WriteFiles({"animals.dwg", "plants.dwg"});
        QVERIFY(options_.SetRandomSource(u"plants.dwg"));
        auto dialog = MakeDialog();
        dialog->StudySourceList()->setCurrentIndex(1);
        dialog->RandomSourceList()->setCurrentIndex(0);
        Button(dialog.get(), QDialogButtonBox::Ok)->click();
        QCOMPARE(options_.StudySource(), std::u16string(u"animals.dwg"));
        QCOMPARE(options_.RandomSource(), std::u16string(u""));
    }

    void okTakesNumbersInTheirRanges_data() {
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("limit");
        QTest::addColumn<int>("storedCount");
        QTest::addColumn<int>("storedLimit");
        QTest::newRow("in range") << "7"
                                  << "300" << 7 << 300;
        QTest::newRow("largest") << "99"
                                 << "999" << 99 << 999;
        QTest::newRow("smallest") << "1"
                                  << "1" << 1 << 1;
        QTest::newRow("zero keeps the old values") << "0"
                                                   << "0" << 5 << 128;
        QTest::newRow("empty keeps the old values") << ""
                                                    << "" << 5 << 128;
        QTest::newRow("not a number") << "x"
                                      << "1x" << 5 << 128;
        QTest::newRow("negative") << "-1"
                                  << "-5" << 5 << 128;
    }

    void okTakesNumbersInTheirRanges() {
        QFETCH(QString, count);
        QFETCH(QString, limit);
        QFETCH(int, storedCount);
        QFETCH(int, storedLimit);
        auto dialog = MakeDialog();
        dialog->StudyWordCountEdit()->setText(count);
        dialog->ResultLimitEdit()->setText(limit);
        dialog->KeepSpacesBox()->setChecked(true);
        dialog->KeepNonAlphanumericBox()->setChecked(false);
        dialog->AddStudyWordsBox()->setChecked(true);
        dialog->ShowRandomWordsBox()->setChecked(false);
        Button(dialog.get(), QDialogButtonBox::Ok)->click();
        QCOMPARE(options_.StudyWordCount(), storedCount);
        QCOMPARE(options_.ResultLimit(), storedLimit);
        QVERIFY(options_.KeepSpaces());
        QVERIFY(!options_.KeepNonAlphanumerics());
        QVERIFY(options_.AddStudyWords());
        QVERIFY(!options_.ShowRandomWords());
        QVERIFY(errors_.isEmpty());  // OK never complains
        QVERIFY(sent_.empty());
    }

    void cancelWritesNothing() {
        WriteFiles({"animals.dwg"});
        const std::vector<uint8_t> before = Bytes(options_);
        auto dialog = MakeDialog();
        dialog->KeepSpacesBox()->setChecked(true);
        dialog->ShowRandomWordsBox()->setChecked(false);
        dialog->StudyWordCountEdit()->setText("9");
        dialog->StudySourceList()->setCurrentIndex(1);
        Button(dialog.get(), QDialogButtonBox::Cancel)->click();
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
        QCOMPARE(Bytes(options_), before);
    }

    void addNow_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("sentCount");  // 0: the message box instead
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("zero") << "0" << 0;
        QTest::newRow("double zero") << "00" << 0;
        QTest::newRow("not a number") << "ab" << 0;
        QTest::newRow("negative") << "-1" << 0;
        QTest::newRow("one") << "1" << 1;
        QTest::newRow("ninety-nine") << "99" << 99;
        // The box takes two characters: typing 100 leaves 10.
        QTest::newRow("one hundred typed") << "100" << 10;
    }

    void addNow() {
        QFETCH(QString, typed);
        QFETCH(int, sentCount);
        WriteFiles({"animals.dwg"});
        auto dialog = MakeDialog();
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        dialog->StudyWordCountEdit()->clear();
        QTest::keyClicks(dialog->StudyWordCountEdit(), typed);
        dialog->StudySourceList()->setCurrentIndex(1);
        QTest::mouseClick(dialog->AddNowButton(), Qt::LeftButton);
        if (sentCount == 0) {
            QCOMPARE(errors_, QStringList{"Please enter number of word"});
            QVERIFY(sent_.empty());
        } else {
            QVERIFY(errors_.isEmpty());
            QCOMPARE(sent_.size(), size_t(1));
            QCOMPARE(sent_[0].message, WM_ADD_STUDY_WORDS);
            QCOMPARE(sent_[0].wParam, intptr_t(sentCount));
            QCOMPARE(sent_[0].text, std::u16string(u"animals.dwg"));
        }
        // The dialog stays open, and the values on screen are not stored.
        QVERIFY(dialog->isVisible());
        QCOMPARE(options_.StudyWordCount(), 5);
        QCOMPARE(options_.StudySource(), std::u16string());
    }

    void addNowFromTheDictionary() {
        auto dialog = MakeDialog();
        dialog->AddNowButton()->click();
        QCOMPARE(sent_.size(), size_t(1));
        QCOMPARE(sent_[0].wParam, intptr_t(5));
        QCOMPARE(sent_[0].text, std::u16string());
    }

    void clearList() {
        auto dialog = MakeDialog();
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        QTest::mouseClick(dialog->ClearListButton(), Qt::LeftButton);
        QCOMPARE(sent_.size(), size_t(1));
        QCOMPARE(sent_[0].message, WM_CLEAR_LIST);
        QCOMPARE(sent_[0].wParam, intptr_t(LIST_STUDY));
        QVERIFY(dialog->isVisible());
    }
};

QTEST_MAIN(OptionsDialogTest)
#include "options_dialog_test.moc"
