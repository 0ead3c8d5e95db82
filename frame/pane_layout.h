#pragma once
// CPaneLayout: which layout the main window's client area takes, and where the two panes go.
//
// A client area of at least 600 by 400 units (pixels times the display scale) shows two panes
// side by side: on the left the Lookup view (the painted panel with the list tabs, the "Look
// up:" box and the word list), on the right the Content view or the Search view, with a
// splitter handle between them. A smaller client area keeps the handheld layout, one view at
// a time over the whole area.
//
// The left pane's width is the splitter's position, in pixels: 280 units at first, never
// narrower than the handheld's 240 units, and never so wide that the right pane gets fewer
// than 240 units. Coordinates are the client area's.
#include <QRect>
#include <QSize>

class CPaneLayout {
  public:
    static constexpr int MIN_CLIENT_WIDTH = 600;
    static constexpr int MIN_CLIENT_HEIGHT = 400;
    static constexpr int DEFAULT_LEFT_WIDTH = 280;
    static constexpr int MIN_PANE_WIDTH = 240;

    // scale: the display scale; handleWidth: the splitter handle's width in pixels.
    CPaneLayout(int scale, int handleWidth);

    // True when a client area of this size shows two panes.
    bool TwoPanes(const QSize& client) const;

    // The stored splitter position; 0 or less means none (the default width is used).
    void SetLeftWidth(int pixels) { leftWidth_ = pixels; }
    // The splitter dragged to x in a client area this wide: the position becomes x, kept
    // within the limits.
    void DragTo(int x, int clientWidth) { leftWidth_ = Clamp(x, clientWidth); }
    // The left pane's width in a client area this wide, kept within the limits above.
    int LeftWidth(int clientWidth) const;

    QRect LeftPane(const QSize& client) const;
    QRect Handle(const QSize& client) const;
    QRect RightPane(const QSize& client) const;

  private:
    int U(int units) const { return units * scale_; }
    int Clamp(int pixels, int clientWidth) const;

    int scale_;
    int handleWidth_;
    int leftWidth_ = 0;
};
