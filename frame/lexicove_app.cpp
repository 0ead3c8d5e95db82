#include "frame/lexicove_app.h"

#include <unistd.h>

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QLockFile>
#include <QTimer>
#include <QWidget>
#include <cstdio>

#include "app/database_locator.h"
#include "app/messages.h"
#include "app/options_record.h"
#include "app/program_folder.h"
#include "frame/instance_channel.h"
#include "frame/lexicove_frame.h"
#include "frame/startup_report.h"
#include "platform/message_box.h"
#include "platform/platform_info.h"
#include "platform/qt_settings_store.h"
#include "speech/engine_registration.h"
#include "speech/speech_engine.h"
#include "speech/system_wave_player.h"
#include "ui/resource_images.h"

namespace {

constexpr char kInstanceName[] = "BrennovaleQuickLookup";
// How long a start waits for the running program's reply, and for another start that is setting up
// the channel at the same moment.
constexpr int kReplyWaitMs = 5000;
constexpr int kLockWaitMs = kReplyWaitMs + 1000;

// What the frame answers to every request code.
constexpr int32_t kHandled = 1;

void SetProgramIcon() {
    QIcon icon;
    for (int scale : {1, 2}) {
        const QPixmap pixmap = LoadIconResource(IDR_MAINFRAME, scale);
        if (!pixmap.isNull()) {
            icon.addPixmap(pixmap);
        }
    }
    if (!icon.isNull()) {
        QApplication::setWindowIcon(icon);
    }
}

}  // namespace

CLexicoveApp::CLexicoveApp()
    : messageBox_([](const QString& text) { ShowErrorBox(nullptr, text); }) {}

CLexicoveApp::~CLexicoveApp() = default;

void CLexicoveApp::SetLookupText(std::u16string text) {
    lookupText_ = std::move(text);
}

void CLexicoveApp::SetServerName(const QString& name) {
    serverName_ = name;
}

void CLexicoveApp::SetMessageBoxHook(MessageBoxHook hook) {
    messageBox_ = std::move(hook);
}

QString CLexicoveApp::InstanceServerName() {
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    QString name = QString::fromLatin1(kInstanceName);
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        folder = QDir::tempPath();
        name += QLatin1Char('-') + QString::number(::getuid());
    }
    if (!qEnvironmentVariableIsEmpty("LEXICOVE_HOME")) {
        const QByteArray digest = QCryptographicHash::hash(
            QByteArray::fromStdString(GetProgramFolder()), QCryptographicHash::Sha1);
        name += QLatin1Char('-') + QString::fromLatin1(digest.toHex().left(16));
    }
    return folder + QLatin1Char('/') + name;
}

bool CLexicoveApp::InitInstance() {
    GetDisplayScale();  // fixed before any window is made
    if (!ActivateRunningInstance()) {
        return false;
    }
    SetProgramIcon();
    settings_ = std::make_unique<CQtSettingsStore>(CQtSettingsStore::SCOPE_USER);
    GetOptionsRecord().LoadOptions(*settings_);
    if (!OpenDatabase()) {
        messageBox_(QString::fromLatin1(DATABASE_FAILURE_MESSAGE));
        exitCode_ = APP_EXIT_NO_DATABASE;
        return false;
    }
    CreateSpeechEngine();
    if (!CreateFrame()) {
        std::fprintf(stderr, "lexicove: the main window cannot be created\n");
        exitCode_ = APP_EXIT_FAILED;
        return false;
    }
    return true;
}

int CLexicoveApp::ExitInstance() {
    if (channel_) {
        channel_->Close();
    }
    // The frame saves its lists and values as it goes, while the database it reads from is still
    // open.
    frame_.reset();
    if (speech_) {
        speech_->ShutdownEngine();
    }
    return exitCode_;
}

int CLexicoveApp::Run() {
    if (InitInstance()) {
        exitCode_ = QApplication::exec();
    }
    return ExitInstance();
}

QString CLexicoveApp::ServerName() const {
    return serverName_.isEmpty() ? InstanceServerName() : serverName_;
}

