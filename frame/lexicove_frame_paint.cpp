// CLexicoveFrame: the places of the children, the painted left panel and header bands, and
// the taps on them (the list tabs and the header buttons).
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "app/code_page.h"
#include "app/options_record.h"
#include "frame/command_ids.h"
#include "frame/lexicove_frame.h"
#include "frame/lookup_list.h"
#include "frame/search_panel.h"
#include "frame/search_tab_ctrl.h"
#include "lists/gui/word_list_box.h"
#include "platform/tap_and_hold.h"
#include "ui/content_view.h"
#include "ui/resource_images.h"
#include "ui/ui_font.h"

namespace {

// Places of the icons in the frame's table.
constexpr int kRandomIcon = 5;
constexpr int kReadIcons = 6;  // then Back, Forward; each normal, disabled, pressed
constexpr QRgb kPressedWordColour = 0xFF0000FF;
constexpr QRgb kTitleColour = 0xFF000040;

}  // namespace

void CLexicoveFrame::ApplyColourScheme() {
    scheme_ = CColourScheme::Current();
    panel_.SetColourScheme(scheme_);
    highlight_.SetColourScheme(scheme_);
    boxFrame_.SetColourScheme(scheme_);
}

QColor CLexicoveFrame::PanelTextColour(const QRect& area, bool onHighlight) const {
    QList<QRgb> under;
    if (onHighlight) {
        const int x = 2 * layout_.Scale();
        for (const int y : {highlight_.Height() / 4, highlight_.Height() * 3 / 4}) {
            under << highlight_.ColourAt(area.left() - x, y)
                  << highlight_.ColourAt(area.right() - x, y);
        }
    } else {
        // The panel's shades run across it; every row is alike.
        under << panel_.ColourAt(area.left(), 0) << panel_.ColourAt(area.right(), 0);
    }
    return QColor::fromRgb(scheme_.WindowText(under));
}

QColor CLexicoveFrame::ContentTitleColour() const {
    const int y = panel_.Height() / 2;
    const int right = panel_.Width() - (panel_.IsHighResolution() ? 8 : 4);
    return QColor::fromRgb(
        scheme_.Text(kTitleColour, {panel_.ColourAt(0, y), panel_.ColourAt(right, y)}));
}

void CLexicoveFrame::LoadIcons() {
    const int ids[] = {IDI_LOOKUP,  IDI_STUDY_LIST,       IDI_FAVORITES,
                       IDI_RECENTS, IDI_SEARCHED,         IDI_RANDOM_WORD,
                       IDI_READ,    IDI_READ_DISABLED,    IDI_READ_PRESSED,
                       IDI_BACK,    IDI_BACK_DISABLED,    IDI_BACK_PRESSED,
                       IDI_FORWARD, IDI_FORWARD_DISABLED, IDI_FORWARD_PRESSED};
    for (size_t i = 0; i < icons_.size(); ++i) {
        icons_[i] = LoadIconResource(ids[i], layout_.Scale(), devicePixelRatioF());
    }
}

void CLexicoveFrame::CreateHeaderButtons() {
    wordOfDayButton_.Create(layout_.WordOfTheDayArea(), client_, ID_WORD_OF_THE_DAY, true);
    QRect small = layout_.HeaderButton(QPoint(0, 0));
    readButton_.Create(small, client_, ID_READ, false);
    backButton_.Create(small, client_, ID_BACK, false);
    forwardButton_.Create(small, client_, ID_FORWARD, false);
    readButton_.Enable(SpeechAvailable());
    backButton_.Enable(false);
    forwardButton_.Enable(false);
    auto* hold = new CTapAndHold(client_, client_);
    connect(hold, &CTapAndHold::held, this, &CLexicoveFrame::OnHeaderHeld);
    PlaceHeaderButtons();
}

