// A word's page from a real database, through the render worker, into the display: both
// hand-over paths (transfer thread and posted calls).

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <algorithm>

#include "db/database_writer.h"
#include "db/dictionary_database.h"
#include "db/format.h"
#include "render/ipa_encoding.h"
#include "render/render_worker.h"
#include "ui/html_display.h"

namespace {

void NoSleep(int) {}

// A synset record: words (CR between, LF after the last), the gloss and LF, relations.
std::string Synset(const std::string& word, const std::string& gloss, uint32_t target) {
    std::string out = word + "\n" + gloss + "\n";
    const char relation[] = {'\x8A',
                             static_cast<char>(target & 0xFF),
                             static_cast<char>((target >> 8) & 0xFF),
                             static_cast<char>((target >> 16) & 0xFF),
                             0,
                             0};
    out.append(relation, sizeof relation);
    return out;
}

char IpaByte() {
    size_t count = 0;
    const IpaSymbol* table = IpaTable(&count);
    return count > 0 ? static_cast<char>(table[0].byte) : 'x';
}

char16_t IpaChar() {
    size_t count = 0;
    const IpaSymbol* table = IpaTable(&count);
    return count > 0 ? static_cast<char16_t>(table[0].codePoint) : u'x';
}

}  // namespace

class RenderToDisplayTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        std::string stream;
        const uint32_t pron = static_cast<uint32_t>(stream.size());
        stream += std::string("k") + IpaByte() + ":t\n";
        const uint32_t feline = static_cast<uint32_t>(stream.size());
        stream += Synset("feline", "a mammal", 0);
        const uint32_t cat = static_cast<uint32_t>(stream.size());
        stream += Synset("cat", "a small pet", feline);
        CDatabaseWriter writer;
        writer.SetTextStream(stream);
        writer.AddWord("cat", {lcv::MakeRef(lcv::ENTRY_PRONUNCIATION, pron),
                               lcv::MakeRef(lcv::ENTRY_NOUN, cat)});
        writer.AddWord("feline", {lcv::MakeRef(lcv::ENTRY_NOUN, feline)});
        const std::string path = dir_.filePath("wordnet.lcv").toStdString();
        std::string error;
        QVERIFY2(writer.Write(path, &error), error.c_str());
        QVERIFY(database_.Open(path.c_str()));
    }

    void pageReachesTheDisplay_data() {
        QTest::addColumn<bool>("useThread");
        QTest::newRow("transfer thread") << true;
        QTest::newRow("posted calls") << false;
    }

    void pageReachesTheDisplay() {
        QFETCH(bool, useThread);
        CHtmlDisplay display;
        display.resize(240, 320);
        display.show();
        QVERIFY(QTest::qWaitForWindowExposed(&display));
        std::vector<std::string> images;
        display.SetImageProvider([&images](const std::string& name) {
            images.push_back(name);
            QImage image(10, 9, QImage::Format_RGB32);
            image.fill(Qt::darkMagenta);
            return image;
        });
        CRenderWorker worker(&database_, useThread);
        worker.SetSleepFunction(NoSleep);
        worker.SetDisplay(&display);
        QSignalSpy shown(&display, &CHtmlDisplay::pageShown);

        const uint32_t number = database_.FindWord("cat");
        QVERIFY(number != 0);
        QVERIFY(worker.RenderWord("cat", number));
        QTRY_COMPARE(shown.count(), 1);
        QTRY_VERIFY(!worker.IsBusy());

        const QString text = display.toPlainText();
        QVERIFY2(text.contains("a small pet"), qPrintable(text));
        const QString pronunciation = QStringLiteral("k") + QChar(IpaChar()) + ":t";
        QVERIFY2(text.contains(pronunciation), qPrintable(text));
        QVERIFY(std::find(images.begin(), images.end(), "pron.gif") != images.end());
        QCOMPARE(QByteArray::fromStdString(display.PageSource()),
                 QByteArray(worker.Page().Data(), static_cast<qsizetype>(worker.Page().Length())));

        // The pronunciation image is the ":pron" hot spot.
        QSignalSpy taps(&display, &CHtmlDisplay::linkTapped);
        QTextCursor image = display.document()->find(QString(QChar::ObjectReplacementCharacter));
        QVERIFY(!image.isNull());
        QTextCursor at(display.document());
        at.setPosition(image.selectionStart());
        const QPoint point = display.cursorRect(at).center() + QPoint(4, 0);
        QTest::mouseClick(display.viewport(), Qt::LeftButton, {}, point);
        QCOMPARE(taps.count(), 1);
        QCOMPARE(taps.at(0).at(0).toByteArray(), QByteArray(":pron"));
    }

  private:
    QTemporaryDir dir_;
    CDictionaryDatabase database_;
};

QTEST_MAIN(RenderToDisplayTest)
#include "render_to_display_test.moc"
