#include "platform/portal_hot_key.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

#include "platform/key_symbol.h"

namespace {

constexpr char kRequestInterface[] = "org.freedesktop.portal.Request";
constexpr char kSessionInterface[] = "org.freedesktop.portal.Session";
constexpr char kRequestPathPrefix[] = "/org/freedesktop/portal/desktop/request/";
// The Response codes: 0 success, 1 cancelled by the user, 2 ended otherwise.
constexpr uint kResponseSuccess = 0;
constexpr uint kResponseFailed = 2;

// One shortcut of BindShortcuts: its id and its properties (the D-Bus type (sa{sv})).
struct PortalShortcut {
    QString id;
    QVariantMap properties;
};

QDBusArgument& operator<<(QDBusArgument& argument, const PortalShortcut& shortcut) {
    argument.beginStructure();
    argument << shortcut.id << shortcut.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, PortalShortcut& shortcut) {
    argument.beginStructure();
    argument >> shortcut.id >> shortcut.properties;
    argument.endStructure();
    return argument;
}

// A handle the portal gives back as an object path or, as its documentation has it, a string.
QString HandleText(const QVariant& value) {
    if (value.metaType() == QMetaType::fromType<QDBusObjectPath>()) {
        return value.value<QDBusObjectPath>().path();
    }
    return value.toString();
}

}  // namespace

Q_DECLARE_METATYPE(PortalShortcut)

CPortalHotKey::CPortalHotKey(const QDBusConnection& bus, QObject* parent)
    : CGlobalHotKey(parent), bus_(bus) {
    qDBusRegisterMetaType<PortalShortcut>();
    qDBusRegisterMetaType<QList<PortalShortcut>>();
    bus_.connect(QLatin1String(SERVICE), QLatin1String(PATH), QLatin1String(INTERFACE),
                 QStringLiteral("Activated"), this, SLOT(OnActivated(QDBusMessage)));
}

CPortalHotKey::~CPortalHotKey() {
    StopWaiting();
    CloseSession();
}

void CPortalHotKey::SetKey(const QKeySequence& key) {
    StopWaiting();
    CloseSession();
    SetRequestedKey(key);
    if (key.isEmpty()) {
        SetStatus(HOT_KEY_OFF);
        return;
    }
    if (!CKeySymbol(key).IsValid()) {
        SetStatus(HOT_KEY_UNSUPPORTED);
        return;
    }
    SetStatus(HOT_KEY_PENDING);
    CreateSession();
}

void CPortalHotKey::CreateSession() {
    const QString token = NextToken();
    const QVariantMap options{{QStringLiteral("handle_token"), token},
                              {QStringLiteral("session_handle_token"), NextToken()}};
    step_ = STEP_CREATING;
    CallWithRequest(QStringLiteral("CreateSession"), {options}, token);
}

void CPortalHotKey::BindShortcuts() {
    const QString token = NextToken();
    const CKeySymbol symbol(Key());
    const QList<PortalShortcut> shortcuts{
        {QLatin1String(SHORTCUT_ID),
         {{QStringLiteral("description"), QLatin1String(SHORTCUT_DESCRIPTION)},
          {QStringLiteral("preferred_trigger"), symbol.Trigger()}}}};
    const QVariantMap options{{QStringLiteral("handle_token"), token}};
    step_ = STEP_BINDING;
    CallWithRequest(QStringLiteral("BindShortcuts"),
                    {QVariant::fromValue(QDBusObjectPath(session_)), QVariant::fromValue(shortcuts),
                     QString(), options},
                    token);
}

void CPortalHotKey::CloseSession() {
    if (session_.isEmpty()) {
        return;
    }
    // No answer is awaited: the session ends with the call, or with this connection.
    bus_.asyncCall(QDBusMessage::createMethodCall(QLatin1String(SERVICE), session_,
                                                  QLatin1String(kSessionInterface),
                                                  QStringLiteral("Close")));
    session_.clear();
}

void CPortalHotKey::CallWithRequest(const QString& method, const QList<QVariant>& args,
                                    const QString& token) {
    // The request object's path is known before the call (the sender's unique name without its
    // colon, dots as underscores, then the token): listening first, no Response can be missed.
    QString sender = bus_.baseService();
    sender.remove(0, 1).replace(QLatin1Char('.'), QLatin1Char('_'));
    request_ = QLatin1String(kRequestPathPrefix) + sender + QLatin1Char('/') + token;
    bus_.connect(QLatin1String(SERVICE), request_, QLatin1String(kRequestInterface),
                 QStringLiteral("Response"), this, SLOT(OnResponse(QDBusMessage)));
    QDBusMessage call = QDBusMessage::createMethodCall(QLatin1String(SERVICE), QLatin1String(PATH),
                                                       QLatin1String(INTERFACE), method);
    call.setArguments(args);
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, request = request_](QDBusPendingCallWatcher* finished) {
                OnCallFinished(finished, request);
            });
}

void CPortalHotKey::OnCallFinished(QDBusPendingCallWatcher* watcher, const QString& request) {
    watcher->deleteLater();
    // A call of a key asked for before is no longer of interest; a call that went through
    // is answered by its request's Response.
    if (request != request_ || !watcher->isError()) {
        return;
    }
    // No portal, or one without global shortcuts: nothing more will come.
    StopWaiting();
    SetStatus(HOT_KEY_FAILED);
}

void CPortalHotKey::OnResponse(const QDBusMessage& signal) {
    // (u response, a{sv} results)
    const QList<QVariant> args = signal.arguments();
    const uint response = args.isEmpty() ? kResponseFailed : args[0].toUInt();
    const QVariantMap results = args.size() < 2 ? QVariantMap() : qdbus_cast<QVariantMap>(args[1]);
    const Step step = step_;
    StopWaiting();
    if (response != kResponseSuccess) {
        SetStatus(HOT_KEY_FAILED);
        return;
    }
    if (step == STEP_CREATING) {
        session_ = HandleText(results.value(QStringLiteral("session_handle")));
        if (session_.isEmpty()) {
            SetStatus(HOT_KEY_FAILED);
            return;
        }
        BindShortcuts();
    } else if (step == STEP_BINDING) {
        SetStatus(HOT_KEY_BOUND);
    }
}

void CPortalHotKey::OnActivated(const QDBusMessage& signal) {
    // (o session_handle, s shortcut_id, t timestamp, a{sv} options)
    const QList<QVariant> args = signal.arguments();
    if (args.size() < 2 || CurrentStatus() != HOT_KEY_BOUND) {
        return;
    }
    if (HandleText(args[0]) == session_ && args[1].toString() == QLatin1String(SHORTCUT_ID)) {
        emit activated();
    }
}

void CPortalHotKey::StopWaiting() {
    if (!request_.isEmpty()) {
        bus_.disconnect(QLatin1String(SERVICE), request_, QLatin1String(kRequestInterface),
                        QStringLiteral("Response"), this, SLOT(OnResponse(QDBusMessage)));
        request_.clear();
    }
    step_ = STEP_IDLE;
}

QString CPortalHotKey::NextToken() {
    return QStringLiteral("lexicove%1").arg(++tokens_);
}
