// CLexicoveFrame: what other programs ask of the frame over the single-instance socket, and the
// companion word-picker (its command, its window reports and the start word it leaves).

#include <QAction>
#include <QApplication>
#include <QString>

#include "app/messages.h"
#include "app/settings_store.h"
#include "db/dictionary_database.h"
#include "frame/command_ids.h"
#include "frame/lexicove_frame.h"

void CLexicoveFrame::SetInstanceName(const QString& name) {
    glimmerpad_.SetInstanceName(name);
}

intptr_t CLexicoveFrame::OnCopyData(int code, const std::u16string& text) {
    if (code == COPYDATA_LOOKUP) {
        BringToFront();
        // Text sent by another program may span lines (a selection, a paragraph): each run of
        // white space, line breaks included, becomes one space, as the word was meant to be
        // read, so "ice\ncream" finds "ice cream" and no line break reaches a list file. The
        // lookup then takes at most LOOKUP_BUFFER_SIZE - 1 characters: cut before the copy.
        const std::u16string folded = QString::fromStdU16String(text).simplified().toStdU16String();
        OpenWord(folded.substr(0, LOOKUP_BUFFER_SIZE - 1), true);
    } else if (code == COPYDATA_PICKER_SHOWN) {
        pickerShown_ = true;
        UpdatePickerCommand();
    } else if (code == COPYDATA_PICKER_HIDDEN) {
        pickerShown_ = false;
        UpdatePickerCommand();
    }
    return 1;
}

void CLexicoveFrame::BringToFront() {
    if (isMinimized()) {
        setWindowState(windowState() & ~Qt::WindowMinimized);
    }
    show();
    // With a modal dialog open, the dialog is what the user must see.
    QWidget* modal = QApplication::activeModalWidget();
    QWidget* target = modal != nullptr ? modal : this;
    target->raise();
    target->activateWindow();
}

void CLexicoveFrame::ShowGlimmerpad() {
    // The picker reports its window over the instance channel: open, it is asked to close.
    if (!CGlimmerpadTool::Installed()) {
        return;  // not offered
    }
    if (!(pickerShown_ ? glimmerpad_.Close() : glimmerpad_.Show())) {
        ReportError(QStringLiteral("Lexicove could not start ") + CGlimmerpadTool::FindProgram() +
                    QStringLiteral("."));
    }
}

void CLexicoveFrame::UpdatePickerCommand() {
    QAction* action = Action(ID_SHOW_GLIMMERPAD);
    if (action == nullptr) {
        return;
    }
    const bool installed = CGlimmerpadTool::Installed();
    action->setVisible(installed);
    action->setEnabled(installed);
    action->setChecked(pickerShown_);
}

std::u16string CLexicoveFrame::TakePickerStartWord() {
    std::u16string word;
    if (!settings_->ReadString(GLIMMERPAD_SETTINGS_KEY, SETTING_START_WORD, &word)) {
        return {};
    }
    settings_->DeleteValue(GLIMMERPAD_SETTINGS_KEY, SETTING_START_WORD);
    return word.substr(0, MAX_START_WORD);
}
