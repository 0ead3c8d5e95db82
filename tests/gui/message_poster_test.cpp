#include "platform/message_poster.h"

#include "app/messages.h"

#include <QCoreApplication>
#include <QTest>
#include <QThread>
#include <thread>
#include <vector>

namespace {

struct Received {
    uint32_t message;
    intptr_t wParam;
    intptr_t lParam;
    bool onMainThread;
};

// Records the posted messages it receives, and on which thread.
class Receiver : public QObject {
  public:
    std::vector<Received> received;

  protected:
    void customEvent(QEvent* event) override {
        if (event->type() != CPostedMessage::EventType()) {
            return;
        }
        auto* posted = static_cast<CPostedMessage*>(event);
        received.push_back({posted->Message(), posted->WParam(), posted->LParam(),
                            QThread::currentThread() == QCoreApplication::instance()->thread()});
    }
};

constexpr uint32_t kAdded = WM_LIST_ITEM_ADDED;
constexpr uint32_t kDone = WM_SEARCH_DONE;

}  // namespace

class MessagePosterTest : public QObject {
    Q_OBJECT

  private slots:
    void postIsQueuedNotSent() {
        Receiver receiver;
        CMessagePoster poster(&receiver);
        QVERIFY(poster.Post(kDone, 3, -4));
        QVERIFY(receiver.received.empty());
        QTRY_COMPARE(receiver.received.size(), size_t{1});
        QCOMPARE(receiver.received[0].message, kDone);
        QCOMPARE(receiver.received[0].wParam, intptr_t{3});
        QCOMPARE(receiver.received[0].lParam, intptr_t{-4});
    }

    // The search worker's pattern: many messages from its thread, in order, on the main one.
    void workerThreadPostsArriveInOrderOnMainThread() {
        Receiver receiver;
        CMessagePoster poster(&receiver);
        constexpr int kCount = 500;
        std::thread worker([&poster] {
            for (int i = 0; i < kCount; ++i) {
                CMessagePoster::PostProc(&poster, kAdded, i, 0);
            }
            poster.Post(kDone, 1, 0);
        });
        worker.join();
        QTRY_COMPARE(receiver.received.size(), size_t{kCount + 1});
        for (int i = 0; i < kCount; ++i) {
            QCOMPARE(receiver.received[i].message, kAdded);
            QCOMPARE(receiver.received[i].wParam, intptr_t{i});
            QVERIFY(receiver.received[i].onMainThread);
        }
        QCOMPARE(receiver.received.back().message, kDone);
    }

    void noReceiverIsRefused() {
        QVERIFY(!CMessagePoster(nullptr).Post(kDone));
        QVERIFY(!CMessagePoster::PostProc(nullptr, kDone, 0, 0));
    }
};

QTEST_GUILESS_MAIN(MessagePosterTest)
#include "message_poster_test.moc"
