#include "frame/painted_control_accessible.h"

#include <QWidget>
#include <QWindow>

#include "frame/lexicove_frame.h"

CPaintedControlAccessible::CPaintedControlAccessible(CLexicoveFrame* frame,
                                                     QAccessibleInterface* parent, size_t index)
    : frame_(frame), parent_(parent), index_(index) {}

bool CPaintedControlAccessible::isValid() const {
    return frame_ != nullptr && index_ < frame_->PaintedControls().size();
}

QWindow* CPaintedControlAccessible::window() const {
    return frame_ != nullptr ? frame_->window()->windowHandle() : nullptr;
}

QString CPaintedControlAccessible::text(QAccessible::Text kind) const {
    if (kind != QAccessible::Name || !isValid()) {
        return QString();
    }
    return frame_->PaintedControls()[index_].name;
}

QRect CPaintedControlAccessible::rect() const {
    if (!isValid()) {
        return QRect();
    }
    const QRect area = frame_->PaintedControls()[index_].rect;
    return QRect(frame_->Client()->mapToGlobal(area.topLeft()), area.size());
}

QAccessible::Role CPaintedControlAccessible::role() const {
    return isValid() ? frame_->PaintedControls()[index_].role : QAccessible::NoRole;
}

QAccessible::State CPaintedControlAccessible::state() const {
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    const CPaintedControl control = frame_->PaintedControls()[index_];
    state.invisible = !control.shown;
    state.offscreen = !control.shown;
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
        frame_->PressPaintedControl(index_);
    }
}
