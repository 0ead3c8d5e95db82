#pragma once

// Helpers of the tests that run the desktop program as a process on a display server of their
// own: waiting with the event loop running, ending processes with the test, and reading the
// Recents the program writes when a termination signal ends it.

#include <signal.h>
#include <sys/prctl.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QTest>
#include <functional>
#include <initializer_list>

#include "db/format.h"
#include "support/fixture_writer.h"
#include "support/temp_dir.h"

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

// A runtime folder for the display servers and programs of the test, private to the user as
// they want it, under root (short: the sockets' paths must stay within 108 bytes).
inline QString MakeRuntimeFolder(const CTempDir& root) {
    const QString runtime = QString::fromStdString(root.Path()) + QStringLiteral("run");
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return runtime;
}

// Starts Xvfb on a display it picks itself and gives the display's name; empty when the server
// did not come up. The server must not reset when its last client leaves, as it does by
// default: between two cases of a test nothing may be connected, and a program connecting
// during the reset is refused.
inline QString StartXvfb(const QString& xvfbProgram, QProcess& xvfb) {
    EndWithTheTest(xvfb);
    xvfb.start(xvfbProgram,
               {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-noreset"),
                QStringLiteral("-nolisten"), QStringLiteral("tcp"), QStringLiteral("-screen"),
                QStringLiteral("0"), QStringLiteral("1024x768x24")});
    if (!xvfb.waitForStarted() || !WaitFor([&] { return xvfb.canReadLine(); })) {
        return {};
    }
    return QLatin1Char(':') + QString::fromLatin1(xvfb.readLine()).trimmed();
}

// Writes a dictionary of the given words, each a verb meaning what "walk" means.
inline void WriteWalkDictionary(const QString& path, std::initializer_list<const char*> words) {
    CFixtureWriter writer;
    const uint32_t walk = writer.Append("walk\nuse one's feet to advance\n");
    for (const char* word : words) {
        writer.AddWord(word, {lcv::MakeRef(lcv::ENTRY_VERB, walk)});
    }
    writer.Write(path.toStdString());
}
