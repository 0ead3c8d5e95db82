#pragma once

// The program's error message: a modal message box captioned "Lexicove" with the critical
// icon and an OK button, owned by the given window (or none).

#include <QString>
#include <memory>

class QMessageBox;
class QWidget;

// The box, ready to show (callers and tests that need it unshown).
std::unique_ptr<QMessageBox> CreateErrorBox(QWidget* owner, const QString& text);

// Shows the box and returns once the user has closed it.
void ShowErrorBox(QWidget* owner, const QString& text);
