#include "frame/instance_channel.h"

#include <QEventLoop>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>
#include <memory>

#include "frame/instance_message_reader.h"

namespace {

// Bytes taken from a socket at a time: what is kept beyond one message stays this small.
constexpr qint64 kReadPiece = 4096;

}  // namespace

struct CInstanceChannel::Connection {
    CInstanceMessageReader reader;
    bool dispatching = false;  // a message is being handled (perhaps in a nested event loop)
};

CInstanceChannel::CInstanceChannel(QObject* parent) : QObject(parent) {
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &CInstanceChannel::Accept);
}

CInstanceChannel::~CInstanceChannel() {
    Close();
}

void CInstanceChannel::SetHandler(Handler handler) {
    handler_ = std::move(handler);
}

bool CInstanceChannel::Listen(const QString& name) {
    if (server_.listen(name)) {
        return true;
    }
    if (server_.serverError() != QAbstractSocket::AddressInUseError) {
        return false;
    }
    QLocalServer::removeServer(name);
    return server_.listen(name);
}

void CInstanceChannel::Close() {
    server_.close();
}

void CInstanceChannel::Accept() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        auto connection = std::make_shared<Connection>();
        connect(socket, &QLocalSocket::readyRead, this,
                [this, socket, connection] { Serve(socket, connection.get()); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // Bytes may have come with the connection itself.
        Serve(socket, connection.get());
    }
}

void CInstanceChannel::Serve(QLocalSocket* socket, Connection* connection) {
    Take(socket, connection);
    // A message handled in a nested event loop must not be overtaken: its later messages are
    // taken by the loop below once it returns.
    if (connection->dispatching) {
        return;
    }
    QPointer<QLocalSocket> alive(socket);
    CInstanceMessage message;
    for (;;) {
        CInstanceMessageReader::Status status = connection->reader.Next(&message);
        if (status == CInstanceMessageReader::READER_REFUSED) {
            socket->abort();
            return;
        }
        if (status == CInstanceMessageReader::READER_NEED_MORE) {
            return;
        }
        connection->dispatching = true;
        const int32_t result = handler_ ? handler_(message.code, message.text) : 1;
        if (alive.isNull()) {
            return;  // the connection went while the message was handled, and with it its state
        }
        connection->dispatching = false;
        const std::vector<uint8_t> reply = EncodeInstanceReply(result);
        socket->write(reinterpret_cast<const char*>(reply.data()),
                      static_cast<qint64>(reply.size()));
        socket->flush();
        // Bytes that came during a nested event loop bring no readyRead of their own.
        Take(socket, connection);
    }
}

void CInstanceChannel::Take(QLocalSocket* socket, Connection* connection) {
    uint8_t piece[kReadPiece];
    qint64 n = 0;
    while ((n = socket->read(reinterpret_cast<char*>(piece), kReadPiece)) > 0) {
        connection->reader.Append(piece, static_cast<size_t>(n));
    }
}

CInstanceChannel::SendStatus CInstanceChannel::Send(const QString& name, int32_t code,
                                                    std::u16string_view text, int timeoutMs,
                                                    int32_t* result) {
    if (text.size() > INSTANCE_MAX_TEXT_UNITS) {
        return SEND_TOO_LONG;
    }
    QLocalSocket socket;
    socket.connectToServer(name);
    // A local connection is made at once or refused at once; the listener need not run.
    if (!socket.waitForConnected(timeoutMs)) {
        return SEND_NO_SERVER;
    }
    const std::vector<uint8_t> bytes = EncodeInstanceMessage(code, text);
    socket.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));

    QByteArray reply;
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    connect(&socket, &QLocalSocket::disconnected, &loop, &QEventLoop::quit);
    connect(&socket, &QLocalSocket::readyRead, &loop, [&] {
        reply += socket.read(static_cast<qint64>(INSTANCE_REPLY_SIZE) - reply.size());
        if (reply.size() == static_cast<qsizetype>(INSTANCE_REPLY_SIZE)) {
            loop.quit();
        }
    });
    timer.start(timeoutMs);
    if (socket.state() == QLocalSocket::ConnectedState) {
        loop.exec();
    }
    return DecodeInstanceReply(reinterpret_cast<const uint8_t*>(reply.constData()),
                               static_cast<size_t>(reply.size()), result)
               ? SEND_ANSWERED
               : SEND_NO_ANSWER;
}
