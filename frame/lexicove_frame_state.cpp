// CLexicoveFrame: what it keeps between runs of the window: its geometry, and the view, tab
// and word it shows.
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <algorithm>
#include <span>
#include <vector>

#include "app/code_page.h"
#include "app/settings_store.h"
#include "frame/lexicove_frame.h"

void CLexicoveFrame::RestoreState() {
    // A stored view or tab that names none counts as the first.
    int view =
        ReadIntegerOr(*settings_, SETTINGS_KEY, SETTING_CURRENT_VIEW, SETTING_CURRENT_VIEW_DEFAULT);
    int tab =
        ReadIntegerOr(*settings_, SETTINGS_KEY, SETTING_CURRENT_TAB, SETTING_CURRENT_TAB_DEFAULT);
    if (view < VIEW_LOOKUP || view > VIEW_SEARCH) {
        view = VIEW_LOOKUP;
    }
    if (tab < LIST_DICTIONARY || tab > LIST_SEARCHED) {
        tab = LIST_DICTIONARY;
    }
    // Before the first SetView no view is shown, so that SetView shows the stored one.
    currentView_ = -1;
    SetView(view);
    SelectTab(tab);
}

void CLexicoveFrame::RestoreGeometry() {
    std::vector<uint8_t> stored;
    // The window system puts a window stored on a screen that is gone onto one that exists.
    if (settings_->ReadBinary(SETTINGS_KEY, SETTING_WINDOW_GEOMETRY, &stored) &&
        restoreGeometry(QByteArray(reinterpret_cast<const char*>(stored.data()),
                                   static_cast<qsizetype>(stored.size())))) {
        return;
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        resize(FIRST_WINDOW_WIDTH, FIRST_WINDOW_HEIGHT);
        return;
    }
    const QRect available = screen->availableGeometry();
    const QSize size(std::min(FIRST_WINDOW_WIDTH, available.width() * 9 / 10),
                     std::min(FIRST_WINDOW_HEIGHT, available.height() * 9 / 10));
    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, available));
}

void CLexicoveFrame::SaveState() {
    const QByteArray geometry = saveGeometry();
    settings_->WriteBinary(SETTINGS_KEY, SETTING_WINDOW_GEOMETRY,
                           std::span(reinterpret_cast<const uint8_t*>(geometry.constData()),
                                     static_cast<size_t>(geometry.size())));
    settings_->WriteString(SETTINGS_KEY, SETTING_START_WORD, CodePageToUtf16(CurrentWord()));
    settings_->WriteInteger(SETTINGS_KEY, SETTING_CURRENT_VIEW, currentView_);
    settings_->WriteInteger(SETTINGS_KEY, SETTING_CURRENT_TAB, currentTab_);
}
