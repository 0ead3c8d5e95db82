#pragma once

// Helpers of the tests that run the desktop program as a process on a display server of their
// own: waiting with the event loop running, ending processes with the test, and reading the
// Recents the program writes when a termination signal ends it.

#include <signal.h>
#include <sys/prctl.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QTest>
#include <functional>

inline constexpr int kProgramWaitMs = 20000;

inline QString ReadTextFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Waits up to waitMs for done to hold, the event loop running.
inline bool WaitFor(const std::function<bool()>& done, int waitMs = kProgramWaitMs) {
    QDeadlineTimer deadline(waitMs);
    while (!done()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QTest::qWait(50);
    }
    return true;
}

// The process gets SIGTERM when the test ends, however it ends.
inline void EndWithTheTest(QProcess& process) {
    process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
}

// Ends a process that is still running: SIGTERM, then SIGKILL.
inline void Stop(QProcess& process) {
    if (process.state() == QProcess::NotRunning) {
        return;
    }
    process.terminate();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished();
    }
}

// Ends the program by a termination signal, the normal way, and gives the Recents of its
// program folder.
inline QString EndAndReadRecents(QProcess& process, const QString& programFolder) {
    ::kill(static_cast<pid_t>(process.processId()), SIGTERM);
    if (!process.waitForFinished(kProgramWaitMs) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        return QStringLiteral("<did not end normally>");
    }
    return ReadTextFile(programFolder + QStringLiteral("/History.txt"));
}
