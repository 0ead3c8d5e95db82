#pragma once

// CMessagePoster: posts the program's internal messages (a message id and two integer
// parameters, as WM_ messages carry) to a receiver on the main thread. Posting is safe from
// any thread, the search worker's included: each message becomes a queued CPostedMessage
// event, delivered in order on the receiver's thread, and Post never waits for it.
//
// The receiver handles the messages in its event() or customEvent() by testing for
// CPostedMessage::EventType(). It must outlive every thread that posts to it; messages still
// queued when it is destroyed are dropped.

#include <QEvent>
#include <cstdint>

class QObject;

class CPostedMessage : public QEvent {
  public:
    CPostedMessage(uint32_t message, intptr_t wParam, intptr_t lParam);

    // The event type shared by every posted message (registered once).
    static QEvent::Type EventType();

    uint32_t Message() const { return message_; }
    intptr_t WParam() const { return wParam_; }
    intptr_t LParam() const { return lParam_; }

  private:
    uint32_t message_;
    intptr_t wParam_;
    intptr_t lParam_;
};

class CMessagePoster {
  public:
    explicit CMessagePoster(QObject* receiver) : receiver_(receiver) {}

    // Queues the message for the receiver; false without a receiver or application object.
    bool Post(uint32_t message, intptr_t wParam = 0, intptr_t lParam = 0) const;

    // Post as a plain function, for code outside Qt that carries a context pointer (the
    // poster) and a function: PostProc(poster, message, wParam, lParam).
    static bool PostProc(void* context, uint32_t message, intptr_t wParam, intptr_t lParam);

    QObject* Receiver() const { return receiver_; }

  private:
    QObject* receiver_;
};
