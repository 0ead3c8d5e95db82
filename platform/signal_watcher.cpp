#include "platform/signal_watcher.h"

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <atomic>
#include <cerrno>
#include <iterator>

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

// The pipe's write end, read by the handler; -1 while no watcher lives.
std::atomic<int> writeEnd{-1};
static_assert(std::atomic<int>::is_always_lock_free);

void OnSignal(int signalNumber) {
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    const int fd = writeEnd.load();
    if (fd >= 0) {
        // A full pipe already holds a wake-up; this one may be lost.
        [[maybe_unused]] ssize_t n = ::write(fd, &byte, 1);
    }
    errno = saved;
}

}  // namespace

CSignalWatcher::CSignalWatcher(QObject* parent) : QObject(parent) {
    if (writeEnd.load() >= 0 || ::pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0) {
        pipe_[0] = pipe_[1] = -1;
        return;
    }
    writeEnd.store(pipe_[1]);
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (size_t i = 0; i < std::size(kSignals); ++i) {
        sigaction(kSignals[i], &action, &previous_[i]);
    }
    notifier_ = new QSocketNotifier(pipe_[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &CSignalWatcher::Drain);
}

CSignalWatcher::~CSignalWatcher() {
    if (pipe_[0] < 0) {
        return;
    }
    for (size_t i = 0; i < std::size(kSignals); ++i) {
        sigaction(kSignals[i], &previous_[i], nullptr);
    }
    writeEnd.store(-1);
    delete notifier_;
    ::close(pipe_[0]);
    ::close(pipe_[1]);
}

void CSignalWatcher::Drain() {
    unsigned char bytes[16];
    ssize_t n = 0;
    while ((n = ::read(pipe_[0], bytes, sizeof bytes)) > 0) {
        for (ssize_t i = 0; i < n; ++i) {
            emit received(bytes[i]);
        }
    }
}
