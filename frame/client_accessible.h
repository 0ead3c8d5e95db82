#pragma once
// CClientAccessible: the screen reader's view of the main window's client area: its child
// widgets as usual, followed by the controls the frame paints itself (the list tabs, the
// word-of-the-day area, the Read, Back and Forward buttons), each a
// CPaintedControlAccessible that this interface owns.
//
// InstallClientAccessibility registers (once) the factory that gives a frame's client area this
// interface, and drops an interface made for the client area before the frame knew it as such;
// the frame calls it once its client area and header buttons exist.
#include <QAccessibleWidget>
#include <vector>

class CLexicoveFrame;
class CPaintedControlAccessible;

class CClientAccessible : public QAccessibleWidget {
  public:
    CClientAccessible(QWidget* client, CLexicoveFrame* frame);
    ~CClientAccessible() override;

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

  private:
    CLexicoveFrame* frame_;
    std::vector<QAccessible::Id> painted_;  // the painted controls' registered interfaces
};

void InstallClientAccessibility(QWidget* client);
