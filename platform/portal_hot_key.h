#pragma once

// CPortalHotKey: the global hot key on Wayland, through the desktop's GlobalShortcuts portal
// (org.freedesktop.portal.GlobalShortcuts on the session bus). Setting a key opens a session
// (CreateSession) and binds one shortcut in it (BindShortcuts) with the key as its preferred
// trigger; the desktop may ask the user and may settle on another trigger. Each answer comes
// as the Response signal of a request object; the portal's Activated signal for the session's
// shortcut is the key press. A desktop without the portal answers the first call with an
// error: the status is then HOT_KEY_FAILED.
//
// Every call is asynchronous: the program never waits for the portal.

#include <QDBusConnection>
#include <QString>
#include <QVariantMap>

#include "platform/global_hot_key.h"

class QDBusMessage;
class QDBusPendingCallWatcher;

class CPortalHotKey : public CGlobalHotKey {
    Q_OBJECT

  public:
    // The portal's bus name, object and interfaces.
    static constexpr char SERVICE[] = "org.freedesktop.portal.Desktop";
    static constexpr char PATH[] = "/org/freedesktop/portal/desktop";
    static constexpr char INTERFACE[] = "org.freedesktop.portal.GlobalShortcuts";
    // The id of the one shortcut, and what the desktop shows for it.
    static constexpr char SHORTCUT_ID[] = "lookup-selection";
    static constexpr char SHORTCUT_DESCRIPTION[] = "Look up the selected text in Lexicove";

    explicit CPortalHotKey(const QDBusConnection& bus, QObject* parent = nullptr);
    // Closes the session: the desktop lets the shortcut go.
    ~CPortalHotKey() override;

    void SetKey(const QKeySequence& key) override;
    // The session's object path; empty before the portal has created it.
    QString Session() const { return session_; }

  private slots:
    // The signals come as whole messages: QtDBus connects a slot to them whatever their
    // arguments, and the arguments are checked here.
    void OnResponse(const QDBusMessage& signal);
    void OnActivated(const QDBusMessage& signal);

  private:
    enum Step { STEP_IDLE, STEP_CREATING, STEP_BINDING };

    void CreateSession();
    void BindShortcuts();
    void CloseSession();
    // Calls method of the portal with args; its answer is awaited as the Response of the
    // request named by token (the last of args' options carry it as "handle_token").
    void CallWithRequest(const QString& method, const QList<QVariant>& args, const QString& token);
    void OnCallFinished(QDBusPendingCallWatcher* watcher, const QString& request);
    void StopWaiting();
    QString NextToken();

    QDBusConnection bus_;
    QString session_;
    QString request_;  // the request object whose Response is awaited; empty when none
    Step step_ = STEP_IDLE;
    int tokens_ = 0;
};
