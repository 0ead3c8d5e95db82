#pragma once
// CPaneSplitter: the handle between the main window's two panes. It draws itself as the
// style's splitter handle, shows the horizontal resize cursor, and reports a drag with the
// left edge it would have, in its parent's coordinates; the frame places the panes from it
// (CPaneLayout) and moves the handle there. It never takes the keyboard focus.
#include <QWidget>

class CPaneSplitter : public QWidget {
    Q_OBJECT

  public:
    explicit CPaneSplitter(QWidget* parent = nullptr);

    // The style's splitter handle width, in pixels.
    static int HandleWidth(const QWidget* widget);

  signals:
    // Dragged: the handle's left edge would be at x of the parent.
    void dragged(int x);
    // The drag ended (the place is then stored).
    void released();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    int grab_ = -1;  // where the handle was taken, in its own coordinates; -1 when not dragged
};
