#pragma once

// CGlobalHotKey: a key that reaches this program whichever program has the keyboard. One key
// at a time; SetKey with an empty sequence turns it off. How the desktop provides it is the
// subclass's: CX11HotKey grabs the key on the X11 root window, CPortalHotKey asks the
// GlobalShortcuts portal of a Wayland desktop. Create picks the one the session offers (KindOf).
//
// activated() is emitted on the main thread each time the key is pressed; statusChanged()
// after each answer about the key asked for (at once for X11, when the desktop answers for
// the portal).

#include <QKeySequence>
#include <QObject>
#include <memory>

class CGlobalHotKey : public QObject {
    Q_OBJECT

  public:
    enum Status {
        HOT_KEY_OFF,          // no key is asked for
        HOT_KEY_PENDING,      // asked for; the desktop has not answered yet
        HOT_KEY_BOUND,        // pressing the key emits activated()
        HOT_KEY_TAKEN,        // another program holds the key
        HOT_KEY_UNSUPPORTED,  // the key cannot be a hot key here (no such key on the keyboard)
        HOT_KEY_FAILED,       // the desktop refused or does not offer global shortcuts
    };

    explicit CGlobalHotKey(QObject* parent = nullptr) : QObject(parent) {}

    // Asks for key, giving up the key held before; an empty sequence turns the hot key off.
    virtual void SetKey(const QKeySequence& key) = 0;
    QKeySequence Key() const { return key_; }
    Status CurrentStatus() const { return status_; }

    // How a session offers a global hot key.
    enum Kind {
        KIND_NONE,    // not at all: the user binds `lexicove --lookup-selection` in the
                      // desktop's own keyboard settings
        KIND_X11,     // a key grab on the X11 root window
        KIND_PORTAL,  // the GlobalShortcuts portal over the session bus
    };
    // The kind for Qt's platform plugin name, whether $WAYLAND_DISPLAY names a compositor and
    // whether a session bus is there. A Wayland session takes the portal also when Qt runs the
    // program through XWayland ("xcb"): a key grabbed there reaches the program only while one
    // of the session's X11 windows has the focus, so it would seem held and stay silent.
    static Kind KindOf(const QString& platform, bool waylandSession, bool sessionBus);

    // The hot key of this session (KindOf the running application); null for KIND_NONE.
    static std::unique_ptr<CGlobalHotKey> Create(QObject* parent = nullptr);

  signals:
    void activated();
    void statusChanged();

  protected:
    void SetStatus(Status status);
    void SetRequestedKey(const QKeySequence& key) { key_ = key; }

  private:
    QKeySequence key_;
    Status status_ = HOT_KEY_OFF;
};
