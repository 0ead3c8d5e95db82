// Text contrast in light and dark palettes: the WCAG measure itself, every mapped colour pair
// of the page, the search boxes and the headers, the page as the display shows it, and the
// painted panel and bands of a whole main window, measured on the painted pixels.

#include <QApplication>
#include <QHash>
#include <QPalette>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>

#include "app/memory_settings_store.h"
#include "app/options_record.h"
#include "app/settings_store.h"
#include "frame/search_panel.h"
#include "frame/search_tab_ctrl.h"
#include "support/frame_test_support.h"
#include "support/temp_dir.h"
#include "ui/colour_scheme.h"
#include "ui/content_view.h"
#include "ui/contrast.h"
#include "ui/html_display.h"

namespace {

QPalette MakePalette(QRgb window, QRgb windowText, QRgb base, QRgb text, QRgb highlight) {
    QPalette palette;
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Window, QColor::fromRgb(window));
        palette.setColor(group, QPalette::WindowText, QColor::fromRgb(windowText));
        palette.setColor(group, QPalette::Base, QColor::fromRgb(base));
        palette.setColor(group, QPalette::Text, QColor::fromRgb(text));
        palette.setColor(group, QPalette::ButtonText, QColor::fromRgb(windowText));
        palette.setColor(group, QPalette::Button, QColor::fromRgb(window));
        palette.setColor(group, QPalette::Highlight, QColor::fromRgb(highlight));
        palette.setColor(group, QPalette::HighlightedText, QColor::fromRgb(0xFFFFFF));
    }
    return palette;
}

// Desktop palettes as their themes set them, light and dark.
QPalette LightDefault() {
    return MakePalette(0xEFEFEF, 0x000000, 0xFFFFFF, 0x000000, 0x4040C0);
}
QPalette BreezeLight() {
    return MakePalette(0xEFF0F1, 0x232627, 0xFCFCFC, 0x232627, 0x3DAEE9);
}
QPalette BreezeDark() {
    return MakePalette(0x31363B, 0xEFF0F1, 0x232629, 0xEFF0F1, 0x3DAEE9);
}
QPalette FusionDark() {
    return MakePalette(0x353535, 0xFFFFFF, 0x2A2A2A, 0xFFFFFF, 0x2A82DA);
}
QPalette AdwaitaDark() {
    return MakePalette(0x353535, 0xEEEEEC, 0x2D2D2D, 0xEEEEEC, 0x15539E);
}

void AddPalettes() {
    QTest::addColumn<QPalette>("palette");
    QTest::addColumn<bool>("dark");
    QTest::newRow("light default") << LightDefault() << false;
    QTest::newRow("Breeze light") << BreezeLight() << false;
    QTest::newRow("Breeze Dark") << BreezeDark() << true;
    QTest::newRow("Fusion dark") << FusionDark() << true;
    QTest::newRow("Adwaita dark") << AdwaitaDark() << true;
}

// The fixed colours the renderer writes into a page, and the markup it writes them in.
constexpr QRgb kNoteGrey = 0xFF808080;
constexpr QRgb kSampleGreen = 0xFF006020;
constexpr QRgb kSynonymTeal = 0xFF007070;
constexpr QRgb kPronunciationPurple = 0xFF800080;

constexpr char kPage[] =
    "<html><head></head><body topmargin=4 leftmargin=4 rightmargin=4 bgcolor=#FFFFFF>"
    "<font color=#800080>ran</font><br><b>Noun</b>&nbsp;<sup><small><b><font "
    "color=#808080>1</font></b></small></sup><ol><li>a race \x95 <i><font color=006020>he won "
    "the run</font></i><table cellspacing=2 cellpadding=0><tr><td valign=top><small><font "
    "color=007070>&nbsp;syn. </font></small></td><td valign=top><small><a "
    "href=\"trial\">trial</a></small></td></tr></table></ol><table cellspacing=4><tr><td>"
    "<small><font color=#808080>plural: runs</font></small></td></tr></table></body></html>";

// Sets the application's palette for a scope, as a desktop's theme switch does, and puts the
// one before back at its end.
class CScopedPalette {
  public:
    explicit CScopedPalette(const QPalette& palette) : before_(QApplication::palette()) {
        QApplication::setPalette(palette);
    }
    ~CScopedPalette() {
        QApplication::setPalette(before_);
        QCoreApplication::processEvents();
    }

