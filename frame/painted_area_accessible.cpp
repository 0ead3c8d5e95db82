#include "frame/painted_area_accessible.h"

#include "frame/lexicove_frame.h"
#include "frame/painted_control_accessible.h"
#include "frame/search_panel.h"

namespace {

// The painted controls of a widget: the frame's for its client area, the search panel's own.
IPaintedControls* OwnerOf(QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr) {
        return nullptr;
    }
    if (auto* panel = qobject_cast<CSearchPanel*>(widget)) {
        return panel;
    }
    auto* frame = qobject_cast<CLexicoveFrame*>(widget->window());
    return frame != nullptr && frame->Client() == widget ? frame : nullptr;
}

QAccessibleInterface* CreatePaintedAreaAccessible(const QString&, QObject* object) {
    IPaintedControls* owner = OwnerOf(object);
    if (owner == nullptr) {
        return nullptr;
    }
    // The search panel takes typed letters; the client area is a plain pane.
    const QAccessible::Role role = qobject_cast<CSearchPanel*>(object) != nullptr
                                       ? QAccessible::EditableText
                                       : QAccessible::Client;
    return new CPaintedAreaAccessible(owner, role);
}

}  // namespace

CPaintedAreaAccessible::CPaintedAreaAccessible(IPaintedControls* owner, QAccessible::Role role)
    : QAccessibleWidget(owner->PaintingWidget(), role), owner_(owner) {
    const size_t count = owner->PaintedControls().size();
    for (size_t i = 0; i < count; ++i) {
        painted_.push_back(QAccessible::registerAccessibleInterface(
            new CPaintedControlAccessible(owner, this, i)));
    }
}

CPaintedAreaAccessible::~CPaintedAreaAccessible() {
    for (const QAccessible::Id id : painted_) {
        QAccessible::deleteAccessibleInterface(id);
    }
}

QString CPaintedAreaAccessible::text(QAccessible::Text kind) const {
    if (kind == QAccessible::Value) {
        return owner_->PaintedValue();
    }
    return QAccessibleWidget::text(kind);
}

int CPaintedAreaAccessible::childCount() const {
    return QAccessibleWidget::childCount() + static_cast<int>(painted_.size());
}

QAccessibleInterface* CPaintedAreaAccessible::child(int index) const {
    const int widgets = QAccessibleWidget::childCount();
    if (index < widgets) {
        return QAccessibleWidget::child(index);
    }
    const auto painted = static_cast<size_t>(index - widgets);
    return painted < painted_.size() ? QAccessible::accessibleInterface(painted_[painted])
                                     : nullptr;
}

int CPaintedAreaAccessible::indexOfChild(const QAccessibleInterface* child) const {
    for (size_t i = 0; i < painted_.size(); ++i) {
        if (QAccessible::accessibleInterface(painted_[i]) == child) {
            return QAccessibleWidget::childCount() + static_cast<int>(i);
        }
    }
    return QAccessibleWidget::indexOfChild(child);
}

QAccessibleInterface* CPaintedAreaAccessible::childAt(int x, int y) const {
    for (const QAccessible::Id id : painted_) {
        QAccessibleInterface* control = QAccessible::accessibleInterface(id);
        if (!control->state().invisible && control->rect().contains(x, y)) {
            return control;
        }
    }
    return QAccessibleWidget::childAt(x, y);
}

void InstallPaintedAreaAccessibility(QWidget* widget) {
    static const bool installed = [] {
        QAccessible::installFactory(CreatePaintedAreaAccessible);
        return true;
    }();
    (void)installed;
    QAccessibleInterface* made = QAccessible::queryAccessibleInterface(widget);
    if (made != nullptr && dynamic_cast<CPaintedAreaAccessible*>(made) == nullptr) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    }
}
