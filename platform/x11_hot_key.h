#pragma once

// CX11HotKey: the global hot key on X11. The key is grabbed on the root window (xcb_grab_key),
// once for each state of the lock keys that must not matter (Caps Lock, Num Lock), so that
// the X server sends its presses to this program whichever window has the focus; they are
// taken out of Qt's event stream by a native event filter. A key another program has grabbed
// already makes the server answer BadAccess: the status is then HOT_KEY_TAKEN and nothing is
// held.

#include <QAbstractNativeEventFilter>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/global_hot_key.h"

struct xcb_connection_t;

class CX11HotKey : public CGlobalHotKey, public QAbstractNativeEventFilter {
    Q_OBJECT

  public:
    // The hot key over the application's X11 connection; null when Qt does not run on X11.
    static std::unique_ptr<CX11HotKey> Create(QObject* parent = nullptr);

    CX11HotKey(xcb_connection_t* connection, uint32_t root, QObject* parent = nullptr);
    // Releases the grab.
    ~CX11HotKey() override;

    void SetKey(const QKeySequence& key) override;
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

  private:
    // Grabs the key code with the modifiers in every lock state; all or nothing.
    Status Grab(uint8_t keycode, uint16_t modifiers);
    void Ungrab();

    xcb_connection_t* connection_;
    uint32_t root_;
    uint8_t keycode_ = 0;  // 0: nothing grabbed
    uint16_t modifiers_ = 0;
};
