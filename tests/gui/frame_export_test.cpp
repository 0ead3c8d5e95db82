// Tools > Export... in the main window: the command's menu item and dialog, and the lists as
// the window holds them written to the named file, on a fixture dictionary.

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>

#include "frame/command_ids.h"
#include "frame/lexicove_frame.h"
#include "lists/gui/export_dialog.h"
#include "support/frame_test_support.h"

class FrameExportTest : public QObject, public CFrameFixture {
    Q_OBJECT

  private:
    QStringList messages_;

    QByteArray ReadBack(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

  private slots:
    void init() {
        SetUpHome();
        database_ = OpenFixtureDictionary(home_.Path() + "fixture.lcv", ThreeLetterWords());
        QVERIFY(database_ != nullptr);
        frame_ = std::make_unique<CLexicoveFrame>(database_.get(), &settings_);
        frame_->SetMessageBoxHook([this](const QString& text) { messages_ << text; });
        QVERIFY(ShowFrame(frame_.get()));
        messages_.clear();
    }

    void cleanup() { CloseFrame(); }

    // The Study List in memory, as CSV and as Anki's notes; a word not in the dictionary
    // keeps its row.
    void exportWritesTheListInMemory() {
        frame_->StudyList().Add("cat");
        frame_->StudyList().Add("zzz");
        const QString csv = QString::fromStdString(home_.Path() + "study.csv");
        QVERIFY(frame_->ExportList(LIST_STUDY, EXPORT_CSV, csv));
        QCOMPARE(ReadBack(csv), QByteArray("word,pronunciation,part of speech,gloss,sample\r\n"
                                           "cat,,,,\r\nzzz,,,,\r\n"));
        const QString anki = QString::fromStdString(home_.Path() + "study.txt");
        QVERIFY(frame_->ExportList(LIST_STUDY, EXPORT_ANKI, anki));
        QCOMPARE(ReadBack(anki),
                 QByteArray("#separator:tab\n#html:true\n#columns:Front\tBack\ncat\t\nzzz\t\n"));
        QVERIFY(messages_.isEmpty());
    }

    // An empty list: the header alone, and the user is told; a file that cannot be written:
    // a message and false.
    void emptyListsAndFailuresAreReported() {
        const QString path = QString::fromStdString(home_.Path() + "favorites.csv");
        QVERIFY(frame_->ExportList(LIST_FAVORITES, EXPORT_CSV, path));
        QCOMPARE(ReadBack(path), QByteArray("word,pronunciation,part of speech,gloss,sample\r\n"));
        QCOMPARE(messages_.size(), 1);
        QVERIFY(messages_[0].contains(QStringLiteral("empty")));
        const QString nowhere = QString::fromStdString(home_.Path() + "no/such/folder/x.csv");
        QVERIFY(!frame_->ExportList(LIST_RECENTS, EXPORT_CSV, nowhere));
        QCOMPARE(messages_.size(), 2);
        QVERIFY(messages_[1].startsWith(QStringLiteral("The list could not be exported")));
    }

    // The menu item opens the dialog; OK waits for a file, then the chosen list is written.
    void theCommandExportsWhatTheDialogNames() {
        QVERIFY(frame_->Action(ID_EXPORT) != nullptr);
        frame_->Recents().Add("bat");
        const QString path = QString::fromStdString(home_.Path() + "recents.txt");
        bool seen = false;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<CExportDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            seen = true;
            QVERIFY(!dialog->OkButton()->isEnabled());
            dialog->ListBox()->setCurrentIndex(dialog->ListBox()->findData(LIST_RECENTS));
            dialog->FormatBox()->setCurrentIndex(dialog->FormatBox()->findData(EXPORT_ANKI));
            dialog->PathEdit()->setText(path);
            QVERIFY(dialog->OkButton()->isEnabled());
            dialog->OkButton()->click();
        });
        frame_->RunCommand(ID_EXPORT);
        QVERIFY(seen);
        QCOMPARE(ReadBack(path),
                 QByteArray("#separator:tab\n#html:true\n#columns:Front\tBack\nbat\t\n"));
    }
};

QTEST_MAIN(FrameExportTest)
#include "frame_export_test.moc"
