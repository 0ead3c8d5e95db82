#pragma once

// CSearchTabCtrl: the Search view, the four tabs "Puzzle", "Anagram", "Wildcard" and
// "Phonetic" over one CSearchPanel. It starts on the tab stored as "SearchTab" and puts the
// panel in that mode; choosing a tab puts the panel in the tab's mode and stores the tab.
// Its focus goes to the panel; the panel fills the area below the tabs.
//
// The main window creates it on the first switch to the Search view and keeps it until the
// window is destroyed.

#include <QWidget>

class CSearchPanel;
class ISearchPanelOwner;
class ISettingsStore;
class QTabBar;

class CSearchTabCtrl : public QWidget {
    Q_OBJECT

  public:
    // The height of the tabs, in units.
    static constexpr int TAB_HEIGHT = 23;

    // owner receives the panel's searches; settings holds "SearchTab" (may be null: the tab
    // then starts on Puzzle and is not stored).
    CSearchTabCtrl(ISearchPanelOwner* owner, ISettingsStore* settings, QWidget* parent);
    ~CSearchTabCtrl() override;

    CSearchPanel* Panel() const { return panel_; }
    QTabBar* Tabs() const { return tabs_; }
    // Selects a tab (0 to 3) as a tap on it does; others are ignored.
    void SelectTab(int tab);
    int CurrentTab() const;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void OnTabChanged(int tab);

    ISettingsStore* settings_;
    QTabBar* tabs_;
    CSearchPanel* panel_;
};
