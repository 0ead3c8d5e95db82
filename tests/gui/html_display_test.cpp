#include "ui/html_display.h"

#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <set>
#include <thread>

#include "render/ipa_encoding.h"

namespace {

constexpr char kHeader[] =
    "<html><head><META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=ISO-8859-1\">"
    "</head><body topmargin=4 leftmargin=4 rightmargin=4 bgcolor=#FFFFFF>";
constexpr char kFooter[] = "</body></html>\r\n";

QByteArray Page(const QByteArray& body) {
    return kHeader + body + kFooter;
}

// Hands the page over in pieces of 256 bytes, as the render worker's transfer thread does.
void Show(CHtmlDisplay& display, const QByteArray& page) {
    display.Clear();
    for (qsizetype at = 0; at < page.size(); at += 256) {
        display.AddText(page.mid(at, 256).constData());
    }
    display.EndOfSource();
}

// The character format at the first occurrence of text in the display's page.
QTextCharFormat FormatOf(CHtmlDisplay& display, const QString& text) {
    QTextCursor found = display.document()->find(text);
    if (found.isNull()) {
        return QTextCharFormat();
    }
    QTextCursor at(display.document());
    at.setPosition(found.selectionStart() + 1);
    return at.charFormat();
}

// The viewport point in the middle of the first occurrence of text.
QPoint PointOf(CHtmlDisplay& display, const QString& text) {
    QTextCursor found = display.document()->find(text);
    QTextCursor middle(display.document());
    middle.setPosition((found.selectionStart() + found.selectionEnd()) / 2);
    return display.cursorRect(middle).center();
}

// A byte of the IPA encoding above ASCII, and its symbol.
bool IpaSample(char* byte, char32_t* point) {
    size_t count = 0;
    const IpaSymbol* table = IpaTable(&count);
    for (size_t i = 0; i < count; ++i) {
        if (table[i].codePoint < 0x10000) {
            *byte = static_cast<char>(table[i].byte);
            *point = table[i].codePoint;
            return true;
        }
    }
    return false;
}

}  // namespace

class HtmlDisplayTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        display_ = std::make_unique<CHtmlDisplay>();
        display_->resize(240, 320);
        display_->show();
        QVERIFY(QTest::qWaitForWindowExposed(display_.get()));
    }
    void cleanup() { display_.reset(); }

    void bareHexColourIsShownAsColour() {
        Show(*display_, Page("<font color=006020>green</font> and <font color=#800080>purple"));
        QCOMPARE(FormatOf(*display_, "green").foreground().color(), QColor(0x00, 0x60, 0x20));
        QCOMPARE(FormatOf(*display_, "purple").foreground().color(), QColor(0x80, 0x00, 0x80));
    }

    void linkTapGivesRawTarget_data() {
        QTest::addColumn<QByteArray>("target");
        QTest::newRow("two words") << QByteArray("ice cream");
        QTest::newRow("word links page") << QByteArray("run:3");
        QTest::newRow("pronunciation hot spot") << QByteArray(":pron");
        QTest::newRow("8-bit word") << QByteArray("caf\xe9");
    }

    void linkTapGivesRawTarget() {
        QFETCH(QByteArray, target);
        Show(*display_, Page("before<br><a href=\"" + target + "\">tap here</a><br>after"));
        QSignalSpy taps(display_.get(), &CHtmlDisplay::linkTapped);
        QTest::mouseClick(display_->viewport(), Qt::LeftButton, {}, PointOf(*display_, "tap here"));
        QCOMPARE(taps.count(), 1);
        QCOMPARE(taps.at(0).at(0).toByteArray(), target);
        QVERIFY(display_->PageSource().find("tap here") != std::string::npos);
    }

    void ipaRunIsShownAsUnicodeInIpaFont() {
        char byte = 0;
        char32_t point = 0;
        QVERIFY(IpaSample(&byte, &point));
        QByteArray body = "<font color=#800080><font face=\"SILSophiaIPA\">r";
        body += byte;
        body += "n</font>:<font face=\"SILSophiaIPA\">x</font></font> end";
        Show(*display_, Page(body));
        const QString expected = QStringLiteral("r") + QChar(static_cast<char16_t>(point)) + "n";
        const QString text = display_->toPlainText();
        QVERIFY2(text.contains(expected + ":x end"), qPrintable(text));
        QCOMPARE(FormatOf(*display_, expected).fontFamilies().toStringList().value(0),
                 CHtmlDisplay::IpaFontFamily());
        QVERIFY(FormatOf(*display_, "end").fontFamilies().toStringList().value(0) !=
                CHtmlDisplay::IpaFontFamily());
    }

    void zoomSteps_data() {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("expected");  // the level in force afterwards
        QTest::newRow("smallest") << 0 << 0;
        QTest::newRow("smaller") << 1 << 1;
        QTest::newRow("largest") << 4 << 4;
        QTest::newRow("above range ignored") << 5 << 2;
        QTest::newRow("below range ignored") << -1 << 2;
    }

    void zoomSteps() {
        QFETCH(int, level);
        QFETCH(int, expected);
        Show(*display_, Page("<small>note</small> word"));
        display_->SetZoom(level);
        QCOMPARE(display_->Zoom(), expected);
        QCOMPARE(display_->document()->defaultFont().pixelSize(),
                 CHtmlDisplay::ZoomPixelSize(expected));
        QVERIFY(display_->toPlainText().contains("note word"));  // the page is shown again
    }

    void zoomSizesGrowWithLevel() {
        for (int level = CHtmlDisplay::ZOOM_MIN; level < CHtmlDisplay::ZOOM_MAX; ++level) {
            QVERIFY(CHtmlDisplay::ZoomPixelSize(level) < CHtmlDisplay::ZoomPixelSize(level + 1));
        }
    }

    void clearTypeSetsAntialiasing() {
        QCOMPARE(display_->document()->defaultFont().styleStrategy(), QFont::PreferAntialias);
        display_->SetClearType(false);
        QCOMPARE(display_->document()->defaultFont().styleStrategy(), QFont::NoAntialias);
        display_->SetClearType(true);
        QCOMPARE(display_->document()->defaultFont().styleStrategy(), QFont::PreferAntialias);
    }

    void shrinkFitsTheWidth() {
        QVERIFY(display_->Shrink());
        QCOMPARE(display_->lineWrapMode(), QTextEdit::WidgetWidth);
        display_->SetShrink(false);
        QCOMPARE(display_->lineWrapMode(), QTextEdit::NoWrap);
    }

    void selectionIsUtf16Text() {
        Show(*display_, Page("<b>run</b>&nbsp;\x95 caf\xe9<br>line two"));
        std::u16string text = u"untouched";
        QVERIFY(display_->GetSelectionText(&text));
        QVERIFY(text.empty());
        display_->SelectAll();
        QVERIFY(display_->GetSelectionText(&text));
        QCOMPARE(QString::fromStdU16String(text),
                 QString::fromUtf16(u"run \u2022 caf\u00e9\nline two"));
    }

    void imagesAreAskedByTheirPageNames() {
        std::multiset<std::string> asked;
        display_->SetImageProvider([&asked](const std::string& name) {
            asked.insert(name);
            if (name != "pron.gif") {
                return QImage();
            }
            QImage image(10, 9, QImage::Format_RGB32);
            image.fill(Qt::red);
            return image;
        });
        Show(*display_, Page("<img src=pron.gif border=0> x <img src=unknown.gif> y"));
        QTRY_VERIFY(asked.count("pron.gif") >= 1);
        QVERIFY(asked.count("unknown.gif") >= 1);
        QCOMPARE(asked.size(), asked.count("pron.gif") + asked.count("unknown.gif"));
    }

    // Text posted for a page that was cleared before it arrived is not shown.
    void clearDropsTextPostedBeforeIt() {
        QSignalSpy shown(display_.get(), &CHtmlDisplay::pageShown);
        display_->PostAddText(Page("old page").constData());
        display_->PostEndOfSource();
        display_->Clear();
        display_->PostAddText(Page("new page").constData());
        display_->PostEndOfSource();
        QTRY_COMPARE(shown.count(), 1);
        QVERIFY(display_->toPlainText().contains("new page"));
        QVERIFY(!display_->toPlainText().contains("old page"));
    }

    // The transfer thread adds the pieces and ends the source from its own thread.
    void pageFromTransferThreadIsShownOnMainThread() {
        QSignalSpy shown(display_.get(), &CHtmlDisplay::pageShown);
        QByteArray body;
        for (int i = 0; i < 100; ++i) {
            body += "word" + QByteArray::number(i) + " ";
        }
        const QByteArray page = Page(body);
        display_->Clear();
        std::thread transfer([this, page] {
            for (qsizetype at = 0; at < page.size(); at += 256) {
                display_->AddText(page.mid(at, 256).constData());
            }
            display_->EndOfSource();
        });
        transfer.join();
        QTRY_COMPARE(shown.count(), 1);
        QVERIFY(display_->toPlainText().contains("word0 word1"));
        QVERIFY(display_->toPlainText().contains("word99"));
        QCOMPARE(QByteArray::fromStdString(display_->PageSource()), page);
    }

    void errorIsReportedInUtf16() {
        QString reported;
        display_->SetErrorReporter([&reported](const QString& text) { reported = text; });
        display_->ShowError("Failed \x95 here.");
        QCOMPARE(reported, QString::fromUtf16(u"Failed \u2022 here."));
        QVERIFY(display_->IsWindow());
    }

    void rightClickIsTapAndHold() {
        Show(*display_, Page("<a href=word>word</a>"));
        QSignalSpy held(display_.get(), &CHtmlDisplay::held);
        QSignalSpy taps(display_.get(), &CHtmlDisplay::linkTapped);
        QTest::mouseClick(display_->viewport(), Qt::RightButton, {}, PointOf(*display_, "word"));
        QCOMPARE(held.count(), 1);
        QCOMPARE(taps.count(), 0);
    }

  private:
    std::unique_ptr<CHtmlDisplay> display_;
};

QTEST_MAIN(HtmlDisplayTest)
#include "html_display_test.moc"
