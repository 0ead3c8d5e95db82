#include "ui/header_button.h"

#include <QWidget>

#include "app/messages.h"
#include "platform/message_poster.h"

namespace {

// The command with notification code 1: the button was held.
constexpr int kHeldCode = 1;
// The hold counter after the tick that gives the hold command.
constexpr int kHoldTicks = 2;

}  // namespace

CHeaderButton::CHeaderButton() {
    holdTimer_.setInterval(HOLD_INTERVAL_MS);
    QObject::connect(&holdTimer_, &QTimer::timeout, [this] { HoldTick(); });
}

CHeaderButton::~CHeaderButton() = default;

void CHeaderButton::Create(const QRect& rect, QWidget* owner, int command, bool hold) {
    StopHold();
    rect_ = rect;
    owner_ = owner;
    command_ = command;
    hold_ = hold;
    tracking_ = false;
    state_ = STATE_NORMAL;
}

void CHeaderButton::Enable(bool on) {
    if (!on) {
        state_ = STATE_DISABLED;
    } else if (state_ == STATE_DISABLED) {
        state_ = STATE_NORMAL;
    }
}

void CHeaderButton::MoveTo(int x, int y) {
    rect_.moveTo(x, y);
}

bool CHeaderButton::HitTest(const QPoint& point) const {
    return state_ != STATE_DISABLED && rect_.contains(point);
}

bool CHeaderButton::Press(const QPoint& point) {
    if (!HitTest(point)) {
        return false;
    }
    tracking_ = true;
    state_ = STATE_PRESSED;
    Invalidate();
    if (hold_) {
        holdCounter_ = 1;
        holdTimer_.start();
    }
    return true;
}

bool CHeaderButton::Move(const QPoint& point) {
    if (!tracking_) {
        return false;
    }
    const bool pressed = HitTest(point);
    if (pressed != (state_ == STATE_PRESSED)) {
        state_ = pressed ? STATE_PRESSED : STATE_NORMAL;
        Invalidate();
    }
    return true;
}

void CHeaderButton::Release(const QPoint& point) {
    if (tracking_) {
        EndTracking(HitTest(point));
    }
}

bool CHeaderButton::HoldTick() {
    if (holdCounter_ == 0) {
        return false;
    }
    ++holdCounter_;
    if (holdCounter_ < kHoldTicks) {
        return false;
    }
    // As a release off the button: the plain command is not given.
    if (tracking_) {
        EndTracking(false);
    }
    PostCommand(kHeldCode);
    StopHold();
    return true;
}

void CHeaderButton::EndTracking(bool giveCommand) {
    tracking_ = false;
    if (state_ == STATE_PRESSED) {
        state_ = STATE_NORMAL;
    }
    if (giveCommand) {
        PostCommand(0);
    }
    Invalidate();
    StopHold();
}

void CHeaderButton::PostCommand(int code) const {
    if (owner_ != nullptr) {
        CMessagePoster(owner_).Post(WM_COMMAND, command_, code);
    }
}

void CHeaderButton::Invalidate() const {
    if (owner_ != nullptr) {
        owner_->update(rect_);
    }
}

void CHeaderButton::StopHold() {
    holdTimer_.stop();
    holdCounter_ = 0;
}
