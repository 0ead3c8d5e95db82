#include "ui/full_screen_dialog.h"

#include <QDialog>

void InitFullScreenDialog(QDialog* dialog, bool /*withMenuBar*/) {
    if (dialog == nullptr) {
        return;
    }
    dialog->raise();
    dialog->activateWindow();
}