  private:
    QPalette before_;
};

double Ratio(const QColor& a, const QColor& b) {
    return ContrastRatio(a.rgb(), b.rgb());
}

// The text of a painted area against its background, measured on its pixels: the background
// is the area's most frequent colour, the text the colour of most contrast with it among
// those that cover at least a few pixels (the glyphs' solid cores are the pen's colour).
double PaintedContrast(const QImage& image, const QRect& area, QRgb* background) {
    QHash<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            ++counts[image.pixel(x, y) | 0xFF000000];
        }
    }
    *background = 0;
    int most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            *background = it.key();
        }
    }
    double best = 1.0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() >= 3) {
            best = std::max(best, ContrastRatio(it.key(), *background));
        }
    }
    return best;
}

}  // namespace

class ColourSchemeTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        qputenv("LEXICOVE_HOME", QByteArray::fromStdString(home_.Path()));
        database_ = OpenGlossedDictionary(home_.Path());
        QVERIFY(database_);
    }

    void contrastMeasure_data() {
        QTest::addColumn<QRgb>("first");
        QTest::addColumn<QRgb>("second");
        QTest::addColumn<double>("ratio");
        QTest::newRow("black on white") << QRgb(0xFF000000) << QRgb(0xFFFFFFFF) << 21.0;
        QTest::newRow("same colour") << QRgb(0xFF3DAEE9) << QRgb(0xFF3DAEE9) << 1.0;
        // The reference values of the WCAG's own examples.
        QTest::newRow("#767676 on white") << QRgb(0xFF767676) << QRgb(0xFFFFFFFF) << 4.54;
        QTest::newRow("#808080 on white") << QRgb(0xFF808080) << QRgb(0xFFFFFFFF) << 3.95;
        QTest::newRow("blue on white") << QRgb(0xFF0000FF) << QRgb(0xFFFFFFFF) << 8.59;
        QTest::newRow("order does not matter") << QRgb(0xFFFFFFFF) << QRgb(0xFF0000FF) << 8.59;
    }
    void contrastMeasure() {
        QFETCH(QRgb, first);
        QFETCH(QRgb, second);
        QFETCH(double, ratio);
        QVERIFY2(qAbs(ContrastRatio(first, second) - ratio) < 0.01,
                 qPrintable(QString::number(ContrastRatio(first, second))));
    }

    void readableColourChangesOnlyWhatFails() {
        // Passing colours stay as they are.
        QCOMPARE(ReadableColour(0xFF006020, {0xFFFFFFFF}), QRgb(0xFF006020));
        // Grey on white is darkened just enough, keeping its hue (none).
        const QRgb grey = ReadableColour(kNoteGrey, {0xFFFFFFFF});
        QVERIFY(ContrastRatio(grey, 0xFFFFFFFF) >= CONTRAST_TEXT_MINIMUM);
        QVERIFY(ContrastRatio(grey, 0xFFFFFFFF) < 4.7);
        QCOMPARE(qRed(grey), qBlue(grey));
        // On a dark background a dark colour is made lighter.
        const QRgb blue = ReadableColour(0xFF0000FF, {0xFF232629});
        QVERIFY(RelativeLuminance(blue) > RelativeLuminance(0xFF0000FF));
        QVERIFY(ContrastRatio(blue, 0xFF232629) >= CONTRAST_TEXT_MINIMUM);
        // Against a dark and a light background together, the best that can be had.
        const QRgb both = ReadableColour(0xFF808080, {0xFF000000, 0xFFFFFFFF});
        QVERIFY(ContrastRatio(both, 0xFF000000) >= 3.9);
        QVERIFY(ContrastRatio(both, 0xFFFFFFFF) >= 3.9);
    }

    void darkIsTakenFromThePalette_data() { AddPalettes(); }
    void darkIsTakenFromThePalette() {
        QFETCH(QPalette, palette);
        QFETCH(bool, dark);
        QCOMPARE(CColourScheme::IsDarkPalette(palette), dark);
        const CColourScheme scheme(palette);
        QCOMPARE(scheme.IsDark(), dark);
        // A light palette keeps the page as designed; a dark one takes its base colour.
        QCOMPARE(scheme.PageBackground(),
                 dark ? palette.color(QPalette::Base).rgb() : CColourScheme::PAGE_WHITE);
    }

    // Every text colour pair the program maps, in each palette.
    void mappedPairsReachTheMinimum_data() { AddPalettes(); }
    void mappedPairsReachTheMinimum() {
        QFETCH(QPalette, palette);
        const CColourScheme scheme(palette);
        const QRgb page = scheme.PageBackground();
        const QRgb band = scheme.BandBackground();
        struct Pair {
            const char* what;
            QRgb text;
            QRgb background;
        };
        const Pair pairs[] = {
            {"page text", scheme.PageText(), page},
            {"page link", scheme.PageLink(), page},
            {"page black", scheme.PageColour(CColourScheme::PAGE_BLACK, false), page},
            {"grey notes", scheme.PageColour(kNoteGrey, false), page},
            {"green samples", scheme.PageColour(kSampleGreen, false), page},
            {"teal syn.", scheme.PageColour(kSynonymTeal, false), page},
            {"purple pronunciation", scheme.PageColour(kPronunciationPurple, false), page},
            {"search box letters", scheme.Text(0xFF000080, {band}), band},
            {"search box open boxes", scheme.Text(0xFF800000, {band}), band},
            {"header on the band", ReadableColour(scheme.Theme(), {scheme.Window(), band}), band},
            {"header on a dialog", ReadableColour(scheme.Theme(), {scheme.Window(), band}),
             scheme.Window()},
        };
        for (const Pair& pair : pairs) {
            const double ratio = ContrastRatio(pair.text, pair.background);
            QVERIFY2(ratio >= CONTRAST_TEXT_MINIMUM,
                     qPrintable(QStringLiteral("%1: %2 on %3 is %4:1")
                                    .arg(pair.what, QColor::fromRgb(pair.text).name(),
                                         QColor::fromRgb(pair.background).name())
                                    .arg(ratio)));
        }
        // The page's white is the page's background in either palette.
        QCOMPARE(scheme.PageColour(0xFFFFFF, true), page);
    }

    // The page's pictures (the pronunciation and link marks, the search help's symbol keys)
    // take the page's colours: white as the background, the rest readable on it.
    void inlineImagesFollowThePage_data() { AddPalettes(); }
    void inlineImagesFollowThePage() {
        QFETCH(QPalette, palette);
        QFETCH(bool, dark);
        QImage picture(3, 1, QImage::Format_Indexed8);
        picture.setColorTable({CColourScheme::PAGE_WHITE, kPronunciationPurple, 0x00000000});
        for (int x = 0; x < 3; ++x) {
            picture.setPixel(x, 0, static_cast<uint>(x));
        }
        const CColourScheme scheme(palette);
        const QImage shown = scheme.PageImage(picture);
        if (!dark) {
            QCOMPARE(shown, picture);
            return;
        }
        QCOMPARE(shown.pixel(0, 0), scheme.PageBackground());
        QVERIFY(ContrastRatio(shown.pixel(1, 0), scheme.PageBackground()) >= CONTRAST_TEXT_MINIMUM);
        QCOMPARE(qAlpha(shown.pixel(2, 0)), 0);
        // A picture of another format is mapped pixel by pixel.
        const QImage argb = scheme.PageImage(picture.convertToFormat(QImage::Format_ARGB32));
        QCOMPARE(argb.pixel(0, 0), scheme.PageBackground());
        QCOMPARE(argb.pixel(1, 0), shown.pixel(1, 0));
    }

    // The page as shown: every piece of text in the document against the page's background,
    // in a dark palette and again after a live switch back to a light one.
    void shownPageReachesTheMinimum_data() { AddPalettes(); }
    void shownPageReachesTheMinimum() {
        QFETCH(QPalette, palette);
        QFETCH(bool, dark);
        CHtmlDisplay display;
        display.show();
        QVERIFY(QTest::qWaitForWindowExposed(&display));
        display.Clear();
        display.AddText(kPage);
        display.EndOfSource();
        const std::string source = display.PageSource();
        {
            CScopedPalette desktop(palette);
            QTRY_VERIFY(display.ColourScheme() == CColourScheme(palette));
            QCOMPARE(display.ColourScheme().IsDark(), dark);
            CheckDocument(display);
            // The page's bytes are what the renderer wrote; only the showing changes.
            QCOMPARE(display.PageSource(), source);
        }
        QTRY_VERIFY(!display.ColourScheme().IsDark());
        CheckDocument(display);
    }

    // The painted panel, its tab highlight and the bands of a whole window, on its pixels.
    void paintedPartsReachTheMinimum_data() { AddPalettes(); }
    void paintedPartsReachTheMinimum() {
        QFETCH(QPalette, palette);
        CMemorySettingsStore settings;
        settings.WriteString(SETTINGS_KEY, SETTING_START_WORD, u"hat");
        auto frame = std::make_unique<CLexicoveFrame>(database_.get(), &settings);
        QStringList errors;
        frame->SetMessageBoxHook([&errors](const QString& text) { errors << text; });
        QVERIFY(ShowFrame(frame.get()));
        // The desktop's theme changes while the window is up.
        CScopedPalette desktop(palette);
        QTRY_VERIFY(frame->ColourScheme() == CColourScheme(palette));
        const CFrameLayout& layout = frame->Layout();
        const bool randomWord = GetOptionsRecord().ShowRandomWords();
        frame->SetView(VIEW_LOOKUP);
        for (int tab = 0; tab < CFrameLayout::TAB_COUNT; ++tab) {
            frame->SelectTab(tab);
            const QImage image = frame->Client()->grab().toImage();
            for (const CFrameLayout::PanelLabel& label : layout.PanelLabels(tab, randomWord)) {
                CheckPainted(image, label.rect.intersected(QRect(0, 0, layout.PanelWidth(), 999)),
                             QStringLiteral("label %1, tab %2").arg(label.text).arg(tab));
            }
        }
        QVERIFY(frame->ShowWord("hot", false));
        frame->SetView(VIEW_CONTENT);
        const int width = frame->Client()->width();
        // The title without the band's edge (its last three rows, below the text).
        CheckPainted(frame->Client()->grab().toImage(),
                     layout.ContentTitle(frame->ReadButton().Rect().left()).adjusted(0, 0, 0, -4),
                     "Content title");
        frame->SetView(VIEW_SEARCH);
        CheckPainted(frame->Client()->grab().toImage(),
                     layout.HeaderBand(width).adjusted(0, 0, -width / 2, 0), "Search title");
        // The Puzzle boxes: a letter, an open box and a letter, then the cursor's empty box.
        CSearchPanel* panel = frame->SearchPanel();
        QVERIFY(panel != nullptr);
        frame->SearchTabs()->SelectTab(0);
        QTest::keyClicks(panel, "c?t");
        const QImage boxes = panel->grab().toImage();
        for (int box = 0; box < 3; ++box) {
            CheckPainted(boxes, panel->BoxRect(box), QStringLiteral("search box %1").arg(box));
        }
        CloseShownFrame(&frame);
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join('\n')));
    }

  private:
    CTempDir home_;
    std::unique_ptr<CDictionaryDatabase> database_;

    static void CheckDocument(const CHtmlDisplay& display) {
        const QTextDocument* document = display.document();
        const QColor background = document->rootFrame()->frameFormat().background().color();
        QCOMPARE(background.rgb(), display.ColourScheme().PageBackground());
        int fragments = 0;
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment fragment = it.fragment();
                if (fragment.text().trimmed().isEmpty()) {
                    continue;
                }
                const QTextCharFormat format = fragment.charFormat();
                const QColor text = format.foreground().style() == Qt::NoBrush
                                        ? display.palette().color(QPalette::Text)
                                        : format.foreground().color();
                ++fragments;
                QVERIFY2(Ratio(text, background) >= CONTRAST_TEXT_MINIMUM,
                         qPrintable(QStringLiteral("\"%1\": %2 on %3")
                                        .arg(fragment.text(), text.name(), background.name())));
            }
        }
        QVERIFY(fragments >= 7);
    }

    static void CheckPainted(const QImage& image, const QRect& area, const QString& what) {
        QRgb background = 0;
        const double ratio = PaintedContrast(image, area, &background);
        QVERIFY2(ratio >= CONTRAST_TEXT_MINIMUM,
                 qPrintable(QStringLiteral("%1: %2:1 on %3")
                                .arg(what)
                                .arg(ratio)
                                .arg(QColor::fromRgb(background).name())));
    }
};

QTEST_MAIN(ColourSchemeTest)
#include "colour_scheme_test.moc"
