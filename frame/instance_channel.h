#pragma once

// CInstanceChannel: the local socket through which other programs reach the running Lexicove,
// as the handheld's programs reached its main window by WM_COPYDATA. The running program
// listens; a second start of the program, `lexicove --lookup` and the word-picker tool connect
// and send messages (code and UTF-16 text, framed as instance_message_reader.h describes),
// each answered with the handler's result.
//
// Both ends run on the main thread. Send waits for the reply in a local event loop, so a
// listener in the same process (the tests) still answers.

#include <QLocalServer>
#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

class QLocalSocket;

class CInstanceChannel : public QObject {
    Q_OBJECT

  public:
    // Handles one message; its result goes back to the sender as the reply. It may run a
    // nested event loop (a message box): the connection's later messages wait for it.
    using Handler = std::function<int32_t(int32_t code, const std::u16string& text)>;

    enum SendStatus {
        SEND_ANSWERED,   // the listener handled the message; *result holds its answer
        SEND_NO_SERVER,  // nobody listens under the name (none, or a socket left by a crash)
        SEND_NO_ANSWER,  // connected, but no reply came in time or the reply was not one
        SEND_TOO_LONG,   // the text is longer than INSTANCE_MAX_TEXT_UNITS; nothing was sent
    };

    explicit CInstanceChannel(QObject* parent = nullptr);
    ~CInstanceChannel() override;

    void SetHandler(Handler handler);

    // Starts listening under name (a full socket path), reachable by this user only. A socket
    // file left under the name by a program that ended without removing it is removed first,
    // so call this only once Send has found nobody listening. False when it cannot listen.
    bool Listen(const QString& name);
    bool IsListening() const { return server_.isListening(); }
    // Stops listening and removes the socket file.
    void Close();

    // Sends one message to the program listening under name and waits up to timeoutMs for
    // the reply.
    static SendStatus Send(const QString& name, int32_t code, std::u16string_view text,
                           int timeoutMs, int32_t* result);

  private:
    struct Connection;

    void Accept();
    void Serve(QLocalSocket* socket, Connection* connection);
    // Moves the bytes the socket holds into the connection's reader.
    void Take(QLocalSocket* socket, Connection* connection);

    QLocalServer server_;
    Handler handler_;
};
