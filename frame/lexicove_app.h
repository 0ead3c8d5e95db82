#pragma once

// CLexicoveApp: the desktop program's application object. It owns the database for the whole
// run, the user's settings store, the single-instance channel and the main frame.
//
// InitInstance, in this order:
//   1. ActivateRunningInstance: another Lexicove of this user (and program folder) runs ->
//      hand it the request and end;
//   2. the program icon (what the handheld's window classes carried);
//   3. the settings store (QSettings; the handheld's registry key);
//   4. the options record (LoadOptions);
//   5. LocateDatabase (--database and $LEXICOVE_DATABASE first) and Open; failure -> the
//      message box "Lexicove failed to find the database file: ..." and the end, status 3;
//   6. the speech engine over the machine-wide speech key and the system sound player; our
//      own engine library beside the program is registered when no engine is
//      (RegisterBundledEngine);
//   7. the main frame, created, shown, painted and given the focus; a --lookup word is then
//      looked up as if another program had sent it.
// ExitInstance stops listening on the channel, shuts the speech engine down (which stores its
// volume and flag) and gives the status to end with.
//
// The single instance: the running program listens on a local socket named after
// "BrennovaleQuickLookup", reachable by its own user only (InstanceServerName). A later start
// connects: with a --lookup word it sends the lookup request (COPYDATA_LOOKUP), without one
// INSTANCE_ACTIVATE, which brings the running window forward; then it ends. Every other
// message goes to CLexicoveFrame::OnCopyData.

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "db/dictionary_database.h"
#include "frame/instance_message_reader.h"

class CInstanceChannel;
class CLexicoveFrame;
class CQtSettingsStore;
class CSpeechEngine;
class CSystemWavePlayer;

// The program's own request on the channel: bring the running window forward.
inline constexpr int32_t INSTANCE_ACTIVATE = -1;

// The statuses the desktop program ends with.
inline constexpr int APP_EXIT_OK = 0;
inline constexpr int APP_EXIT_FAILED = 1;  // the running program did not answer; no window
inline constexpr int APP_EXIT_USAGE = 2;   // the command line is wrong
inline constexpr int APP_EXIT_NO_DATABASE = 3;

class CLexicoveApp {
  public:
    // Shows a failure the user must see; the default is the program's error box.
    using MessageBoxHook = std::function<void(const QString& text)>;

    CLexicoveApp();
    virtual ~CLexicoveApp();
    CLexicoveApp(const CLexicoveApp&) = delete;
    CLexicoveApp& operator=(const CLexicoveApp&) = delete;

    // The text given with --lookup: handed to the running program, or shown at start.
    void SetLookupText(std::u16string text);
    // The socket name; InstanceServerName() unless set (tests).
    void SetServerName(const QString& name);
    void SetMessageBoxHook(MessageBoxHook hook);

    // The single-instance socket of this user and program folder: in $XDG_RUNTIME_DIR (a
    // folder of the user's own) when there is one, else in the temporary folder with the
    // user id in the name. With $LEXICOVE_HOME set, the name also carries a digest of that
    // program folder: programs on different folders keep different lists and do not meet.
    static QString InstanceServerName();

    // The start-up sequence above. False: the program ends now, with ExitCode().
    bool InitInstance();
    // The end of the program after the frame has closed (or InitInstance failed).
    int ExitInstance();
    // InitInstance, the event loop, ExitInstance; returns the status to exit with.
    int Run();

    // True when this program may go on starting: no other instance answers (a socket left by
    // a crashed one is taken over), or the channel cannot be set up at all (the program then
    // runs alone, unreachable). False when the request went to the running program (status
    // 0) or that program did not answer (status 1, told on standard error).
    bool ActivateRunningInstance();

    // A termination signal: an open modal dialog is cancelled, then the frame stops its
    // search and closes, saving everything (the event loop then ends). Before the frame
    // exists, only the dialog (the failure box) is ended.
    void Close();

    int ExitCode() const { return exitCode_; }
    CLexicoveFrame* Frame() const { return frame_.get(); }
    CInstanceChannel* Channel() const { return channel_.get(); }

  private:
    // The socket name in use: SetServerName's, else InstanceServerName().
    QString ServerName() const;
    int32_t OnInstanceMessage(int32_t code, const std::u16string& text);
    // Hands the messages received so far to the frame, once there is one.
    void DeliverPending();
    bool OpenDatabase();
    void CreateSpeechEngine();
    bool CreateFrame();

    CDictionaryDatabase database_;
    std::unique_ptr<CQtSettingsStore> settings_;
    std::unique_ptr<CInstanceChannel> channel_;
    std::unique_ptr<CQtSettingsStore> machineSettings_;  // the speech engine's key
    std::unique_ptr<CSystemWavePlayer> wavePlayer_;
    std::unique_ptr<CSpeechEngine> speech_;  // outlives the frame, which uses it
    std::unique_ptr<CLexicoveFrame> frame_;  // after the database and store: destroyed first
    std::vector<CInstanceMessage> pending_;  // messages that came before the frame
    std::u16string lookupText_;
    QString serverName_;
    MessageBoxHook messageBox_;
    int exitCode_ = APP_EXIT_OK;
};
