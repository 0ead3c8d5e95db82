#pragma once

// CColourScheme: the colours the program draws with, taken from a desktop palette. Pages and
// painted parts are designed dark on light; in a light palette they keep their designed
// colours, in a dark one (light text on a dark window) each designed colour is mapped:
//
// - the page's white and the bands' white become the palette's base colour, black text its
//   text colour;
// - every other designed colour keeps its hue with its lightness turned over (dark green
//   samples become light green);
// - the themed bitmaps' shades of the theme colour run from the window colour (for white)
//   towards the theme colour, and their greys from the window colour towards its text.
//
// In both palettes every text colour is then brought to at least CONTRAST_TEXT_MINIMUM
// against the background it is drawn on (ReadableColour), so the light page's grey notes are
// a little darker than designed.

#include <QImage>
#include <QList>
#include <QPalette>
#include <QRgb>

class CColourScheme {
  public:
    // The page's designed colours: its background, its text and its links.
    static constexpr QRgb PAGE_WHITE = 0xFFFFFFFF;
    static constexpr QRgb PAGE_BLACK = 0xFF000000;
    static constexpr QRgb PAGE_LINK = 0xFF0000FF;

    explicit CColourScheme(const QPalette& palette);
    // The scheme of the application's palette (the light default without an application).
    static CColourScheme Current();
    // Dark: the window colour is darker than the window's text.
    static bool IsDarkPalette(const QPalette& palette);

    bool IsDark() const { return dark_; }
    // The theme colour (the palette's highlight) that tints the chrome.
    QRgb Theme() const { return theme_; }
    QRgb Window() const { return window_; }

    // The page.
    QRgb PageBackground() const;
    QRgb PageText() const;
    QRgb PageLink() const;
    // A colour written in the page: as a background (bgcolor) or as a text colour.
    QRgb PageColour(QRgb designed, bool background) const;
    // An inline picture of the page with its colours mapped as the page's are: white as the
    // background, every other colour as a text colour; transparency kept.
    QImage PageImage(const QImage& image) const;

    // The painted parts.
    // The background of the bands, the search panel and its letter boxes (designed white).
    QRgb BandBackground() const;
    // Lines and frames (designed black).
    QRgb RuleColour() const;
    // A designed text colour, mapped to the scheme and readable on the backgrounds.
    QRgb Text(QRgb designed, const QList<QRgb>& backgrounds) const;
    // The window's text colour, readable on the backgrounds.
    QRgb WindowText(const QList<QRgb>& backgrounds) const;
    // A designed background or line colour, mapped to the scheme.
    QRgb Background(QRgb designed) const;
    // The colour of one colour-table entry of a themed bitmap.
    QRgb TintEntry(QRgb entry) const;

    bool operator==(const CColourScheme& other) const = default;

  private:
    // A designed colour with its lightness turned over in a dark scheme.
    QRgb Mapped(QRgb designed) const;

    bool dark_;
    QRgb window_;
    QRgb windowText_;
    QRgb base_;
    QRgb text_;
    QRgb theme_;
};