void CLexicoveFrame::PlaceHeaderButtons() {
    int w = client_->width();
    QPoint forward = layout_.ForwardButton(w);
    QPoint back = layout_.BackButton(w);
    QPoint read = layout_.ReadButton(w);
    forwardButton_.MoveTo(forward.x(), forward.y());
    backButton_.MoveTo(back.x(), back.y());
    readButton_.MoveTo(read.x(), read.y());
}

void CLexicoveFrame::PaintClient(QPaintEvent* event) {
    // Icons follow the device pixel ratio of the screen the window is on.
    if (!icons_[0].isNull() && icons_[0].devicePixelRatio() != client_->devicePixelRatioF()) {
        LoadIcons();
    }
    QPainter painter(client_);
    if (LookupShown() && event->rect().left() < layout_.PanelWidth()) {
        int height = event->rect().bottom() + 1;
        // Drawn at the device's resolution, so text and icons stay sharp on a scaled desktop.
        const qreal ratio = client_->devicePixelRatioF();
        QPixmap panel(QSize(std::max(1, layout_.PanelWidth()), std::max(1, height)) * ratio);
        panel.setDevicePixelRatio(ratio);
        panel.fill(QColor::fromRgb(scheme_.Window()));
        QPainter offscreen(&panel);
        PaintLookupPanel(offscreen, height);
        offscreen.end();
        painter.drawPixmap(0, 0, panel);
        // Below the word list's left edge nothing else is drawn by a child in the Lookup view.
    }
    if (BandView() == VIEW_CONTENT) {
        PaintContentBand(painter, event->rect());
    } else if (BandView() == VIEW_SEARCH) {
        PaintSearchBand(painter);
    }
}

void CLexicoveFrame::PaintLookupPanel(QPainter& painter, int height) {
    int s = layout_.Scale();
    panel_.TileDown(painter, height);
    if (currentTab_ != LIST_DICTIONARY) {
        boxFrame_.DrawAt(painter, 2 * s, (20 * s + 40 * s - boxFrame_.Height()) / 2);
    }
    int top = CFrameLayout::TabTop(currentTab_) * s;
    highlight_.DrawAt(painter, 2 * s, top + (20 * s - highlight_.Height()) / 2);
    const bool randomWords = GetOptionsRecord().ShowRandomWords();
    for (int tab = 0; tab < CFrameLayout::TAB_COUNT; ++tab) {
        painter.drawPixmap(layout_.TabIcon(tab).topLeft(), icons_[tab]);
    }
    if (randomWords) {
        painter.drawPixmap(layout_.RandomWordIcon(), icons_[kRandomIcon]);
    }
    // The labels of the five tabs come first, then "Random Word:".
    int tab = 0;
    for (const CFrameLayout::PanelLabel& label : layout_.PanelLabels(currentTab_, randomWords)) {
        painter.setPen(PanelTextColour(label.rect, tab++ == currentTab_));
        painter.setFont(CreateUiFont(label.fontHeight, label.bold));
        painter.drawText(label.rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         label.text);
    }
    if (randomWords && !wordOfTheDay_.empty()) {
        painter.setFont(CreateUiFont(13, true));
        const QRect area = layout_.WordOfTheDayArea();
        const QColor text = PanelTextColour(area, false);
        const QRgb pressed = scheme_.Text(kPressedWordColour, {panel_.ColourAt(area.left(), 0),
                                                               panel_.ColourAt(area.right(), 0)});
        painter.setPen(wordOfDayButton_.State() == CHeaderButton::STATE_PRESSED
                           ? QColor::fromRgb(pressed)
                           : text);
        painter.drawText(layout_.WordOfTheDayArea(), Qt::AlignCenter | Qt::TextWordWrap,
                         QString::fromStdU16String(wordOfTheDay_));
    }
}

void CLexicoveFrame::DrawHeaderButton(QPainter& painter, const CHeaderButton& button,
                                      int icon) const {
    int offset = button.State() == CHeaderButton::STATE_DISABLED  ? 1
                 : button.State() == CHeaderButton::STATE_PRESSED ? 2
                                                                  : 0;
    painter.drawPixmap(button.Rect().topLeft(), icons_[icon + offset]);
}

