#include "platform/global_hot_key.h"

#include <QDBusConnection>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

#include "platform/portal_hot_key.h"
#include "platform/x11_hot_key.h"

namespace {

// True when a session bus is there to be reached. Without $DBUS_SESSION_BUS_ADDRESS and
// without the runtime folder's "bus" socket, the D-Bus library would start a bus of its own
// (autolaunch), a process that outlives this one: never ask it then.
bool SessionBusPresent() {
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) {
        return true;
    }
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && QFileInfo::exists(runtime + QStringLiteral("/bus"));
}

}  // namespace

CGlobalHotKey::Kind CGlobalHotKey::KindOf(const QString& platform, bool waylandSession,
                                          bool sessionBus) {
    const bool x11 = platform == QLatin1String("xcb");
    if (platform.startsWith(QLatin1String("wayland")) || (x11 && waylandSession)) {
        return sessionBus ? KIND_PORTAL : KIND_NONE;
    }
    return x11 ? KIND_X11 : KIND_NONE;
}

std::unique_ptr<CGlobalHotKey> CGlobalHotKey::Create(QObject* parent) {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        return nullptr;
    }
    switch (KindOf(QGuiApplication::platformName(), !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"),
                   SessionBusPresent())) {
        case KIND_X11:
            return CX11HotKey::Create(parent);
        case KIND_PORTAL: {
            QDBusConnection bus = QDBusConnection::sessionBus();
            if (bus.isConnected()) {
                return std::make_unique<CPortalHotKey>(bus, parent);
            }
            return nullptr;
        }
        case KIND_NONE:
            break;
    }
    return nullptr;
}

void CGlobalHotKey::SetStatus(Status status) {
    // Also when unchanged: a second key taken is news of its own.
    status_ = status;
    emit statusChanged();
}
