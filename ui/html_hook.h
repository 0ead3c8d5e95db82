#pragma once

// CHtmlHook: the selection menu of the HTML display. A tap-and-hold on the page opens the
// menu at once and selects nothing; a drag that selected text opens it when the button is
// released; a plain tap opens none. The menu holds Lookup (32807), Read (32802), Copy
// (57634), a separator and Select All (57642): without a selection Lookup, Read and Copy are
// greyed, and without the speech engine there is no Read. Lookup and Read are posted to the
// command receiver (the main window) as WM_COMMAND (app/messages.h); Copy puts the selection
// on the clipboard; Select All selects the whole page.

#include <QMenu>
#include <QObject>
#include <QPoint>
#include <functional>
#include <memory>
#include <string>

class CHtmlDisplay;

class CHtmlHook : public QObject {
    Q_OBJECT

  public:
    // The menu's commands: the main window's Lookup Selected Text and Read, Copy, Select All.
    static constexpr int ID_LOOKUP_SELECTED_TEXT = 32807;
    static constexpr int ID_READ = 32802;
    static constexpr int ID_EDIT_COPY = 57634;
    static constexpr int ID_EDIT_SELECT_ALL = 57642;

    // Whether the speech engine is available (Read is offered only then).
    using SpeechCheck = std::function<bool()>;

    explicit CHtmlHook(CHtmlDisplay* display);

    // The window that receives Lookup and Read; none: they go nowhere.
    void SetCommandReceiver(QObject* receiver) { receiver_ = receiver; }
    void SetSpeechCheck(SpeechCheck check) { speech_ = std::move(check); }

    // The selection as UTF-16; false when it cannot be had.
    bool GetSelectionText(std::u16string* text) const;
    // Puts a non-empty selection on the clipboard; false (clipboard unchanged) without one.
    bool CopySelection() const;

    // The menu as it would show now; each action's data is its command id.
    std::unique_ptr<QMenu> CreateMenu() const;
    // Carries out a command of the menu.
    void RunCommand(int command) const;
    // The menu shown last (it stays until the next one), or none.
    QMenu* ShownMenu() const { return menu_.get(); }

  signals:
    // The menu opens at position (display viewport coordinates).
    void menuShown(QPoint position);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ShowMenu(QPoint position);

    CHtmlDisplay* display_;
    QObject* viewport_;  // the display's viewport, whose events are watched
    QObject* receiver_ = nullptr;
    SpeechCheck speech_;
    std::unique_ptr<QMenu> menu_;
    bool selecting_ = false;  // a plain press started: its release may open the menu
};
