#pragma once
// CFrameLayout: the geometry of the main window. Every place is given in layout units and
// multiplied by the display scale; the widths of the panel background (P) and of the box
// frame bitmap (F) are in pixels already. Coordinates are the frame's client coordinates.
#include <QPoint>
#include <QRect>
#include <vector>

class CFrameLayout {
  public:
    static constexpr int TAB_COUNT = 5;
    static constexpr int HEADER_HEIGHT = 26;

    // A text painted on the Lookup view's panel: single line, centred vertically in rect, in
    // the interface font of fontHeight units.
    struct PanelLabel {
        QRect rect;
        const char* text;
        int fontHeight;
        bool bold;
    };

    // scale: the display scale; panelWidth P and boxFrameWidth F in pixels.
    CFrameLayout(int scale, int panelWidth, int boxFrameWidth);

    int Scale() const { return scale_; }
    int PanelWidth() const { return panelWidth_; }
    // Top of list tab i in units: 20 for tab 0, 20 * i + 28 for the others.
    static int TabTop(int tab);

    QRect LookupEdit() const;
    QRect WordList(int clientWidth, int clientHeight) const;
    QRect ContentView(int clientWidth, int clientHeight) const;
    QRect TabIcon(int tab) const;
    QRect TabLabel(int tab) const;
    // The band repainted when tab i is selected or left.
    QRect TabBand(int tab) const;
    // The tab whose hit area holds the point (edges excluded), or -1.
    int TabAt(const QPoint& point) const;
    QPoint RandomWordIcon() const;
    QRect RandomWordLabel() const;
    QRect WordOfTheDayArea() const;
    // The labels of the five list tabs (bold for tab 0 and the current tab), then, when
    // withRandomWord, "Random Word:".
    std::vector<PanelLabel> PanelLabels(int currentTab, bool withRandomWord) const;
    // Top-left corners of the header buttons for a client width; each is 16 by 16 units.
    QPoint ForwardButton(int clientWidth) const;
    QPoint BackButton(int clientWidth) const;
    QPoint ReadButton(int clientWidth) const;
    QRect HeaderButton(const QPoint& topLeft) const;
    // The Content view's title: x 4 to one pixel left of the Read button, the band's height.
    QRect ContentTitle(int readLeft) const;
    QRect HeaderBand(int clientWidth) const;

  private:
    int U(int units) const { return units * scale_; }

    int scale_;
    int panelWidth_;
    int boxFrameWidth_;
};
