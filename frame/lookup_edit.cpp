#include "frame/lookup_edit.h"

#include <QFocusEvent>
#include <QValidator>

namespace {

// Turns every character of the input into its small letter, one code unit for one, so the
// length limit and the caret stay as typed.
class CLowerCaseValidator : public QValidator {
  public:
    using QValidator::QValidator;

    State validate(QString& input, int&) const override {
        for (QChar& c : input) {
            c = c.toLower();
        }
        return Acceptable;
    }
};

}  // namespace

CLookupEdit::CLookupEdit(QWidget* parent) : CContextEdit(parent) {
    setObjectName("lookupEdit");
    setMaxLength(MAX_LENGTH);
    setValidator(new CLowerCaseValidator(this));
    // Installed after the tap-and-hold filter, so it runs first and also sees the presses that
    // the gesture swallows.
    installEventFilter(this);
}

void CLookupEdit::focusInEvent(QFocusEvent* event) {
    CContextEdit::focusInEvent(event);
    // Focus coming back from the box's own menu keeps the selection the menu acts on.
    if (event->reason() != Qt::PopupFocusReason) {
        selectAll();
    }
}

bool CLookupEdit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == this && event->type() == QEvent::MouseButtonPress) {
        emit pressed();
    }
    return CContextEdit::eventFilter(watched, event);
}
