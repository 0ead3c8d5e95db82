// lexicove-screenshots: renders the real main window into PNG files for the documentation.
//
//   lexicove-screenshots FOLDER [WORD [LINKS-PAGE]]
//
// Starts the program as lexicove does (same database search, same settings), then for the
// portrait (240 by 320 units) and the landscape (320 by 240) window writes
//   lookup-ORIENTATION-Sx.png    the Lookup view with the dictionary list
//   content-ORIENTATION-Sx.png   the Content view of WORD (default "run")
//   links-ORIENTATION-Sx.png     the Word Links page LINKS-PAGE (default "run:10", the
//                                links of run's first sense)
//   search-TAB-ORIENTATION-Sx.png  the Search view's four tabs with a sample query typed
// where S is the display scale (LEXICOVE_SCALE=2 for the double size), and at scale 1
//   options-portrait.png, options-landscape.png   the Options dialog in its two layouts
//   lookup-word-of-the-day.png                    the Lookup view with a new word of the day
//   two-panes-light.png    the first window's 1000 by 700: WORD typed and chosen, its page on
//                          the right, the box keeping the focus
//   handheld-lookup.png, handheld-content.png, handheld-search.png   that window narrowed to
//                          240 by 320: the handheld layout again, each view in turn
// scripts/screenshots.sh runs it offscreen with a scratch program folder.

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPixmap>
#include <QThread>
#include <cstdio>

#include "app/messages.h"
#include "app/options_record.h"
#include "frame/command_ids.h"
#include "frame/hot_key_service.h"
#include "frame/lexicove_app.h"
#include "frame/lexicove_frame.h"
#include "frame/lookup_edit.h"
#include "frame/search_panel.h"
#include "frame/search_panel_text.h"
#include "frame/search_tab_ctrl.h"
#include "options/gui/options_dialog.h"
#include "platform/platform_info.h"
#include "ui/context_edit.h"

