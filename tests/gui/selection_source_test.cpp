// Reading the selections with wl-paste, as the program does on Wayland: a stand-in wl-paste
// (a shell script) answers for the primary selection and the clipboard as a row says, and
// records the arguments it was given.

#include "platform/selection_source.h"

#include <QFile>
#include <QTest>
#include <string>

#include "support/temp_dir.h"

class SelectionSourceTest : public QObject {
    Q_OBJECT

  private:
    CTempDir dir_;
    int scripts_ = 0;

    // A wl-paste that prints primary for --primary and clipboard otherwise; a text of "-"
    // makes it fail as wl-paste does when there is no selection. Each call appends its
    // arguments as one line to calls.txt.
    QString FakeWlPaste(const std::string& primary, const std::string& clipboard) {
        const std::string script =
            "#!/bin/sh\n"
            "echo \"$*\" >> '" +
            dir_.Path() +
            "/calls.txt'\n"
            "case \" $* \" in *' --primary '*) text='" +
            primary + "' ;; *) text='" + clipboard +
            "' ;; esac\n"
            "if [ \"$text\" = - ]; then echo 'No selection' >&2; exit 1; fi\n"
            "printf '%s' \"$text\"\n";
        const std::string path = dir_.WriteFile("wl-paste-" + std::to_string(++scripts_), script);
        QFile::setPermissions(QString::fromStdString(path),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return QString::fromStdString(path);
    }

    QString Calls() {
        QFile file(QString::fromStdString(dir_.Path() + "/calls.txt"));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

  private slots:
    void cleanup() { QFile::remove(QString::fromStdString(dir_.Path() + "/calls.txt")); }

    void primaryFirstThenTheClipboard_data() {
        QTest::addColumn<QString>("primary");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("read");
        QTest::newRow("primary selection") << "walk"
                                           << "run"
                                           << "walk";
        QTest::newRow("no primary selection") << "-"
                                              << "run"
                                              << "run";
        QTest::newRow("primary selection of spaces") << "  "
                                                     << "run"
                                                     << "run";
        QTest::newRow("neither") << "-"
                                 << "-"
                                 << "";
        QTest::newRow("UTF-8 text") << "café"
                                    << "-"
                                    << "café";
    }

    void primaryFirstThenTheClipboard() {
        QFETCH(QString, primary);
        QFETCH(QString, clipboard);
        QFETCH(QString, read);
        const QString tool = FakeWlPaste(primary.toStdString(), clipboard.toStdString());
        QCOMPARE(CSelectionSource::ReadWithWlPaste(tool), read);
    }

    void asksForTextWithoutANewline() {
        QCOMPARE(CSelectionSource::ReadWithWlPaste(FakeWlPaste("-", "-")), QString());
        QCOMPARE(Calls(), QStringLiteral("--primary --no-newline --type text\n"
                                         "--no-newline --type text\n"));
    }

    void aToolThatDoesNotAnswerGivesNothing() {
        const std::string path = dir_.WriteFile("wl-paste-hangs", "#!/bin/sh\nexec sleep 30\n");
        QFile::setPermissions(QString::fromStdString(path),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(CSelectionSource::ReadWithWlPaste(QString::fromStdString(path), 200), QString());
    }

    void aMissingToolGivesNothing() {
        QCOMPARE(CSelectionSource::ReadWithWlPaste(
                     QString::fromStdString(dir_.Path() + "/no-such-wl-paste")),
                 QString());
    }
};

QTEST_GUILESS_MAIN(SelectionSourceTest)
#include "selection_source_test.moc"
