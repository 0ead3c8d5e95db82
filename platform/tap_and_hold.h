#pragma once

// CTapAndHold: recognises the tap-and-hold gesture on a widget and reports it as held().
//
// The gesture is either a left-button press held for the hold interval (600 ms) without
// moving further than the platform's drag distance, or a right-button press, or a
// context-menu event (keyboard menu key, platform gesture). A press that is held long enough
// has been recognised: the widget then gets neither the moves nor the release that follow, so
// a held link is not also followed and a held word is not also selected. Right clicks and
// context-menu events are swallowed likewise, so the widget shows no menu of its own.
//
// The filter watches the target it is built with (for a scroll area, pass its viewport); it
// is owned by the target unless given another parent.

#include <QObject>
#include <QPoint>
#include <QTimer>

class QWidget;

class CTapAndHold : public QObject {
    Q_OBJECT

  public:
    static constexpr int HOLD_INTERVAL_MS = 600;

    explicit CTapAndHold(QWidget* target, QObject* parent = nullptr);

    // Replaces the hold interval (tests); takes effect at the next press.
    void SetHoldInterval(int milliseconds) { timer_.setInterval(milliseconds); }
    int HoldInterval() const { return timer_.interval(); }
    // True from an accepted left press until its release, a move away or the hold.
    bool IsTiming() const { return timer_.isActive(); }

  signals:
    // The gesture was recognised at position, in the target's coordinates.
    void held(QPoint position);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void OnTimeout();
    // Ends a press: true when the event belongs to a recognised hold and is to be swallowed.
    bool EndPress();

    QWidget* target_;
    QTimer timer_;
    QPoint pressPoint_;
    bool swallowing_ = false;    // the hold was recognised: swallow until the release
    bool rightPressed_ = false;  // a right click was reported; its context-menu event is not
};