bool CLexicoveApp::ActivateRunningInstance() {
    const QString name = ServerName();
    // Two starts at the same moment must not both find nobody and both listen: the check and the
    // listening are one step under this lock. A lock left by a crashed start is stale by its
    // process id; without the lock the start goes on as if it had it.
    QLockFile lock(name + QStringLiteral(".lock"));
    lock.setStaleLockTime(0);
    lock.tryLock(kLockWaitMs);

    const int32_t code = lookupText_.empty() ? INSTANCE_ACTIVATE : COPYDATA_LOOKUP;
    int32_t result = 0;
    switch (CInstanceChannel::Send(name, code, lookupText_, kReplyWaitMs, &result)) {
        case CInstanceChannel::SEND_ANSWERED:
            exitCode_ = APP_EXIT_OK;
            return false;
        case CInstanceChannel::SEND_NO_ANSWER:
            std::fprintf(stderr, "lexicove: the running Lexicove does not answer\n");
            exitCode_ = APP_EXIT_FAILED;
            return false;
        case CInstanceChannel::SEND_TOO_LONG:
            std::fprintf(stderr, "lexicove: the text to look up is too long\n");
            exitCode_ = APP_EXIT_USAGE;
            return false;
        case CInstanceChannel::SEND_NO_SERVER:
            break;
    }
    channel_ = std::make_unique<CInstanceChannel>();
    channel_->SetHandler(
        [this](int32_t c, const std::u16string& text) { return OnInstanceMessage(c, text); });
    if (!channel_->Listen(name)) {
        std::fprintf(stderr, "lexicove: %s cannot be set up; later starts will not find this one\n",
                     qPrintable(name));
    }
    return true;
}

void CLexicoveApp::Close() {
    // A modal dialog ends first, as if cancelled (its changes were never confirmed): the window
    // cannot close under it, and the failure box at start-up ends the start.
    while (QWidget* modal = QApplication::activeModalWidget()) {
        modal->close();
        if (QApplication::activeModalWidget() == modal) {
            break;  // it refuses to close
        }
    }
    // On the next turn, once the dialog's own event loop has returned.
    if (frame_) {
        QTimer::singleShot(0, frame_.get(), [this] { frame_->StopSearchAndClose(); });
    }
}

int32_t CLexicoveApp::OnInstanceMessage(int32_t code, const std::u16string& text) {
    // The sender is answered at once and the frame handles the request on the next turn of the
    // event loop: a message box it may show ("could not locate the word") must not keep the sending
    // program waiting.
    pending_.push_back({code, text});
    QTimer::singleShot(0, channel_.get(), [this] { DeliverPending(); });
    return kHandled;
}

void CLexicoveApp::DeliverPending() {
    if (!frame_) {
        return;  // kept until the frame exists
    }
    std::vector<CInstanceMessage> messages;
    messages.swap(pending_);
    for (const CInstanceMessage& message : messages) {
        if (message.code == INSTANCE_ACTIVATE) {
            frame_->BringToFront();
        } else {
            frame_->OnCopyData(message.code, message.text);
        }
    }
}

bool CLexicoveApp::OpenDatabase() {
    std::string path;
    return LocateDatabase(&path) && database_.Open(path.c_str());
}

void CLexicoveApp::CreateSpeechEngine() {
    machineSettings_ = std::make_unique<CQtSettingsStore>(CQtSettingsStore::SCOPE_MACHINE);
    RegisterBundledEngine(*machineSettings_, BundledEngineFolder());
    wavePlayer_ = std::make_unique<CSystemWavePlayer>();
    speech_ = std::make_unique<CSpeechEngine>(machineSettings_.get(), wavePlayer_.get());
}

bool CLexicoveApp::CreateFrame() {
    frame_ = std::make_unique<CLexicoveFrame>(&database_, settings_.get());
    frame_->SetSpeechEngine(speech_.get());
    if (channel_ && channel_->IsListening()) {
        frame_->SetInstanceName(ServerName());
    }
    if (!frame_->Create()) {
        frame_.reset();
        return false;
    }
    if (CStartupReport::Requested()) {
        new CStartupReport(frame_.get(), [this] { frame_->StopSearchAndClose(); });
    }
    frame_->show();
    frame_->activateWindow();
    frame_->setFocus();
    if (!lookupText_.empty()) {
        pending_.push_back({COPYDATA_LOOKUP, lookupText_});
    }
    if (!pending_.empty()) {
        QTimer::singleShot(0, frame_.get(), [this] { DeliverPending(); });
    }
    return true;
}
