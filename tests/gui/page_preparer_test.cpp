#include "ui/page_preparer.h"

#include <QTest>

namespace {

// Marks the converted runs, so a test sees exactly which text went through the IPA table.
std::u16string MarkIpa(std::string_view run) {
    std::u16string out = u"[";
    for (char c : run) {
        out.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
    }
    return out + u"]";
}

QString Prepare(const QByteArray& page) {
    CPagePreparer preparer(MarkIpa, "Doulos SIL");
    return QString::fromStdU16String(
        preparer.Prepare(std::string_view(page.constData(), static_cast<size_t>(page.size()))));
}

QString LinkUrl(const char* target) {
    return QString::fromLatin1(PAGE_LINK_PREFIX) + QString::fromLatin1(QByteArray(target).toHex());
}

}  // namespace

class PagePreparerTest : public QObject {
    Q_OBJECT

  private slots:
    void rewrites_data() {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<QString>("expected");
        QTest::newRow("bare hex colour")
            << QByteArray("<font color=006020>x</font>") << "<font color=\"#006020\">x</font>";
        QTest::newRow("quoted bare hex colour")
            << QByteArray("<td bgcolor='C0C0C0'>") << "<td bgcolor=\"#C0C0C0\">";
        QTest::newRow("colour with # kept")
            << QByteArray("<font color=#800080>") << "<font color=#800080>";
        QTest::newRow("named colour kept") << QByteArray("<font color=red>") << "<font color=red>";
        QTest::newRow("five digits kept")
            << QByteArray("<font color=00602>") << "<font color=00602>";
        QTest::newRow("attribute name in any case")
            << QByteArray("<BODY BGCOLOR=ffffff>") << "<BODY BGCOLOR=\"#ffffff\">";
        QTest::newRow("hex text outside a tag kept")
            << QByteArray("color=006020") << "color=006020";
        QTest::newRow("code page text")
            << QByteArray("a\x95 b\xe9 \x80") << QString::fromUtf16(u"a\u2022 b\u00e9 \u20ac");
        QTest::newRow("comment kept whole")
            << QByteArray("<!-- <a href=x> -->y") << "<!-- <a href=x> -->y";
        QTest::newRow("unclosed tag is text") << QByteArray("a < b") << "a < b";
        QTest::newRow("line break after the page dropped")
            << QByteArray("<body>x</body></html>\r\n") << "<body>x</body></html>";
        QTest::newRow("text after the page kept") << QByteArray("</html> y") << "</html> y";
    }

    void rewrites() {
        QFETCH(QByteArray, page);
        QFETCH(QString, expected);
        QCOMPARE(Prepare(page), expected);
    }

    // With a colour map every hex colour goes through it, with or without "#", and a
    // background is told apart from a text colour; other values are left alone.
    void colourMap_data() {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<QString>("expected");
        QTest::newRow("background")
            << QByteArray("<body bgcolor=#FFFFFF>") << "<body bgcolor=\"#B0FFFF\">";
        QTest::newRow("text with #")
            << QByteArray("<font color=#800080>") << "<font color=\"#800081\">";
        QTest::newRow("bare text colour")
            << QByteArray("<font color='006020'>") << "<font color=\"#006021\">";
        QTest::newRow("named colour kept") << QByteArray("<font color=red>") << "<font color=red>";
        QTest::newRow("short hex kept") << QByteArray("<font color=#fff>") << "<font color=#fff>";
        QTest::newRow("not a colour attribute")
            << QByteArray("<img width=100000>") << "<img width=100000>";
    }

    void colourMap() {
        QFETCH(QByteArray, page);
        QFETCH(QString, expected);
        CPagePreparer preparer(MarkIpa, "Doulos SIL");
        // Backgrounds become one colour, text colours gain one step of blue.
        preparer.SetColourMap(
            [](uint32_t rgb, bool background) { return background ? 0xB0FFFFu : rgb + 1; });
        QCOMPARE(QString::fromStdU16String(preparer.Prepare(
                     std::string_view(page.constData(), static_cast<size_t>(page.size())))),
                 expected);
    }

