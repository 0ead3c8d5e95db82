#include "ui/colour_scheme.h"

#include <QColor>
#include <QGuiApplication>

#include "ui/contrast.h"
#include "ui/theme_colour.h"
#include "ui/themed_bitmap.h"

namespace {

QRgb Opaque(const QColor& colour) {
    return colour.rgb() | 0xFF000000;
}

// The colour a fraction (0 to 256ths) of the way from one colour to another.
QRgb Blend(QRgb from, QRgb to, int fraction) {
    auto mix = [fraction](int a, int b) { return a + ((b - a) * fraction) / 256; };
    return qRgb(mix(qRed(from), qRed(to)), mix(qGreen(from), qGreen(to)),
                mix(qBlue(from), qBlue(to)));
}

}  // namespace

CColourScheme::CColourScheme(const QPalette& palette)
    : dark_(IsDarkPalette(palette)),
      window_(Opaque(palette.color(QPalette::Active, QPalette::Window))),
      windowText_(Opaque(palette.color(QPalette::Active, QPalette::WindowText))),
      base_(Opaque(palette.color(QPalette::Active, QPalette::Base))),
      text_(Opaque(palette.color(QPalette::Active, QPalette::Text))),
      theme_(Opaque(palette.color(QPalette::Active, QPalette::Highlight))) {}

CColourScheme CColourScheme::Current() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        QPalette light;
        light.setColor(QPalette::Highlight, QColor::fromRgb(THEME_COLOUR_DEFAULT));
        return CColourScheme(light);
    }
    return CColourScheme(QGuiApplication::palette());
}

bool CColourScheme::IsDarkPalette(const QPalette& palette) {
    return palette.color(QPalette::Active, QPalette::Window).lightness() <
           palette.color(QPalette::Active, QPalette::WindowText).lightness();
}

QRgb CColourScheme::PageBackground() const {
    return dark_ ? base_ : PAGE_WHITE;
}

QRgb CColourScheme::PageText() const {
    return dark_ ? ReadableColour(text_, {base_}) : PAGE_BLACK;
}

QRgb CColourScheme::PageLink() const {
    return Text(PAGE_LINK, {PageBackground()});
}

QRgb CColourScheme::PageColour(QRgb designed, bool background) const {
    designed |= 0xFF000000;
    if (background) {
        return designed == PAGE_WHITE ? PageBackground() : Background(designed);
    }
    return designed == PAGE_BLACK ? PageText() : Text(designed, {PageBackground()});
}

QImage CColourScheme::PageImage(const QImage& image) const {
    if (!dark_ || image.isNull()) {
        return image;
    }
    auto map = [this](QRgb pixel) {
        const QRgb colour = pixel | 0xFF000000;
        const QRgb shown = colour == PAGE_WHITE ? PageBackground() : PageColour(colour, false);
        return (shown & 0x00FFFFFF) | (pixel & 0xFF000000);
    };
    if (image.format() == QImage::Format_Indexed8) {
        QImage mapped = image;
        QList<QRgb> table = mapped.colorTable();
        for (QRgb& entry : table) {
            entry = map(entry);
        }
        mapped.setColorTable(table);
        return mapped;
    }
    QImage mapped = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < mapped.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(mapped.scanLine(y));
        for (int x = 0; x < mapped.width(); ++x) {
            line[x] = map(line[x]);
        }
    }
    return mapped;
}

QRgb CColourScheme::BandBackground() const {
    return dark_ ? base_ : PAGE_WHITE;
}

QRgb CColourScheme::RuleColour() const {
    return dark_ ? windowText_ : PAGE_BLACK;
}

QRgb CColourScheme::Text(QRgb designed, const QList<QRgb>& backgrounds) const {
    return ReadableColour(Mapped(designed | 0xFF000000), backgrounds);
}

QRgb CColourScheme::WindowText(const QList<QRgb>& backgrounds) const {
    return ReadableColour(windowText_, backgrounds);
}

QRgb CColourScheme::Background(QRgb designed) const {
    return Mapped(designed | 0xFF000000);
}

QRgb CColourScheme::TintEntry(QRgb entry) const {
    if (!dark_) {
        return CThemedBitmap::TintColour(entry, theme_);
    }
    // The light tint's shade of an entry is its distance from white; here the same distance
    // is taken from the window colour, towards the theme colour (or the text for greys).
    const int r = qRed(entry);
    const int g = qGreen(entry);
    const int b = qBlue(entry);
    const bool grey = r == g && g == b;
    const int brightness = grey ? r : CThemedBitmap::Brightness(entry);
    const QRgb tinted = Blend(window_, grey ? windowText_ : theme_, 255 - brightness);
    return (tinted & 0x00FFFFFF) | (entry & 0xFF000000);
}

QRgb CColourScheme::Mapped(QRgb designed) const {
    if (!dark_) {
        return designed;
    }
    const QColor hsl = QColor::fromRgba(designed).toHsl();
    return QColor::fromHsl(hsl.hslHue(), hsl.hslSaturation(), 255 - hsl.lightness(), hsl.alpha())
        .rgba();
}
