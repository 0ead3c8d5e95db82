#pragma once
// CPaintedControl: a control that the frame paints itself instead of a child widget (a list
// tab of the Lookup view's panel, the word-of-the-day area, the Read, Back and Forward
// buttons of the Content view's band), described for screen readers: its place in the
// client area, its name and role, and its state at the moment.
#include <QAccessible>
#include <QRect>
#include <QString>

struct CPaintedControl {
    QRect rect;  // client coordinates
    QString name;
    QAccessible::Role role = QAccessible::Button;
    bool shown = false;     // on show in the current view
    bool enabled = true;    // a header button can be disabled
    bool selected = false;  // the current list tab
};
