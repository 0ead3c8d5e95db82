#pragma once

// CSignalWatcher: turns the termination signals SIGTERM, SIGINT and SIGHUP into a Qt signal on
// the main thread, so that the program can end the normal way (lists and values saved)
// instead of dying where it stands.
//
// The signal handler only writes the signal's number to a pipe (the self-pipe pattern: write
// is safe in a handler, no Qt call is); a QSocketNotifier on the pipe's other end emits
// received() from the event loop. A signal that comes while no event loop runs waits in the
// pipe until one does.
//
// One watcher at a time; while it lives it owns the three signals' handlers, and on its end
// it puts back the handlers it found.

#include <QObject>
#include <csignal>

class QSocketNotifier;

class CSignalWatcher : public QObject {
    Q_OBJECT

  public:
    explicit CSignalWatcher(QObject* parent = nullptr);
    ~CSignalWatcher() override;

    // False when the pipe or the handlers could not be set up (the signals then keep their
    // default effect).
    bool IsWatching() const { return notifier_ != nullptr; }

  signals:
    void received(int signalNumber);

  private:
    void Drain();

    int pipe_[2] = {-1, -1};
    QSocketNotifier* notifier_ = nullptr;
    struct sigaction previous_[3] = {};
};
