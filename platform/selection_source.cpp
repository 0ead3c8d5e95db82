#include "platform/selection_source.h"

#include <QClipboard>
#include <QGuiApplication>
#include <algorithm>

QString CSelectionSource::ReadSelection() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        return {};
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
