// The small platform services: error box, clipboard, process start, help window, display
// scale, orientation and word-list file names.

#include <QFile>
#include <QMessageBox>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include "platform/clipboard.h"
#include "platform/help_window.h"
#include "platform/message_box.h"
#include "platform/platform_info.h"
#include "platform/process_start.h"

class PlatformTest : public QObject {
    Q_OBJECT

  private slots:
    void errorBoxIsCaptionedLexicoveWithCriticalIcon() {
        QWidget owner;
        auto box = CreateErrorBox(&owner, QStringLiteral("Cannot open the database."));
        QCOMPARE(box->windowTitle(), QStringLiteral("Lexicove"));
        QCOMPARE(box->icon(), QMessageBox::Critical);
        QCOMPARE(box->text(), QStringLiteral("Cannot open the database."));
        QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(box->parentWidget(), &owner);
    }

    void clipboardHoldsUnicodeText() {
        const QString text = QString::fromUtf16(u"ice cream \u2022 \u0259");
        QVERIFY(SetClipboardText(text));
        QCOMPARE(GetClipboardText(), text);
        QVERIFY(ClipboardHasText());
        QVERIFY(!SetClipboardText(QString()));
        QCOMPARE(GetClipboardText(), text);  // a refused text leaves the clipboard alone
    }

    void processStartsDetached() {
        QTemporaryDir dir;
        const QString mark = dir.filePath(QStringLiteral("started"));
        QVERIFY(StartProcess(QStringLiteral("/bin/sh"),
                             {QStringLiteral("-c"), QStringLiteral("echo ok > \"$0\""), mark}));
        QTRY_VERIFY(QFile::exists(mark));
        QVERIFY(!StartProcess(dir.filePath(QStringLiteral("no-such-program")), {}));
        QVERIFY(!StartProcess(QString(), {}));
    }

    void helpWindowShowsFileAtAnchor() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("lexicove.htm"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QByteArray html = "<html><body><a name=main_contents></a><h1>Contents</h1>";
        for (int i = 0; i < 200; ++i) {
            html += "<p>filler line " + QByteArray::number(i) + "</p>";
        }
        html += "<a name=pron></a><h1>Pronunciation symbols</h1><p>end</p></body></html>";
        file.write(html);
        file.close();

        CHelpWindow help;
        QVERIFY(help.ShowHelp(path, QStringLiteral("pron")));
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        QCOMPARE(help.Browser()->source().fragment(), QStringLiteral("pron"));
        QVERIFY(help.Browser()->toPlainText().contains("Pronunciation symbols"));
        QTRY_VERIFY(help.Browser()->verticalScrollBar()->value() > 1000);

        QVERIFY(help.ShowHelp(path, QStringLiteral("main_contents")));
        QTRY_VERIFY(help.Browser()->verticalScrollBar()->value() < 20);

        QVERIFY(!help.ShowHelp(dir.filePath(QStringLiteral("missing.htm")), QString()));
    }

    void helpTargetsSplit_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("anchor");
        QTest::newRow("contents") << "file:lexicove.htm#main_contents" << true << "lexicove.htm"
                                  << "main_contents";
        QTest::newRow("no anchor") << "file:lexicove.htm" << true << "lexicove.htm"
                                   << "";
        QTest::newRow("not a file target") << "http://x.org#a" << false << ""
                                           << "";
        QTest::newRow("no file") << "file:#pron" << false << ""
                                 << "pron";
    }

    void helpTargetsSplit() {
        QFETCH(QString, target);
        QFETCH(bool, ok);
        QFETCH(QString, file);
        QFETCH(QString, anchor);
        QString f;
        QString a;
        QCOMPARE(CHelpWindow::ParseHelpTarget(target, &f, &a), ok);
        if (ok || !file.isEmpty()) {
            QCOMPARE(f, file);
        }
        if (ok) {
            QCOMPARE(a, anchor);
        }
    }

    void displayScale_data() {
        QTest::addColumn<double>("dpi");
        QTest::addColumn<QByteArray>("override");  // "-" for unset
        QTest::addColumn<int>("scale");
        QTest::newRow("96 dpi") << 96.0 << QByteArray("-") << 1;
        QTest::newRow("191 dpi") << 191.0 << QByteArray("-") << 1;
        QTest::newRow("192 dpi") << 192.0 << QByteArray("-") << 2;
        QTest::newRow("288 dpi") << 288.0 << QByteArray("-") << 2;
        QTest::newRow("forced 2") << 96.0 << QByteArray("2") << 2;
        QTest::newRow("forced 1") << 192.0 << QByteArray("1") << 1;
        QTest::newRow("other override ignored") << 96.0 << QByteArray("3") << 1;
        QTest::newRow("empty override ignored") << 192.0 << QByteArray("") << 2;
    }

    void displayScale() {
        QFETCH(double, dpi);
        QFETCH(QByteArray, override);
        QFETCH(int, scale);
        QCOMPARE(ComputeDisplayScale(dpi, override == "-" ? nullptr : override.constData()), scale);
    }

    void displayScaleIsFixed() {
        const int scale = GetDisplayScale();
        QVERIFY(scale == 1 || scale == 2);
        QCOMPARE(GetDisplayScale(), scale);
    }

    void landscape() {
        QVERIFY(!IsLandscape(QSize(240, 320)));
        QVERIFY(IsLandscape(QSize(320, 240)));
        QVERIFY(!IsLandscape(QSize(300, 300)));
        QWidget window;
        window.resize(400, 200);
        QVERIFY(IsLandscape(&window));
        window.resize(200, 400);
        QVERIFY(!IsLandscape(&window));
    }

    void wordListFileNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("lower case") << "names.dwg" << true;
        QTest::newRow("upper case") << "NAMES.DWG" << true;
        QTest::newRow("mixed case") << "a.DwG" << true;
        QTest::newRow("five characters") << "x.dwg" << true;
        QTest::newRow("only the extension") << ".dwg" << false;
        QTest::newRow("something after it") << "names.dwg.txt" << false;
        QTest::newRow("trailing space") << "names.dwg " << false;
        QTest::newRow("no dot") << "namesdwg" << false;
        QTest::newRow("other extension") << "names.txt" << false;
        QTest::newRow("empty") << "" << false;
    }

    void wordListFileNames() {
        QFETCH(QString, name);
        QFETCH(bool, accepted);
        QCOMPARE(IsWordListFileName(name), accepted);
    }

    void desktopIsTheNewerPlatform() { QVERIFY(IsPocketPC()); }
};

QTEST_MAIN(PlatformTest)
#include "platform_test.moc"
