#include "platform/message_poster.h"

#include <QCoreApplication>

CPostedMessage::CPostedMessage(uint32_t message, intptr_t wParam, intptr_t lParam)
    : QEvent(EventType()), message_(message), wParam_(wParam), lParam_(lParam) {}

QEvent::Type CPostedMessage::EventType() {
    static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

bool CMessagePoster::Post(uint32_t message, intptr_t wParam, intptr_t lParam) const {
    if (receiver_ == nullptr || QCoreApplication::instance() == nullptr) {
        return false;
    }
    // postEvent takes the event over and is thread-safe.
    QCoreApplication::postEvent(receiver_, new CPostedMessage(message, wParam, lParam));
    return true;
}

bool CMessagePoster::PostProc(void* context, uint32_t message, intptr_t wParam, intptr_t lParam) {
    const auto* poster = static_cast<const CMessagePoster*>(context);
    return poster != nullptr && poster->Post(message, wParam, lParam);
}
