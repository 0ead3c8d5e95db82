#pragma once
// CPaintedControl: a control that a window paints itself instead of a child widget (a list
// tab of the Lookup view's panel, the word-of-the-day area, the Read, Back and Forward
// buttons of the Content view's band, the search panel's Search button), described for screen
// readers: its place in the painting widget, its name and role, and its state at the moment.
//
// IPaintedControls: a widget's source of such controls, and their press.
#include <QAccessible>
#include <QRect>
#include <QString>
#include <vector>

class QWidget;

struct CPaintedControl {
    QRect rect;  // in the painting widget's coordinates
    QString name;
    QAccessible::Role role = QAccessible::Button;
    bool shown = false;     // on show at the moment
    bool enabled = true;    // a button can be disabled
    bool selected = false;  // the current list tab
};

class IPaintedControls {
  public:
    virtual ~IPaintedControls() = default;
    // The widget the controls are painted on.
    virtual QWidget* PaintingWidget() = 0;
    // The controls, always the same number of them in the same order.
    virtual std::vector<CPaintedControl> PaintedControls() const = 0;
    // A screen reader's press: as a tap on the control; nothing for a control not on show or
    // disabled.
    virtual void PressPaintedControl(size_t index) = 0;
    // What the painting widget shows as its value (the search panel's letters); empty for none.
    virtual QString PaintedValue() const { return QString(); }
};