    void ipaRuns_data() {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<QString>("expected");
        // The renderer's pronunciation block: the colon stays in the outer font.
        QTest::newRow("pronunciation block")
            << QByteArray(
                   "<font color=#800080><font face=\"SILSophiaIPA\">a</font>:"
                   "<font face=\"SILSophiaIPA\">b</font></font> c")
            << "<font color=#800080><font face=\"Doulos SIL\">[a]</font>:"
               "<font face=\"Doulos SIL\">[b]</font></font> c";
        QTest::newRow("face in any case, nested font inherits")
            << QByteArray("<font face=silsophiaipa>x<font color=red>y</font>z</font>w")
            << "<font face=\"Doulos SIL\">[x]<font color=red>[y]</font>[z]</font>w";
        QTest::newRow("inner face wins")
            << QByteArray("<font face=SILSophiaIPA><font face=Tahoma>t</font>i</font>")
            << "<font face=\"Doulos SIL\"><font face=Tahoma>t</font>[i]</font>";
        QTest::newRow("run split by a tag")
            << QByteArray("<font face=SILSophiaIPA>a<b>b</b></font>")
            << "<font face=\"Doulos SIL\">[a]<b>[b]</b></font>";
        QTest::newRow("stray close tag") << QByteArray("</font>x") << "</font>x";
    }

    void ipaRuns() {
        QFETCH(QByteArray, page);
        QFETCH(QString, expected);
        QCOMPARE(Prepare(page), expected);
    }

    // Converted text is text, even when the converter gives markup characters.
    void ipaOutputIsEscaped() {
        CPagePreparer preparer([](std::string_view) { return std::u16string(u"<&>"); }, "F");
        QCOMPARE(QString::fromStdU16String(preparer.Prepare("<font face=SILSophiaIPA>x</font>")),
                 QStringLiteral("<font face=\"F\">&lt;&amp;&gt;</font>"));
    }

    void linkTargetsComeBackRaw_data() {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<QByteArray>("target");
        QTest::newRow("two words, quoted")
            << QByteArray("<a href=\"ice cream\">") << QByteArray("ice cream");
        QTest::newRow("word links page") << QByteArray("<a href=run:3>") << QByteArray("run:3");
        QTest::newRow("hot spot") << QByteArray("<a href=\":pron\">") << QByteArray(":pron");
        QTest::newRow("8-bit word") << QByteArray("<a href='caf\xe9'>") << QByteArray("caf\xe9");
        QTest::newRow("web address")
            << QByteArray("<A HREF=\"http://x.org/a b\">") << QByteArray("http://x.org/a b");
        QTest::newRow("empty") << QByteArray("<a href=\"\">") << QByteArray("");
    }

    void linkTargetsComeBackRaw() {
        QFETCH(QByteArray, page);
        QFETCH(QByteArray, target);
        const QString prepared = Prepare(page);
        const QString url = LinkUrl(target.constData());
        QVERIFY2(prepared.contains("\"" + url + "\""), qPrintable(prepared));
        std::string decoded;
        QVERIFY(CPagePreparer::DecodeLink(url.toStdU16String(), &decoded));
        QCOMPARE(QByteArray::fromStdString(decoded), target);
    }

    void imageNamesComeBackRaw() {
        const QString prepared = Prepare("<img src=pron.gif border=0><img src=pixel.gif width=1>");
        const QString pron = QString::fromLatin1(PAGE_IMAGE_PREFIX) + "70726f6e2e676966";
        QVERIFY2(prepared.startsWith("<img src=\"" + pron + "\" border=0>"), qPrintable(prepared));
        std::string name;
        QVERIFY(CPagePreparer::DecodeImage(pron.toStdU16String(), &name));
        QCOMPARE(QByteArray::fromStdString(name), QByteArray("pron.gif"));
        // A src outside <img> and an href outside <a> are left alone.
        QCOMPARE(Prepare("<td src=x href=y>"), QStringLiteral("<td src=x href=y>"));
    }

    void foreignUrlsAreNotDecoded_data() {
        QTest::addColumn<QString>("url");
        QTest::newRow("other scheme") << "http://example.org";
        QTest::newRow("image url as link") << QString::fromLatin1(PAGE_IMAGE_PREFIX) + "61";
        QTest::newRow("odd digits") << QString::fromLatin1(PAGE_LINK_PREFIX) + "616";
        QTest::newRow("not hex") << QString::fromLatin1(PAGE_LINK_PREFIX) + "zz";
    }

    void foreignUrlsAreNotDecoded() {
        QFETCH(QString, url);
        std::string target = "kept";
        QVERIFY(!CPagePreparer::DecodeLink(url.toStdU16String(), &target));
        QCOMPARE(QByteArray::fromStdString(target), QByteArray("kept"));
    }
};

QTEST_GUILESS_MAIN(PagePreparerTest)
#include "page_preparer_test.moc"
