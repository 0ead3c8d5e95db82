#include "platform/tap_and_hold.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QWidget>

CTapAndHold::CTapAndHold(QWidget* target, QObject* parent)
    : QObject(parent != nullptr ? parent : target), target_(target) {
    timer_.setSingleShot(true);
    timer_.setInterval(HOLD_INTERVAL_MS);
    connect(&timer_, &QTimer::timeout, this, &CTapAndHold::OnTimeout);
    target_->installEventFilter(this);
}

void CTapAndHold::OnTimeout() {
    swallowing_ = true;
    emit held(pressPoint_);
}

bool CTapAndHold::EndPress() {
    timer_.stop();
    const bool swallow = swallowing_;
    swallowing_ = false;
    return swallow;
}

bool CTapAndHold::eventFilter(QObject* watched, QEvent* event) {
    if (watched != target_) {
        return false;
    }
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            const QPoint point = mouse->position().toPoint();
            if (mouse->button() == Qt::RightButton) {
                EndPress();
                rightPressed_ = true;
                emit held(point);
                return true;
            }
            if (mouse->button() == Qt::LeftButton) {
                swallowing_ = false;
                rightPressed_ = false;
                pressPoint_ = point;
                timer_.start();
            }
            return false;
        }
        case QEvent::MouseMove: {
            if (swallowing_) {
                return true;
            }
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (timer_.isActive() && (mouse->position().toPoint() - pressPoint_).manhattanLength() >
                                         QApplication::startDragDistance()) {
                timer_.stop();  // a drag, not a hold
            }
            return false;
        }
        case QEvent::MouseButtonRelease: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::RightButton) {
                return true;  // its press was the gesture
            }
            return EndPress();
        }
        case QEvent::ContextMenu: {
            auto* menu = static_cast<QContextMenuEvent*>(event);
            // The window system follows a right click with a context-menu event of its own;
            // the click was the gesture already.
            const bool echo = rightPressed_ && menu->reason() == QContextMenuEvent::Mouse;
            rightPressed_ = false;
            EndPress();
            if (!echo) {
                emit held(menu->pos());
            }
            return true;
        }
        default:
            return false;
    }
}
