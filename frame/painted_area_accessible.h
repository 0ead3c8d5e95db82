#pragma once
// CPaintedAreaAccessible: the screen reader's view of a widget that paints some of its
// controls itself (the main window's client area, the search panel): its child widgets as
// usual, followed by the painted controls (IPaintedControls), each a
// CPaintedControlAccessible that this interface owns; the painted value, if any, as its value.
//
// InstallPaintedAreaAccessibility registers (once) the factory that gives such widgets this
// interface, and drops an interface made for the widget before it was ready (made while it was
// being built); the frame and the search panel call it once their painted controls exist.
#include <QAccessibleWidget>
#include <vector>

class IPaintedControls;

class CPaintedAreaAccessible : public QAccessibleWidget {
  public:
    CPaintedAreaAccessible(IPaintedControls* owner, QAccessible::Role role);
    ~CPaintedAreaAccessible() override;

    QString text(QAccessible::Text kind) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

  private:
    IPaintedControls* owner_;
    std::vector<QAccessible::Id> painted_;  // the painted controls' registered interfaces
};

void InstallPaintedAreaAccessibility(QWidget* widget);
