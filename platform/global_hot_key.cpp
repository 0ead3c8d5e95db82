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

std::unique_ptr<CGlobalHotKey> CGlobalHotKey::Create(QObject* parent) {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        return nullptr;
    }
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("xcb")) {
        return CX11HotKey::Create(parent);
    }
    if (platform.startsWith(QLatin1String("wayland")) && SessionBusPresent()) {
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (bus.isConnected()) {
            return std::make_unique<CPortalHotKey>(bus, parent);
        }
    }
    return nullptr;
}

void CGlobalHotKey::SetStatus(Status status) {
    // Also when unchanged: a second key taken is news of its own.
    status_ = status;
    emit statusChanged();
}
