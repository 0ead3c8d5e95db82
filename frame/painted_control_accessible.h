#pragma once
// CPaintedControlAccessible: the screen reader's view of one control that a widget paints
// itself (CPaintedControl): its name, role, state and place, and its press action. It is a
// child of the painting widget's interface (CPaintedAreaAccessible), which owns it.
#include <QAccessibleActionInterface>
#include <QAccessibleInterface>
#include <QPointer>
#include <QWidget>

class IPaintedControls;

class CPaintedControlAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
  public:
    CPaintedControlAccessible(IPaintedControls* owner, QAccessibleInterface* parent, size_t index);

    // QAccessibleInterface.
    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return parent_; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text kind) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    // QAccessibleActionInterface.
    QStringList actionNames() const override;
    void doAction(const QString& name) override;
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

  private:
    IPaintedControls* owner_;
    QPointer<QWidget> widget_;  // the painting widget: the owner lives as long as it does
    QAccessibleInterface* parent_;
    size_t index_;
};