void CLexicoveFrame::PaintContentBand(QPainter& painter, const QRect& area) {
    const QRect page = PageArea();
    painter.save();
    painter.translate(page.left(), 0);
    panel_.StretchAcross(painter, page.width());
    painter.restore();
    DrawHeaderButton(painter, readButton_, kReadIcons);
    DrawHeaderButton(painter, backButton_, kReadIcons + 3);
    DrawHeaderButton(painter, forwardButton_, kReadIcons + 6);
    QRect title =
        layout_.ContentTitle(readButton_.Rect().left() - page.left()).translated(page.left(), 0);
    if (title.intersects(area)) {
        painter.setFont(CreateUiFont(18, true));
        painter.setPen(ContentTitleColour());
        painter.drawText(title, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         QString::fromStdU16String(CodePageToUtf16(CurrentWord())));
    }
}

void CLexicoveFrame::PaintSearchBand(QPainter& painter) {
    const QRect page = PageArea();
    painter.translate(page.left(), 0);
    painter.fillRect(layout_.HeaderBand(page.width()), QColor::fromRgb(scheme_.BandBackground()));
    DrawHeader(painter, page.width(), "Word Search", false);
}

bool CLexicoveFrame::OnClientMouse(QMouseEvent* event) {
    QPoint point = event->position().toPoint();
    if (event->type() == QEvent::MouseButtonPress) {
        if (event->button() != Qt::LeftButton) {
            return false;
        }
        if (capturedButton_ != nullptr) {
            if (capturedButton_->Press(point)) {
                return true;
            }
            capturedButton_ = nullptr;
        }
        CHeaderButton* buttons[] = {&wordOfDayButton_, &readButton_, &backButton_, &forwardButton_};
        for (CHeaderButton* button : buttons) {
            // The word-of-the-day area lies in the Lookup view's panel, the others in the
            // Content view's band.
            bool shown = button == &wordOfDayButton_ ? LookupShown() : BandView() == VIEW_CONTENT;
            if (shown && button->HitTest(point)) {
                button->Press(point);
                capturedButton_ = button;
                return true;
            }
        }
        if (LookupShown() && LookupArea().contains(point)) {
            int tab = layout_.TabAt(point);
            if (tab >= 0) {
                SelectTab(tab);
            }
            return true;
        }
        // Left to the press-and-hold gesture: held on the Content view's title, it opens the
        // title's menu.
        return false;
    }
    if (capturedButton_ == nullptr) {
        return false;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        capturedButton_->Release(point);
        capturedButton_ = nullptr;
    } else if (!capturedButton_->Move(point) || !capturedButton_->IsTracking()) {
        capturedButton_ = nullptr;
    }
    return true;
}

void CLexicoveFrame::OnHeaderHeld(QPoint position) {
    if (BandView() != VIEW_CONTENT || position.x() < PageArea().left() ||
        position.y() >= layout_.HeaderBand(client_->width()).height() ||
        position.x() >= readButton_.Rect().left()) {
        return;
    }
    capturedButton_ = nullptr;
    QMenu menu(this);
    menu.addAction(Action(ID_EDIT_COPY));
    // The check mark tells whether the item adds the word or removes it.
    QAction* study = menu.addAction("Keep in Study List");
    study->setCheckable(true);
    study->setChecked(CurrentWordIn(studyList_));
    QAction* favorites = menu.addAction("Keep in Favorites");
    favorites->setCheckable(true);
    favorites->setChecked(CurrentWordIn(favorites_));
    connect(study, &QAction::triggered, this, [this] { RunCommand(ID_ADD_TO_STUDY_LIST); });
    connect(favorites, &QAction::triggered, this, [this] { RunCommand(ID_ADD_TO_FAVORITES); });
    menu.exec(client_->mapToGlobal(position));
}
