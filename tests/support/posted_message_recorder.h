#pragma once

// CPostedMessageRecorder: a widget that records the messages posted to it through
// CMessagePoster, for window tests that check what a control tells its parent.

#include <QCoreApplication>
#include <QWidget>
#include <cstdint>
#include <vector>

#include "platform/message_poster.h"

class CPostedMessageRecorder : public QWidget {
  public:
    struct Message {
        uint32_t message;
        intptr_t wParam;
        intptr_t lParam;
    };

    // Delivers the messages still queued for the recorder, then returns all recorded so far.
    const std::vector<Message>& Received() {
        QCoreApplication::sendPostedEvents(this, CPostedMessage::EventType());
        return received_;
    }
    // The recorded messages with the given id, after delivering the queued ones.
    std::vector<Message> Received(uint32_t message) {
        std::vector<Message> matching;
        for (const Message& m : Received()) {
            if (m.message == message) {
                matching.push_back(m);
            }
        }
        return matching;
    }
    void Clear() {
        Received();
        received_.clear();
    }

  protected:
    void customEvent(QEvent* event) override {
        if (event->type() == CPostedMessage::EventType()) {
            const auto* posted = static_cast<const CPostedMessage*>(event);
            received_.push_back({posted->Message(), posted->WParam(), posted->LParam()});
        }
    }

  private:
    std::vector<Message> received_;
};
