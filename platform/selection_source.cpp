#include "platform/selection_source.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <algorithm>

namespace {

// One selection's text from wl-paste; empty when it has none or does not answer in time.
QString RunWlPaste(const QString& program, bool primary, int timeoutMs) {
    QStringList args{QStringLiteral("--no-newline"), QStringLiteral("--type"),
                     QStringLiteral("text")};
    if (primary) {
        args.prepend(QStringLiteral("--primary"));
    }
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, args);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

QString CSelectionSource::ReadWithWlPaste(const QString& program, int timeoutMs) {
    const QString primary = RunWlPaste(program, true, timeoutMs);
    if (!primary.trimmed().isEmpty()) {
        return primary;
    }
    return RunWlPaste(program, false, timeoutMs);
}

QString CSelectionSource::ReadSelection() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        return {};
    }
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        const QString wlPaste = QStandardPaths::findExecutable(QStringLiteral("wl-paste"));
        const QString text = wlPaste.isEmpty() ? QString() : ReadWithWlPaste(wlPaste);
        if (!text.trimmed().isEmpty()) {
            return text;
        }
    }
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard->supportsSelection()) {
        const QString primary = clipboard->text(QClipboard::Selection);
        if (!primary.trimmed().isEmpty()) {
            return primary;
        }
    }
    return clipboard->text(QClipboard::Clipboard);
}

QString CSelectionSource::Cut(const QString& selection) {
    qsizetype begin = 0;
    while (begin < selection.size() && !selection[begin].isLetter()) {
        ++begin;
    }
    qsizetype end = selection.size();
    while (end > begin && !selection[end - 1].isLetter()) {
        --end;
    }
    QString word = selection.mid(begin, std::min<qsizetype>(end - begin, MAX_SELECTION_LENGTH));
    // A cut through a character outside the Basic Multilingual Plane would leave half of it.
    if (!word.isEmpty() && word.back().isHighSurrogate()) {
        word.chop(1);
    }
    return word;
}
