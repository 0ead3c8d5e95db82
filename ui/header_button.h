#pragma once

// CHeaderButton: an owner-drawn button of the main window's panel and header band (the
// word-of-the-day area, Read, Back, Forward) and of the search panel (Search). It has no
// widget of its own: the owner hands it its presses, moves and releases and paints it from
// Rect and State; the button repaints its rectangle on the owner and posts its command to
// the owner as a WM_COMMAND (app/messages.h) posted message (platform/message_poster.h):
// wParam the command id, lParam the notification code.
//
// Pressed and released inside, the button gives its command (code 0). Dragged off it shows
// released, dragged back it shows pressed again; released outside, it gives nothing. A button
// with hold that stays down for the hold interval (600 ms) gives its command once with code
// 1 instead and stops tracking at once: the release that follows gives nothing.
//
// The hold timer runs in the button (on the handheld it ran on the owner window, which passed
// its ticks back); HoldTick may also be driven from outside. The owner keeps the button that
// took a press until its release, and forgets it as soon as it no longer IsTracking (after a
// hold). The mouse capture is Qt's own while the button is down.

#include <QPoint>
#include <QRect>
#include <QTimer>

class QWidget;

class CHeaderButton {
  public:
    static constexpr int STATE_NORMAL = 0;
    static constexpr int STATE_PRESSED = 1;
    static constexpr int STATE_DISABLED = 3;
    static constexpr int HOLD_INTERVAL_MS = 600;

    CHeaderButton();
    virtual ~CHeaderButton();
    CHeaderButton(const CHeaderButton&) = delete;
    CHeaderButton& operator=(const CHeaderButton&) = delete;

    // rect in the owner's coordinates; the owner receives the commands and the repaints.
    void Create(const QRect& rect, QWidget* owner, int command, bool hold);
    // Off disables; on turns a disabled button back to normal and leaves a pressed one alone.
    void Enable(bool on);
    // Moves the rectangle's top-left corner, keeping its size.
    void MoveTo(int x, int y);

    QRect Rect() const { return rect_; }
    int State() const { return state_; }
    int Command() const { return command_; }
    // True from an accepted press until its release or hold.
    bool IsTracking() const { return tracking_; }

    // Not disabled and the point lies in the rectangle.
    bool HitTest(const QPoint& point) const;
    // A press: true, the button tracking and pressed, when HitTest passes; false otherwise.
    bool Press(const QPoint& point);
    // A move while down: false when not tracking; otherwise the pressed look follows whether
    // the point is on the button, and true.
    bool Move(const QPoint& point);
    // The release: the command when released on the button; the button stops tracking.
    void Release(const QPoint& point);
    // One tick of the hold timer: true when it gave the hold command (code 1).
    bool HoldTick();

    // Replaces the hold interval (tests); takes effect at the next press.
    void SetHoldInterval(int milliseconds) { holdTimer_.setInterval(milliseconds); }
    int HoldInterval() const { return holdTimer_.interval(); }
    bool IsHoldTimerRunning() const { return holdTimer_.isActive(); }

  private:
    // Ends a press: normal look, the command when asked, the hold timer stopped.
    void EndTracking(bool giveCommand);
    void PostCommand(int code) const;
    void Invalidate() const;
    void StopHold();

    bool tracking_ = false;
    int state_ = STATE_NORMAL;
    QWidget* owner_ = nullptr;
    int command_ = 0;
    int holdCounter_ = 0;  // 0 when no hold timer runs, else the ticks so far plus one
    QRect rect_;
    bool hold_ = false;
    QTimer holdTimer_;
};
