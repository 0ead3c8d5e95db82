#pragma once

// CSearchTabCtrl: the Search view, the five tabs "Puzzle", "Anagram", "Wildcard", "Phonetic"
// and "Meaning" over one CSearchPanel. It starts on the tab stored as "SearchTab" and puts the
// panel in that mode; choosing a tab puts the panel in the tab's mode and stores the tab.
// Without a meaning index the Meaning tab is disabled, its tooltip saying why.
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

    // The tooltip of the Meaning tab when the database has no meaning index.
    static constexpr char NO_MEANING_INDEX[] =
        "This dictionary file has no meaning index: build it again with lexicove-mkdb to search "
        "by meaning.";

    // owner receives the panel's searches; settings holds "SearchTab" (may be null: the tab
    // then starts on Puzzle and is not stored); meaningAvailable: whether the database has the
    // meaning index the Meaning tab needs (a stored Meaning tab then starts on Puzzle).
    CSearchTabCtrl(ISearchPanelOwner* owner, ISettingsStore* settings, bool meaningAvailable,
                   QWidget* parent);
    ~CSearchTabCtrl() override;

    CSearchPanel* Panel() const { return panel_; }
    QTabBar* Tabs() const { return tabs_; }
    // Selects a tab (0 to 4) as a tap on it does; others, and a disabled tab, are ignored.
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
