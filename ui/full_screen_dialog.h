#pragma once

// The dialog set-up of the handheld's shell: there, a dialog is made full-screen with the OK
// button in its title bar and the input panel down, and may get an empty menu bar. A desktop
// dialog keeps its own size and buttons and has no input panel or menu bar to set, so only
// the last step remains: the dialog comes to the foreground.

class QDialog;

void InitFullScreenDialog(QDialog* dialog, bool withMenuBar);
