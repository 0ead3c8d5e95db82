// CLexicoveFrame: what it keeps between runs: the list files, the display settings, the
// window's geometry, and the view, tab and word it shows.
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <algorithm>
#include <span>
#include <vector>

#include "app/code_page.h"
#include "app/program_folder.h"
#include "app/settings_store.h"
#include "frame/lexicove_frame.h"
#include "lists/list_files.h"
#include "ui/html_display.h"

void CLexicoveFrame::LoadLists() {
    const std::string& folder = GetProgramFolder();
    favorites_.Load(folder + FAVORITES_FILE);
    studyList_.Load(folder + STUDY_LIST_FILE);
    recents_.Load(folder + RECENTS_FILE);
    QTimer::singleShot(0, this, [this] { ReportUnreadableLists(); });  // once the window is up
}

void CLexicoveFrame::ReadDisplaySettings() {
    clearType_ = ReadIntegerOr(*settings_, SETTINGS_KEY, SETTING_CLEAR_TYPE,
                               SETTING_CLEAR_TYPE_DEFAULT) != 0;
    textSize_ =
        ReadIntegerOr(*settings_, SETTINGS_KEY, SETTING_TEXT_SIZE, SETTING_TEXT_SIZE_DEFAULT);
    if (textSize_ < CHtmlDisplay::ZOOM_MIN || textSize_ > CHtmlDisplay::ZOOM_MAX) {
        textSize_ = SETTING_TEXT_SIZE_DEFAULT;
    }
    wordOfTheDay_ =
        ReadStringOr(*settings_, SETTINGS_KEY, SETTING_WORD_THE_DAY, SETTING_WORD_THE_DAY_DEFAULT);
}

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
