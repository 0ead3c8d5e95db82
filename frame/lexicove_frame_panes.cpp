// CLexicoveFrame: the two panes of a wide window and the handheld layout of a narrow one. The
// layout is chosen from the client area's size on each resize; switching moves no state, only
// the places and the visibility of the children, so the word, the word list's page, the tab
// and the search panel's boxes stay as they were.
#include <QApplication>
#include <QMenu>

#include "app/settings_store.h"
#include "frame/lexicove_frame.h"
#include "frame/lookup_edit.h"
#include "frame/lookup_list.h"
#include "frame/pane_splitter.h"
#include "frame/search_panel.h"
#include "frame/search_tab_ctrl.h"
#include "lists/gui/word_list_box.h"
#include "ui/content_view.h"

void CLexicoveFrame::CreateSplitter() {
    panes_.SetLeftWidth(ReadIntegerOr(*settings_, SETTINGS_KEY, SETTING_PANE_WIDTH, 0));
    splitter_ = new CPaneSplitter(client_);
    splitter_->setObjectName("paneSplitter");
    splitter_->hide();
    connect(splitter_, &CPaneSplitter::dragged, this, &CLexicoveFrame::OnSplitterDragged);
    connect(splitter_, &CPaneSplitter::released, this, [this] {
        settings_->WriteInteger(SETTINGS_KEY, SETTING_PANE_WIDTH,
                                panes_.LeftWidth(client_->width()));
    });
    focusWatch_ = connect(qApp, &QApplication::focusChanged, this,
                          [this](QWidget*, QWidget* now) { OnFocusChanged(now); });
}

void CLexicoveFrame::OnClientResize() {
    if (splitter_ == nullptr) {
        return;
    }
    bool two = panes_.TwoPanes(client_->size());
    if (two != twoPanes_) {
        SwitchLayout(two);
    }
    PlaceChildren();
}

void CLexicoveFrame::SwitchLayout(bool twoPanes) {
    twoPanes_ = twoPanes;
    if (twoPanes_ && currentView_ != VIEW_LOOKUP) {
        rightView_ = currentView_;
    }
    splitter_->setVisible(twoPanes_);
    viewMenu_->menuAction()->setVisible(twoPanes_);
    // A click on a row of the left pane leaves the focus in the box, so the next word can be
    // typed at once; Tab still reaches the lists.
    const Qt::FocusPolicy listFocus = twoPanes_ ? Qt::TabFocus : Qt::StrongFocus;
    lookupList_->setFocusPolicy(listFocus);
    listBox_->setFocusPolicy(listFocus);
    ShowViews();
    client_->update();
    UpdateCommandStates();
}

QRect CLexicoveFrame::LookupArea() const {
    return twoPanes_ ? panes_.LeftPane(client_->size()) : client_->rect();
}

QRect CLexicoveFrame::PageArea() const {
    return twoPanes_ ? panes_.RightPane(client_->size()) : client_->rect();
}

int CLexicoveFrame::BandView() const {
    if (twoPanes_) {
        return rightView_;
    }
    return currentView_ == VIEW_LOOKUP ? -1 : currentView_;
}

void CLexicoveFrame::PlaceChildren() {
    const QRect lookup = LookupArea();
    const QRect page = PageArea();
    lookupList_->setGeometry(layout_.WordList(lookup.width(), lookup.height()));
    listBox_->setGeometry(layout_.WordList(lookup.width(), lookup.height()));
    const QRect content =
        layout_.ContentView(page.width(), page.height()).translated(page.topLeft());
    contentView_->setGeometry(content);
    if (searchTabs_ != nullptr) {
        searchTabs_->setGeometry(content);
    }
    if (twoPanes_) {
        splitter_->setGeometry(panes_.Handle(client_->size()));
    }
    // The header buttons keep to the client area's right edge in both layouts.
    if (forwardButton_.Rect().left() != layout_.ForwardButton(client_->width()).x()) {
        PlaceHeaderButtons();
    }
}

void CLexicoveFrame::OnSplitterDragged(int x) {
    int before = panes_.LeftWidth(client_->width());
    // A drag past a limit leaves the place at the limit, so the way back starts there.
    panes_.DragTo(x, client_->width());
    if (panes_.LeftWidth(client_->width()) != before) {
        PlaceChildren();
        client_->update();
    }
}

void CLexicoveFrame::ShowViews() {
    const bool lookup = LookupShown();
    const int page = BandView();
    lookupEdit_->setVisible(lookup);
    lookupList_->setVisible(lookup && currentTab_ == LIST_DICTIONARY);
    listBox_->setVisible(lookup && currentTab_ != LIST_DICTIONARY);
    contentView_->setVisible(page == VIEW_CONTENT);
    if (searchTabs_ != nullptr) {
        searchTabs_->setVisible(page == VIEW_SEARCH);
    }
    FocusCurrentView();
}

void CLexicoveFrame::FocusCurrentView() {
    QWidget* focus = QApplication::focusWidget();
    if (focus != nullptr && isAncestorOf(focus) && focus->isVisible()) {
        return;
    }
    if (currentView_ == VIEW_LOOKUP || (twoPanes_ && BandView() != currentView_)) {
        lookupEdit_->setFocus();
    } else if (currentView_ == VIEW_CONTENT) {
        contentView_->setFocus();
    } else if (searchTabs_ != nullptr) {
        searchTabs_->Panel()->setFocus();
    }
}

void CLexicoveFrame::ShowContent() {
    if (!twoPanes_) {
        SetView(VIEW_CONTENT);
        return;
    }
    if (rightView_ != VIEW_CONTENT) {
        rightView_ = VIEW_CONTENT;
        if (currentView_ == VIEW_SEARCH) {
            currentView_ = VIEW_LOOKUP;  // the search panel that held the focus goes
        }
        ShowViews();
        client_->update(PageArea());
    }
    UpdateCommandStates();
}

void CLexicoveFrame::OnFocusChanged(QWidget* now) {
    if (!twoPanes_ || now == nullptr || !isAncestorOf(now)) {
        return;
    }
    int view = -1;
    if (now == lookupEdit_ || now == lookupList_ || now == listBox_ ||
        lookupList_->isAncestorOf(now) || listBox_->isAncestorOf(now)) {
        view = VIEW_LOOKUP;
    } else if (now == contentView_ || contentView_->isAncestorOf(now)) {
        view = VIEW_CONTENT;
    } else if (searchTabs_ != nullptr && (now == searchTabs_ || searchTabs_->isAncestorOf(now))) {
        view = VIEW_SEARCH;
    }
    if (view < 0 || view == currentView_) {
        return;
    }
    currentView_ = view;
    if (view != VIEW_LOOKUP) {
        rightView_ = view;
    }
    UpdateCommandStates();
}
