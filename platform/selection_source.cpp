#include "platform/selection_source.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <algorithm>
#include <functional>

namespace {

// The primary selection's text unless it holds none (only spaces count as none), else the
// clipboard's; read(true) reads the primary selection, read(false) the clipboard.
QString PrimaryElseClipboard(const std::function<QString(bool primary)>& read) {
    const QString primary = read(true);
    return primary.trimmed().isEmpty() ? read(false) : primary;
}

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
    return PrimaryElseClipboard(
        [&](bool primary) { return RunWlPaste(program, primary, timeoutMs); });
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
    return PrimaryElseClipboard([clipboard](bool primary) {
        if (!primary) {
            return clipboard->text(QClipboard::Clipboard);
        }
        return clipboard->supportsSelection() ? clipboard->text(QClipboard::Selection) : QString();
    });
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
