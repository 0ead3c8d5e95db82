#include "platform/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {

QClipboard* Clipboard() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr
               ? QGuiApplication::clipboard()
               : nullptr;
}

}  // namespace

bool SetClipboardText(const QString& text) {
    QClipboard* clipboard = Clipboard();
    if (text.isNull() || clipboard == nullptr) {
        return false;
    }
    clipboard->setText(text);
    return true;
}

QString GetClipboardText() {
    QClipboard* clipboard = Clipboard();
    return clipboard != nullptr ? clipboard->text() : QString();
}

bool ClipboardHasText() {
    QClipboard* clipboard = Clipboard();
    const QMimeData* data = clipboard != nullptr ? clipboard->mimeData() : nullptr;
    return data != nullptr && data->hasText();
}
