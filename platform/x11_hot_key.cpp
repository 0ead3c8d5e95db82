#include "platform/x11_hot_key.h"

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <array>
#include <cstdlib>

#include "platform/key_symbol.h"

namespace {

// The lock keys' modifiers: Caps Lock, and Num Lock as X servers map it (Mod2).
constexpr uint16_t kLockMasks[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2,
                                   XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};
// The modifiers a press is compared on: the eight modifier bits but the lock keys' (the higher
// bits of a key event's state are the mouse buttons held).
constexpr uint16_t kComparedMasks = 0xff & ~(XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2);
constexpr uint8_t kBadAccess = 10;  // X11's error code for a key grabbed by another client

// The first key code that produces keysym on the current keyboard map; 0 when none does.
uint8_t KeycodeOf(xcb_connection_t* connection, uint32_t keysym) {
    xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(connection);
    if (symbols == nullptr) {
        return 0;
    }
    uint8_t keycode = 0;
    if (xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols, keysym)) {
        keycode = codes[0] != XCB_NO_SYMBOL ? codes[0] : 0;
        std::free(codes);
    }
    xcb_key_symbols_free(symbols);
    return keycode;
}

}  // namespace

std::unique_ptr<CX11HotKey> CX11HotKey::Create(QObject* parent) {
    auto* application = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = application != nullptr ? application->connection() : nullptr;
    if (connection == nullptr) {
        return nullptr;
    }
    const xcb_setup_t* setup = xcb_get_setup(connection);
    xcb_screen_iterator_t screen = xcb_setup_roots_iterator(setup);
    if (screen.rem == 0) {
        return nullptr;
    }
    return std::make_unique<CX11HotKey>(connection, screen.data->root, parent);
}

CX11HotKey::CX11HotKey(xcb_connection_t* connection, uint32_t root, QObject* parent)
    : CGlobalHotKey(parent), connection_(connection), root_(root) {
    QCoreApplication::instance()->installNativeEventFilter(this);
}

CX11HotKey::~CX11HotKey() {
    QCoreApplication::instance()->removeNativeEventFilter(this);
    Ungrab();
}

void CX11HotKey::SetKey(const QKeySequence& key) {
    Ungrab();
    SetRequestedKey(key);
    if (key.isEmpty()) {
        SetStatus(HOT_KEY_OFF);
        return;
    }
    const CKeySymbol symbol(key);
    const uint8_t keycode = symbol.IsValid() ? KeycodeOf(connection_, symbol.Keysym()) : 0;
    SetStatus(keycode == 0 ? HOT_KEY_UNSUPPORTED : Grab(keycode, symbol.X11Modifiers()));
}

CGlobalHotKey::Status CX11HotKey::Grab(uint8_t keycode, uint16_t modifiers) {
    std::array<xcb_void_cookie_t, std::size(kLockMasks)> cookies;
    for (size_t i = 0; i < cookies.size(); ++i) {
        // owner_events off: every press of the key comes to the root window, also when one of
        // our own windows has the focus (with it on, such a press went to that window, past the
        // filter below, and the hot key seemed dead whenever Lexicove itself was focused).
        cookies[i] = xcb_grab_key_checked(connection_, 0, root_, modifiers | kLockMasks[i], keycode,
                                          XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
    }
    bool taken = false;
    bool failed = false;
    for (xcb_void_cookie_t cookie : cookies) {
        if (xcb_generic_error_t* error = xcb_request_check(connection_, cookie)) {
            (error->error_code == kBadAccess ? taken : failed) = true;
            std::free(error);
        }
    }
    keycode_ = keycode;
    modifiers_ = modifiers;
    if (taken || failed) {
        Ungrab();  // the variants that were granted
        return taken ? HOT_KEY_TAKEN : HOT_KEY_FAILED;
    }
    return HOT_KEY_BOUND;
}

void CX11HotKey::Ungrab() {
    if (keycode_ == 0) {
        return;
    }
    for (uint16_t lock : kLockMasks) {
        xcb_ungrab_key(connection_, keycode_, root_, modifiers_ | lock);
    }
    xcb_flush(connection_);
    keycode_ = 0;
}

bool CX11HotKey::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (keycode_ == 0 || eventType != "xcb_generic_event_t") {
        return false;
    }
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & ~0x80) != XCB_KEY_PRESS) {
        return false;
    }
    const auto* press = static_cast<const xcb_key_press_event_t*>(message);
    if (press->event != root_ || press->detail != keycode_ ||
        (press->state & kComparedMasks) != modifiers_) {
        return false;
    }
    emit activated();
    return true;
}