namespace {

constexpr int kSettleLimitMs = 10000;

struct Orientation {
    const char* name;
    int width;
    int height;
};

constexpr Orientation kOrientations[] = {{"portrait", 240, 320}, {"landscape", 320, 240}};

// Lets the window finish what it started: the page handed to the display, the layout, the paint.
// False when the workers stay busy.
bool Settle(CLexicoveFrame* frame) {
    QElapsedTimer timer;
    timer.start();
    while (frame->IsWorkerBusy() && timer.elapsed() < kSettleLimitMs) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    // A few more turns for the events the last page posted.
    for (int turn = 0; turn < 10; ++turn) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return !frame->IsWorkerBusy();
}

bool Save(CLexicoveFrame* frame, const QString& folder, const char* view,
          const Orientation& orientation, int scale) {
    if (!Settle(frame)) {
        std::fprintf(stderr, "lexicove-screenshots: the window stays busy\n");
        return false;
    }
    const QString path = QStringLiteral("%1/%2-%3-%4x.png")
                             .arg(folder, QLatin1String(view), QLatin1String(orientation.name),
                                  QString::number(scale));
    if (!frame->grab().save(path)) {
        std::fprintf(stderr, "lexicove-screenshots: %s cannot be written\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

// One sample search per tab of the Search view, typed as a user would, not started.
struct SearchSample {
    const char* name;
    const char16_t* typed;
};

constexpr SearchSample kSearchSamples[] = {{"search-puzzle", u"c?t?"},
                                           {"search-anagram", u"stare"},
                                           {"search-wildcard", u"*ness"},
                                           {"search-phonetic", u"fisiks"}};

bool SaveSearchTabs(CLexicoveFrame* frame, const QString& folder, const Orientation& orientation,
                    int scale) {
    frame->SetView(VIEW_SEARCH);
    CSearchTabCtrl* tabs = frame->SearchTabs();
    if (tabs == nullptr) {
        std::fprintf(stderr, "lexicove-screenshots: the Search view cannot be made\n");
        return false;
    }
    for (int tab = 0; tab < 4; ++tab) {
        tabs->SelectTab(tab);
        CSearchPanel* panel = tabs->Panel();
        if (tab == SEARCH_TAB_PUZZLE || tab == SEARCH_TAB_ANAGRAM) {
            if (panel->Letters().empty()) {
                for (const char16_t* c = kSearchSamples[tab].typed; *c != 0; ++c) {
                    panel->HandleChar(*c);
                }
            }
        } else {
            panel->EditBox()->setText(QString::fromUtf16(kSearchSamples[tab].typed));
        }
        if (!Save(frame, folder, kSearchSamples[tab].name, orientation, scale)) {
            return false;
        }
    }
    return true;
}

bool SaveShot(QWidget* widget, const QString& folder, const char* name) {
    const QString path = QStringLiteral("%1/%2.png").arg(folder, QLatin1String(name));
    if (!widget->grab().save(path)) {
        std::fprintf(stderr, "lexicove-screenshots: %s cannot be written\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

// The Options dialog as the Options command opens it, over the program's own options.
bool SaveOptionsDialog(CLexicoveFrame* frame, const QString& folder, bool landscape) {
    COptionsDialog dialog(&GetOptionsRecord(), {}, landscape, frame);
    dialog.SetHotKey(frame->HotKeyService()->Key(), frame->HotKeyService()->StatusText());
    dialog.show();
    for (int turn = 0; turn < 10; ++turn) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    const bool saved =
        SaveShot(&dialog, folder, landscape ? "options-landscape" : "options-portrait");
    dialog.reject();
    return saved;
}

// The portrait Lookup view after a new word of the day is drawn (the command held).
bool SaveWordOfTheDay(CLexicoveFrame* frame, const QString& folder) {
    frame->resize(kOrientations[0].width, kOrientations[0].height);
    frame->SetView(VIEW_LOOKUP);
    frame->SelectTab(LIST_DICTIONARY);
    frame->RunCommand(ID_WORD_OF_THE_DAY, COMMAND_HELD);
    if (!Settle(frame)) {
        std::fprintf(stderr, "lexicove-screenshots: the window stays busy\n");
        return false;
    }
    return SaveShot(frame, folder, "lookup-word-of-the-day");
}

// The two panes of the first window with word typed into the box and chosen with Enter, then
// the same window narrowed back to the handheld layout.
bool SaveTwoPanes(CLexicoveFrame* frame, const QString& folder, const std::u16string& word) {
    frame->resize(CLexicoveFrame::FIRST_WINDOW_WIDTH, CLexicoveFrame::FIRST_WINDOW_HEIGHT);
    frame->SelectTab(LIST_DICTIONARY);
    frame->RunCommand(ID_LOOKUP_VIEW);
    CLookupEdit* edit = frame->LookupEdit();
    edit->setText(QString::fromStdU16String(word));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(edit, &enter);
    if (!Settle(frame) || !frame->TwoPanes() || !SaveShot(frame, folder, "two-panes-light")) {
        return false;
    }
    const struct {
        int view;
        const char* name;
    } views[] = {{VIEW_LOOKUP, "handheld-lookup"},
                 {VIEW_CONTENT, "handheld-content"},
                 {VIEW_SEARCH, "handheld-search"}};
    frame->resize(kOrientations[0].width, kOrientations[0].height);
    for (const auto& view : views) {
        frame->SetView(view.view);
        if (!Settle(frame) || frame->TwoPanes() || !SaveShot(frame, folder, view.name)) {
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 4) {
        std::fprintf(stderr, "Usage: lexicove-screenshots FOLDER [WORD [LINKS-PAGE]]\n");
        return APP_EXIT_USAGE;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const std::u16string word = QString::fromLocal8Bit(argc > 2 ? argv[2] : "run").toStdU16String();
    const std::u16string links =
        QString::fromLocal8Bit(argc > 3 ? argv[3] : "run:10").toStdU16String();
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "lexicove-screenshots: %s cannot be made\n", argv[1]);
        return APP_EXIT_FAILED;
    }

    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    CLexicoveApp app;
    app.SetMessageBoxHook([](const QString& text) {
        std::fprintf(stderr, "lexicove-screenshots: %s\n", qPrintable(text));
    });
    if (!app.InitInstance()) {
        return app.ExitInstance();
    }
    CLexicoveFrame* frame = app.Frame();
    const int scale = GetDisplayScale();
    bool saved = true;
    for (const Orientation& orientation : kOrientations) {
        frame->resize(orientation.width * scale, orientation.height * scale);
        frame->SetView(VIEW_LOOKUP);
        frame->SelectTab(LIST_DICTIONARY);
        saved = saved && Save(frame, folder, "lookup", orientation, scale);
        saved = saved && frame->OpenWord(word, true) &&
                Save(frame, folder, "content", orientation, scale);
        saved = saved && frame->OpenWord(links, true) &&
                Save(frame, folder, "links", orientation, scale);
        saved = saved && SaveSearchTabs(frame, folder, orientation, scale);
    }
    // The handheld's own size only: the names carry no scale.
    if (scale == 1) {
        saved = saved && SaveOptionsDialog(frame, folder, false) &&
                SaveOptionsDialog(frame, folder, true) && SaveWordOfTheDay(frame, folder) &&
                SaveTwoPanes(frame, folder, word);
    }
    app.ExitInstance();
    return saved ? APP_EXIT_OK : APP_EXIT_FAILED;
}
