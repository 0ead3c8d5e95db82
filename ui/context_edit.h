#pragma once

// CContextEdit: a one-line edit box with a tap-and-hold menu. A tap places the caret, as any
// edit box does (there is no input panel to raise on the desktop). A tap-and-hold (a 600 ms
// press, a right click or the context-menu key) opens the menu Cut, Copy, Paste, a separator
// and Select All at the press: Cut and Copy are greyed without a selection, Paste when the
// clipboard holds no text. The chosen command runs on the box.

#include <QLineEdit>
#include <QPoint>
#include <memory>

class CTapAndHold;
class QMenu;

class CContextEdit : public QLineEdit {
    Q_OBJECT

  public:
    // The commands of the menu.
    static constexpr int ID_EDIT_CUT = 57635;
    static constexpr int ID_EDIT_COPY = 57634;
    static constexpr int ID_EDIT_PASTE = 57637;
    static constexpr int ID_EDIT_SELECT_ALL = 57642;

    explicit CContextEdit(QWidget* parent = nullptr);

    // The menu as it would show now; each action's data is its command id, and triggering an
    // action runs its command.
    std::unique_ptr<QMenu> CreateMenu();
    // Carries out a command of the menu; other ids do nothing.
    void RunCommand(int command);

    // The gesture recogniser (tests shorten its interval).
    CTapAndHold* TapAndHold() const { return tapAndHold_; }

  signals:
    // The menu is about to open at position (the box's coordinates); tests use it.
    void menuShown(QPoint position);

  private:
    void ShowMenu(QPoint position);

    CTapAndHold* tapAndHold_;
};
