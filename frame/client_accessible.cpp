#include "frame/client_accessible.h"

#include "frame/lexicove_frame.h"
#include "frame/painted_control_accessible.h"

namespace {

QAccessibleInterface* CreateClientAccessible(const QString&, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    auto* frame = widget != nullptr ? qobject_cast<CLexicoveFrame*>(widget->window()) : nullptr;
    if (frame == nullptr || frame->Client() != widget) {
        return nullptr;
    }
    return new CClientAccessible(widget, frame);
}

}  // namespace

CClientAccessible::CClientAccessible(QWidget* client, CLexicoveFrame* frame)
    : QAccessibleWidget(client, QAccessible::Client), frame_(frame) {
    const size_t count = frame->PaintedControls().size();
    for (size_t i = 0; i < count; ++i) {
        painted_.push_back(QAccessible::registerAccessibleInterface(
            new CPaintedControlAccessible(frame, this, i)));
    }
}

CClientAccessible::~CClientAccessible() {
    for (const QAccessible::Id id : painted_) {
        QAccessible::deleteAccessibleInterface(id);
    }
}

int CClientAccessible::childCount() const {
    return QAccessibleWidget::childCount() + static_cast<int>(painted_.size());
}

QAccessibleInterface* CClientAccessible::child(int index) const {
    const int widgets = QAccessibleWidget::childCount();
    if (index < widgets) {
        return QAccessibleWidget::child(index);
    }
    const auto painted = static_cast<size_t>(index - widgets);
    return painted < painted_.size() ? QAccessible::accessibleInterface(painted_[painted])
                                     : nullptr;
}

int CClientAccessible::indexOfChild(const QAccessibleInterface* child) const {
    for (size_t i = 0; i < painted_.size(); ++i) {
        if (QAccessible::accessibleInterface(painted_[i]) == child) {
            return QAccessibleWidget::childCount() + static_cast<int>(i);
        }
    }
    return QAccessibleWidget::indexOfChild(child);
}

QAccessibleInterface* CClientAccessible::childAt(int x, int y) const {
    for (const QAccessible::Id id : painted_) {
        QAccessibleInterface* control = QAccessible::accessibleInterface(id);
        if (!control->state().invisible && control->rect().contains(x, y)) {
            return control;
        }
    }
    return QAccessibleWidget::childAt(x, y);
}

void InstallClientAccessibility(QWidget* client) {
    static const bool installed = [] {
        QAccessible::installFactory(CreateClientAccessible);
        return true;
    }();
    (void)installed;
    QAccessibleInterface* made = QAccessible::queryAccessibleInterface(client);
    if (made != nullptr && dynamic_cast<CClientAccessible*>(made) == nullptr) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    }
}
