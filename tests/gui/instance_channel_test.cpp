#include "frame/instance_channel.h"

#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <cstring>

#include "frame/instance_message_reader.h"
#include "support/stale_socket.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Concat(const Bytes& a, const Bytes& b) {
    Bytes out = a;
    out.insert(out.end(), b.begin(), b.end());
    return out;
}

Bytes FromText(const char* text) {
    return Bytes(text, text + std::strlen(text));
}

// A header announcing units UTF-16 units of text, with nothing after it.
Bytes HeaderFor(uint32_t units) {
    Bytes header = EncodeInstanceMessage(0, u"");
    for (int i = 0; i < 4; ++i) {
        header[8 + i] = static_cast<uint8_t>(units >> (8 * i));
    }
    return header;
}

// Feeds bytes to a reader in pieces of the given size and collects what it gives back.
struct ReadOutcome {
    std::vector<CInstanceMessage> messages;
    bool refused = false;
};

ReadOutcome ReadInPieces(const Bytes& bytes, size_t piece) {
    CInstanceMessageReader reader;
    ReadOutcome outcome;
    for (size_t at = 0; at < bytes.size(); at += piece) {
        reader.Append(bytes.data() + at, std::min(piece, bytes.size() - at));
        CInstanceMessage message;
        CInstanceMessageReader::Status status;
        while ((status = reader.Next(&message)) == CInstanceMessageReader::READER_MESSAGE) {
            outcome.messages.push_back(message);
        }
        if (status == CInstanceMessageReader::READER_REFUSED) {
            outcome.refused = true;
            break;
        }
    }
    return outcome;
}

QByteArray AsQt(const Bytes& bytes) {
    return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<qsizetype>(bytes.size()));
}

}  // namespace

Q_DECLARE_METATYPE(Bytes)

class InstanceChannelTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        QVERIFY(dir_.isValid());
        name_ = dir_.filePath(QStringLiteral("channel-%1").arg(++count_));
        handled_.clear();
        channel_ = std::make_unique<CInstanceChannel>();
        channel_->SetHandler([this](int32_t code, const std::u16string& text) {
            handled_.push_back({code, text});
            return code + 100;
        });
    }

    void cleanup() { channel_.reset(); }

    void readerFraming_data() {
        QTest::addColumn<Bytes>("bytes");
        QTest::addColumn<int>("messages");
        QTest::addColumn<bool>("refused");
        const Bytes run = EncodeInstanceMessage(0, u"run");
        const Bytes shown = EncodeInstanceMessage(1, u"");
        QTest::newRow("one message") << run << 1 << false;
        QTest::newRow("empty text") << shown << 1 << false;
        QTest::newRow("two messages back to back") << Concat(run, shown) << 2 << false;
        QTest::newRow("header not yet complete")
            << Bytes(run.begin(), run.begin() + 11) << 0 << false;
        QTest::newRow("text not yet complete") << Bytes(run.begin(), run.end() - 1) << 0 << false;
        QTest::newRow("largest text")
            << EncodeInstanceMessage(0, std::u16string(INSTANCE_MAX_TEXT_UNITS, u'a')) << 1
            << false;
        // Refused from the header alone: none of the announced text need arrive.
        QTest::newRow("oversize") << HeaderFor(INSTANCE_MAX_TEXT_UNITS + 1) << 0 << true;
        QTest::newRow("length of 4 GiB") << HeaderFor(0xFFFFFFFFu) << 0 << true;
        QTest::newRow("not our mark") << FromText("GET / HTTP/1.1\r\nHost: x\r\n\r\n") << 0 << true;
        QTest::newRow("oversize behind a good message")
            << Concat(run, HeaderFor(INSTANCE_MAX_TEXT_UNITS + 1)) << 1 << true;
    }

    // Any split of the bytes gives the same outcome as the whole.
    void readerFraming() {
        QFETCH(Bytes, bytes);
        QFETCH(int, messages);
        QFETCH(bool, refused);
        for (size_t piece : {bytes.size(), size_t{1}, size_t{5}, size_t{13}}) {
            const ReadOutcome outcome = ReadInPieces(bytes, std::max(piece, size_t{1}));
            QCOMPARE(static_cast<int>(outcome.messages.size()), messages);
            QCOMPARE(outcome.refused, refused);
        }
    }

    void readerKeepsCodeAndEveryUnit() {
        const std::u16string text = u"caf\u00e9 \U0001F600 \u0000x";  // a NUL and a pair
        const ReadOutcome outcome = ReadInPieces(EncodeInstanceMessage(-7, text), 3);
        QCOMPARE(outcome.messages.size(), size_t{1});
        QCOMPARE(outcome.messages[0].code, -7);
        QVERIFY(outcome.messages[0].text == text);
    }

    void sendIsAnsweredByTheHandler() {
        QVERIFY(channel_->Listen(name_));
        int32_t result = 0;
        QCOMPARE(CInstanceChannel::Send(name_, 0, u"ice cream", 5000, &result),
                 CInstanceChannel::SEND_ANSWERED);
        QCOMPARE(result, 100);
        QCOMPARE(handled_.size(), size_t{1});
        QVERIFY(handled_[0].text == u"ice cream");
    }

    void messageSplitAcrossReads() {
        QVERIFY(channel_->Listen(name_));
        QLocalSocket client;
        client.connectToServer(name_);
        QVERIFY(client.waitForConnected(1000));
        const QByteArray bytes = AsQt(EncodeInstanceMessage(2, u"hidden"));
        // Inside the mark, then inside the length, then the rest.
        for (QByteArray piece : {bytes.mid(0, 3), bytes.mid(3, 7)}) {
            client.write(piece);
            client.flush();
            QTest::qWait(20);
            QVERIFY(handled_.empty());
        }
        client.write(bytes.mid(10));
        QTRY_COMPARE(handled_.size(), size_t{1});
        QTRY_COMPARE(client.bytesAvailable(), qint64{INSTANCE_REPLY_SIZE});
        int32_t result = 0;
        const QByteArray reply = client.readAll();
        QVERIFY(DecodeInstanceReply(reinterpret_cast<const uint8_t*>(reply.constData()),
                                    static_cast<size_t>(reply.size()), &result));
        QCOMPARE(result, 102);
        QCOMPARE(handled_.size(), size_t{1});
        QVERIFY(handled_[0].text == u"hidden");
    }

    void badBytesDropTheConnection_data() {
        QTest::addColumn<Bytes>("bytes");
        QTest::newRow("oversize") << HeaderFor(INSTANCE_MAX_TEXT_UNITS + 1);
        QTest::newRow("garbage") << FromText("hello, is anybody there?");
    }

    void badBytesDropTheConnection() {
        QFETCH(Bytes, bytes);
        QVERIFY(channel_->Listen(name_));
        QLocalSocket client;
        client.connectToServer(name_);
        QVERIFY(client.waitForConnected(1000));
        QSignalSpy gone(&client, &QLocalSocket::disconnected);
        client.write(AsQt(bytes));
        QVERIFY(gone.wait(2000));
        QVERIFY(handled_.empty());
        QCOMPARE(client.bytesAvailable(), qint64{0});
        // The channel itself goes on serving.
        int32_t result = 0;
        QCOMPARE(CInstanceChannel::Send(name_, 1, u"", 5000, &result),
                 CInstanceChannel::SEND_ANSWERED);
    }

    // A handler that runs a nested event loop (a message box) while the sender's next message
    // arrives: the next one is handled after it, and the replies come in order.
    void nestedLoopKeepsMessagesInOrder() {
        QLocalSocket client;
        int depth = 0, deepest = 0;
        channel_->SetHandler([&](int32_t code, const std::u16string&) {
            deepest = std::max(deepest, ++depth);
            if (code == 1) {
                client.write(AsQt(EncodeInstanceMessage(2, u"second")));
                client.flush();
                QTest::qWait(50);
            }
            --depth;
            handled_.push_back({code, u""});
            return code;
        });
        QVERIFY(channel_->Listen(name_));
        client.connectToServer(name_);
        QVERIFY(client.waitForConnected(1000));
        client.write(AsQt(EncodeInstanceMessage(1, u"first")));
        QTRY_COMPARE(client.bytesAvailable(), qint64{2 * INSTANCE_REPLY_SIZE});
        QCOMPARE(deepest, 1);
        QCOMPARE(handled_.size(), size_t{2});
        QCOMPARE(handled_[0].code, 1);
        QCOMPARE(handled_[1].code, 2);
        const QByteArray replies = client.readAll();
        int32_t first = 0, second = 0;
        const auto* raw = reinterpret_cast<const uint8_t*>(replies.constData());
        QVERIFY(DecodeInstanceReply(raw, INSTANCE_REPLY_SIZE, &first));
        QVERIFY(DecodeInstanceReply(raw + INSTANCE_REPLY_SIZE, INSTANCE_REPLY_SIZE, &second));
        QCOMPARE(first, 1);
        QCOMPARE(second, 2);
    }

    void sendWithoutListener() {
        int32_t result = 0;
        QCOMPARE(CInstanceChannel::Send(name_, 0, u"run", 1000, &result),
                 CInstanceChannel::SEND_NO_SERVER);
        QVERIFY(MakeStaleSocket(name_.toStdString()));
        QCOMPARE(CInstanceChannel::Send(name_, 0, u"run", 1000, &result),
                 CInstanceChannel::SEND_NO_SERVER);
    }

    void sendToListenerThatNeverAnswers() {
        QLocalServer silent;
        QVERIFY(silent.listen(name_));
        int32_t result = 0;
        QCOMPARE(CInstanceChannel::Send(name_, 0, u"run", 200, &result),
                 CInstanceChannel::SEND_NO_ANSWER);
    }

    void sendRefusesOversizeText() {
        QVERIFY(channel_->Listen(name_));
        int32_t result = 0;
        QCOMPARE(CInstanceChannel::Send(name_, 0, std::u16string(INSTANCE_MAX_TEXT_UNITS + 1, u'a'),
                                        1000, &result),
                 CInstanceChannel::SEND_TOO_LONG);
        QVERIFY(handled_.empty());
    }

    void listenTakesOverStaleSocket() {
        QVERIFY(MakeStaleSocket(name_.toStdString()));
        QVERIFY(channel_->Listen(name_));
        int32_t result = 0;
        QCOMPARE(CInstanceChannel::Send(name_, 0, u"run", 5000, &result),
                 CInstanceChannel::SEND_ANSWERED);
        channel_->Close();
        QVERIFY(!QFileInfo::exists(name_));
    }

  private:
    QTemporaryDir dir_;
    QString name_;
    int count_ = 0;
    std::unique_ptr<CInstanceChannel> channel_;
    std::vector<CInstanceMessage> handled_;
};

QTEST_MAIN(InstanceChannelTest)
#include "instance_channel_test.moc"
