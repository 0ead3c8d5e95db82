#pragma once

// CGlimmerpadTool: the companion word-picker, an outside program named "glimmerpad" found on
// PATH. Lexicove starts it and asks it to close; the picker reports its window to the running
// Lexicove over the single-instance socket (COPYDATA_PICKER_SHOWN when its window is up,
// COPYDATA_PICKER_HIDDEN when it is gone), and may send words with COPYDATA_LOOKUP.
//
// Both starts run the program detached, with LEXICOVE_INSTANCE in its environment: the socket
// of this Lexicove, where the picker sends its messages (as the handheld handed the picker the
// frame's window):
//   glimmerpad           show the picker
//   glimmerpad --close   close the running picker's window
//
// When no such program is installed, the frame does not offer the command at all.

#include <QString>

class CGlimmerpadTool {
  public:
    // The socket the picker reports to; empty when this Lexicove listens on none.
    void SetInstanceName(const QString& name) { instanceName_ = name; }

    // The program's full path on PATH; empty when none is installed. Looked up afresh on each
    // call, so a picker installed while Lexicove runs is offered at once.
    static QString FindProgram();
    static bool Installed() { return !FindProgram().isEmpty(); }

    // Starts the picker; false when it is not installed or cannot be run.
    bool Show() const;
    // Asks the running picker to close its window; false as above.
    bool Close() const;

  private:
    bool Run(const QStringList& arguments) const;

    QString instanceName_;
};
