#pragma once

// CLookupEdit: the "Look up:" box (child id 1). Its text is lower-case (typed, pasted or set
// capitals become small letters, as dictionary words are) and at most 127 characters long.
// Getting the focus selects all of its text, so a user who comes back to the box types over
// the old word. Every button press on it, the tap-and-hold included, emits pressed(). Its text
// changes are the frame's: it connects textEdited or textChanged itself.

#include "ui/context_edit.h"

class CLookupEdit : public CContextEdit {
    Q_OBJECT

  public:
    static constexpr int LOOKUP_EDIT_ID = 1;
    static constexpr int MAX_LENGTH = 127;

    explicit CLookupEdit(QWidget* parent);

  signals:
    // A mouse button went down on the box; the frame answers with SelectTab (0).
    void pressed();

  protected:
    void focusInEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};
