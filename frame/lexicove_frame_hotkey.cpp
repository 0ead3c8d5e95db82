// CLexicoveFrame: the global hot key that looks up the text selected in any program.

#include <QMessageBox>
#include <QTimer>

#include "app/messages.h"
#include "frame/hot_key_service.h"
#include "frame/lexicove_frame.h"
#include "platform/message_box.h"

void CLexicoveFrame::CreateHotKey() {
    hotKey_ = new CHotKeyService(
        settings_, CGlobalHotKey::Create(), [this](const QString& text) { OnHotKey(text); },
        [this](const QString& text) {
            // Told once the window is up, in a box that does not stop the program.
            QTimer::singleShot(0, this, [this, text] { ReportNotice(text); });
        },
        this);
    hotKey_->Start();
}

void CLexicoveFrame::OnHotKey(const QString& text) {
    if (text.isEmpty()) {
        BringToFront();  // nothing selected: the dictionary is what the user asked for
        return;
    }
    // The same way as a text sent by `lexicove --lookup`.
    OnCopyData(COPYDATA_LOOKUP, text.toStdU16String());
}

void CLexicoveFrame::ReportNotice(const QString& text) {
    if (messageBox_) {
        messageBox_(text);
        return;
    }
    std::unique_ptr<QMessageBox> box = CreateErrorBox(this, text);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box.release()->show();
}
