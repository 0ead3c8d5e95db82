#include "frame/search_tab_ctrl.h"

#include <QProxyStyle>
#include <QResizeEvent>
#include <QTabBar>
#include <algorithm>

#include "app/settings_store.h"
#include "frame/search_panel.h"
#include "frame/search_panel_text.h"
#include "platform/platform_info.h"
#include "ui/ui_font.h"

namespace {

constexpr int kTabFontHeight = 12;
constexpr int kTabTextSpace = 4;  // units beside the text of a tab

// The desktop style with little room beside a tab's text, so that "Wildcard" fits a fifth of
// 240 units.
class CNarrowTabStyle : public QProxyStyle {
  public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        if (metric == PM_TabBarTabHSpace) {
            return kTabTextSpace * GetDisplayScale();
        }
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

// The tab bar of the five tabs, which share its width equally, so that all five show on a
// screen 240 units wide.
class CSearchTabBar : public QTabBar {
  public:
    using QTabBar::QTabBar;

  protected:
    QSize tabSizeHint(int index) const override {
        QSize size = QTabBar::tabSizeHint(index);
        if (count() > 0) {
            size.setWidth(std::max(width() / count(), 1));
        }
        return size;
    }
    QSize minimumTabSizeHint(int index) const override { return tabSizeHint(index); }
};

}  // namespace

CSearchTabCtrl::CSearchTabCtrl(ISearchPanelOwner* owner, ISettingsStore* settings,
                               bool meaningAvailable, QWidget* parent)
    : QWidget(parent),
      settings_(settings),
      tabs_(new CSearchTabBar(this)),
      panel_(new CSearchPanel(owner, this)) {
    setObjectName(QStringLiteral("searchTabCtrl"));
    setAccessibleName(QStringLiteral("Word Search"));
    setAutoFillBackground(true);  // a control of its own: the views below never show through
    tabs_->setObjectName(QStringLiteral("searchTabs"));
    tabs_->setFocusPolicy(Qt::NoFocus);
    tabs_->setDrawBase(false);
    // The tabs share the width, as on the handheld's 240-unit screen.
    tabs_->setFont(CreateUiFont(kTabFontHeight, false));
    tabs_->setUsesScrollButtons(false);
    auto* style = new CNarrowTabStyle();
    style->setParent(tabs_);
    tabs_->setStyle(style);
    for (const char* name : {"Puzzle", "Anagram", "Wildcard", "Phonetic", "Meaning"}) {
        tabs_->addTab(QString::fromLatin1(name));
    }
    setFocusProxy(panel_);
    panel_->SetMeaningAvailable(meaningAvailable);
    if (!meaningAvailable) {
        tabs_->setTabEnabled(SEARCH_TAB_MEANING, false);
        tabs_->setTabToolTip(SEARCH_TAB_MEANING, QString::fromLatin1(NO_MEANING_INDEX));
    }

    int tab = SETTING_SEARCH_TAB_DEFAULT;
    if (settings_ != nullptr) {
        tab =
            ReadIntegerOr(*settings_, SETTINGS_KEY, SETTING_SEARCH_TAB, SETTING_SEARCH_TAB_DEFAULT);
    }
    // A stored value that names no tab, or a tab this database cannot serve, is taken as the
    // first tab.
    if (tab < 0 || tab >= SEARCH_TAB_COUNT || !tabs_->isTabEnabled(tab)) {
        tab = SETTING_SEARCH_TAB_DEFAULT;
    }
    tabs_->setCurrentIndex(tab);
    panel_->SetMode(tab, true);
    connect(tabs_, &QTabBar::currentChanged, this, &CSearchTabCtrl::OnTabChanged);
}

CSearchTabCtrl::~CSearchTabCtrl() = default;

void CSearchTabCtrl::SelectTab(int tab) {
    if (tab >= 0 && tab < SEARCH_TAB_COUNT && tabs_->isTabEnabled(tab)) {
        tabs_->setCurrentIndex(tab);
    }
}

int CSearchTabCtrl::CurrentTab() const {
    return tabs_->currentIndex();
}

void CSearchTabCtrl::OnTabChanged(int tab) {
    if (tab < 0) {
        return;
    }
    panel_->SetMode(tab);
    if (settings_ != nullptr) {
        settings_->WriteInteger(SETTINGS_KEY, SETTING_SEARCH_TAB, tab);
    }
}

void CSearchTabCtrl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int top = TAB_HEIGHT * GetDisplayScale();
    tabs_->setGeometry(0, 0, width(), top);
    panel_->setGeometry(0, top, width(), std::max(height() - top, 0));
}
