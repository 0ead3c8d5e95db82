#include "frame/pane_layout.h"

#include <algorithm>

CPaneLayout::CPaneLayout(int scale, int handleWidth)
    : scale_(scale < 1 ? 1 : scale), handleWidth_(std::max(1, handleWidth)) {}

bool CPaneLayout::TwoPanes(const QSize& client) const {
    return client.width() >= U(MIN_CLIENT_WIDTH) && client.height() >= U(MIN_CLIENT_HEIGHT);
}

int CPaneLayout::Clamp(int pixels, int clientWidth) const {
    // The lower limit wins when the area is too narrow for both.
    int widest = clientWidth - handleWidth_ - U(MIN_PANE_WIDTH);
    return std::max(U(MIN_PANE_WIDTH), std::min(pixels, widest));
}

int CPaneLayout::LeftWidth(int clientWidth) const {
    return Clamp(leftWidth_ > 0 ? leftWidth_ : U(DEFAULT_LEFT_WIDTH), clientWidth);
}

QRect CPaneLayout::LeftPane(const QSize& client) const {
    return QRect(0, 0, LeftWidth(client.width()), client.height());
}

QRect CPaneLayout::Handle(const QSize& client) const {
    return QRect(LeftWidth(client.width()), 0, handleWidth_, client.height());
}

QRect CPaneLayout::RightPane(const QSize& client) const {
    int left = LeftWidth(client.width()) + handleWidth_;
    return QRect(left, 0, std::max(0, client.width() - left), client.height());
}
