#include "frame/painted_control_accessible.h"

#include <QWindow>

#include "frame/painted_control.h"

CPaintedControlAccessible::CPaintedControlAccessible(IPaintedControls* owner,
                                                     QAccessibleInterface* parent, size_t index)
    : owner_(owner), widget_(owner->PaintingWidget()), parent_(parent), index_(index) {}

bool CPaintedControlAccessible::isValid() const {
    return widget_ != nullptr && index_ < owner_->PaintedControls().size();
}

QWindow* CPaintedControlAccessible::window() const {
    return widget_ != nullptr ? widget_->window()->windowHandle() : nullptr;
}

QString CPaintedControlAccessible::text(QAccessible::Text kind) const {
    if (kind != QAccessible::Name || !isValid()) {
        return QString();
    }
    return owner_->PaintedControls()[index_].name;
}

QRect CPaintedControlAccessible::rect() const {
    if (!isValid()) {
        return QRect();
    }
    const QRect area = owner_->PaintedControls()[index_].rect;
    return QRect(widget_->mapToGlobal(area.topLeft()), area.size());
}

QAccessible::Role CPaintedControlAccessible::role() const {
    return isValid() ? owner_->PaintedControls()[index_].role : QAccessible::NoRole;
}

QAccessible::State CPaintedControlAccessible::state() const {
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    const CPaintedControl control = owner_->PaintedControls()[index_];
    state.invisible = !control.shown || !widget_->isVisible();
    state.offscreen = state.invisible;
    state.disabled = !control.enabled;
    if (control.role == QAccessible::PageTab) {
        state.selectable = true;
        state.selected = control.selected;
    }
    return state;
}

void* CPaintedControlAccessible::interface_cast(QAccessible::InterfaceType type) {
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                : nullptr;
}

QStringList CPaintedControlAccessible::actionNames() const {
    return {pressAction()};
}

void CPaintedControlAccessible::doAction(const QString& name) {
    if (name == pressAction() && isValid()) {
        owner_->PressPaintedControl(index_);
    }
}
