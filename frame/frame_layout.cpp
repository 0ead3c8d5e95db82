#include "frame/frame_layout.h"

namespace {

constexpr int kTabLeft = 2;
constexpr int kTabRight = 118;
constexpr int kLabelLeft = 25;
constexpr int kIconSize = 16;
constexpr const char* kTabLabels[] = {"Look up:", "Study List", "Favorites", "Recents", "Searched"};
constexpr int kTabFontHeight = 14;
constexpr int kRandomWordFontHeight = 13;

}  // namespace

CFrameLayout::CFrameLayout(int scale, int panelWidth, int boxFrameWidth)
    : scale_(scale < 1 ? 1 : scale), panelWidth_(panelWidth), boxFrameWidth_(boxFrameWidth) {}

int CFrameLayout::TabTop(int tab) {
    return tab == 0 ? 20 : 20 * tab + 28;
}

QRect CFrameLayout::LookupEdit() const {
    return QRect(U(6), U(23), boxFrameWidth_ - U(8), U(14));
}

QRect CFrameLayout::WordList(int clientWidth, int clientHeight) const {
    return QRect(panelWidth_, 0, clientWidth - panelWidth_, clientHeight);
}

QRect CFrameLayout::ContentView(int clientWidth, int clientHeight) const {
    return QRect(0, U(HEADER_HEIGHT), clientWidth, clientHeight - U(HEADER_HEIGHT));
}

QRect CFrameLayout::TabIcon(int tab) const {
    int top = tab == 0 ? 2 : TabTop(tab) + 2;
    return QRect(U(5), U(top), U(kIconSize), U(kIconSize));
}

QRect CFrameLayout::TabLabel(int tab) const {
    int top = tab == 0 ? 1 : TabTop(tab);
    int bottom = tab == 0 ? 21 : TabTop(tab) + 20;
    return QRect(QPoint(U(kLabelLeft), U(top)), QPoint(U(kTabRight) - 1, U(bottom) - 1));
}

QRect CFrameLayout::TabBand(int tab) const {
    return QRect(QPoint(U(kTabLeft), U(TabTop(tab) - 4)),
                 QPoint(U(kTabRight) - 1, U(TabTop(tab) + 24) - 1));
}

int CFrameLayout::TabAt(const QPoint& point) const {
    if (point.x() <= U(kTabLeft) || point.x() >= U(kTabRight)) {
        return -1;
    }
    if (point.y() > 0 && point.y() < U(40)) {
        return 0;
    }
    for (int tab = 1; tab < TAB_COUNT; ++tab) {
        if (point.y() > U(TabTop(tab)) && point.y() < U(TabTop(tab) + 20)) {
            return tab;
        }
    }
    return -1;
}

QPoint CFrameLayout::RandomWordIcon() const {
    return QPoint(U(5), U(134) + 3);
}

QRect CFrameLayout::RandomWordLabel() const {
    return QRect(QPoint(U(kLabelLeft), U(134)), QPoint(U(kTabRight) - 1, U(154) - 1));
}

QRect CFrameLayout::WordOfTheDayArea() const {
    return QRect(QPoint(U(7), U(156)), QPoint(U(111) - 1, U(216) - 1));
}

std::vector<CFrameLayout::PanelLabel> CFrameLayout::PanelLabels(int currentTab,
                                                                bool withRandomWord) const {
    std::vector<PanelLabel> labels;
    for (int tab = 0; tab < TAB_COUNT; ++tab) {
        labels.push_back(
            {TabLabel(tab), kTabLabels[tab], kTabFontHeight, tab == 0 || tab == currentTab});
    }
    if (withRandomWord) {
        labels.push_back({RandomWordLabel(), "Random Word:", kRandomWordFontHeight, false});
    }
    return labels;
}

QPoint CFrameLayout::ForwardButton(int clientWidth) const {
    return QPoint(clientWidth - U(18), U(5));
}

QPoint CFrameLayout::BackButton(int clientWidth) const {
    return QPoint(clientWidth - U(36), U(5));
}

QPoint CFrameLayout::ReadButton(int clientWidth) const {
    return QPoint(clientWidth - U(54), U(5));
}

QRect CFrameLayout::HeaderButton(const QPoint& topLeft) const {
    return QRect(topLeft, QSize(U(kIconSize), U(kIconSize)));
}

QRect CFrameLayout::ContentTitle(int readLeft) const {
    return QRect(QPoint(U(4), 0), QPoint(readLeft - 2, U(HEADER_HEIGHT) - 1));
}

QRect CFrameLayout::HeaderBand(int clientWidth) const {
    return QRect(0, 0, clientWidth, U(HEADER_HEIGHT));
}
