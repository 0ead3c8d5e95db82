#pragma once

// COptionsDialog: the modal "Lexicove Options" dialog. The user edits the search options
// ("Don't ignore spaces", "Don't ignore Non-Alphanumeric", "Stop at:"), the study assistance
// (whether and from where new Study List words come every day, and how many) and whether and
// from where the word of the day is drawn. "Add Now" and "Clear List" act at once, through
// messages to the main window, whatever the dialog's outcome.
//
// Below them, the global hot key that looks up the selection of any program (CHotKeyEdit),
// shown and read by the caller, who keeps it in the settings.
//
// Two layouts of the same controls: portrait (groups "Word Search:" and "Study Assistance:")
// and landscape (groups "Word Search Options:" and "Study List Options:"). The dialog reads the
// options record when it is built and writes it only on OK; the caller then saves it.

#include <QDialog>
#include <QKeySequence>
#include <cstdint>
#include <functional>
#include <string>

#include "app/program_folder.h"

class CHotKeyEdit;
class COptionsRecord;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Control ids of the dialog, kept as the controls' object names.
inline constexpr int IDC_KEEP_SPACES = 1006;
inline constexpr int IDC_KEEP_NON_ALPHANUMERIC = 1007;
inline constexpr int IDC_ADD_STUDY_WORDS = 1008;
inline constexpr int IDC_STUDY_WORD_COUNT = 1009;
inline constexpr int IDC_ADD_NOW = 1010;
inline constexpr int IDC_CLEAR_LIST = 1011;
inline constexpr int IDC_STUDY_SOURCE = 1012;
inline constexpr int IDC_RANDOM_SOURCE = 1013;
inline constexpr int IDC_SHOW_RANDOM_WORDS = 1018;
inline constexpr int IDC_RESULT_LIMIT = 1019;

class COptionsDialog : public QDialog {
    Q_OBJECT

  public:
    // A message sent to the main window, handled before the call returns: WM_CLEAR_LIST
    // (LIST_STUDY, 0) and WM_ADD_STUDY_WORDS (count, the NUL-terminated UTF-16 name of a
    // word-list file, "" for the dictionary; valid during the call only).
    using MessageSender = std::function<void(uint32_t message, intptr_t wParam, intptr_t lParam)>;
    // Shows an error the user must see; by default the program's error box over the dialog.
    using MessageBoxHook = std::function<void(const QString& text)>;

    // The entry that stands for the dictionary in both source lists.
    static constexpr char BUILT_IN_DICTIONARY[] = "- Built-in Dictionary -";

    // options: edited in place on OK, not owned. folder: where the word-list files are,
    // ending with "/".
    COptionsDialog(COptionsRecord* options, MessageSender sender, bool landscape,
                   QWidget* parent = nullptr, const std::string& folder = GetProgramFolder());

    // Fills a source list: "- Built-in Dictionary -" first and selected, then the word-list
    // files of folder ("*.dwg" names that pass IsWordListFileName) without their extension,
    // sorted without regard to case; the entry whose file name equals storedName (ignoring
    // case) is selected. A file whose name does not fit a source field of the options record
    // is left out. Each entry keeps its file name (empty for the dictionary) as its data.
    static void FillWordListCombo(QComboBox* list, const std::u16string& storedName,
                                  const QString& folder);

    void SetMessageBoxHook(MessageBoxHook hook) { messageBox_ = std::move(hook); }
    // The hot key shown, and the note on what the desktop made of it.
    void SetHotKey(const QKeySequence& key, const QString& note);
    // The hot key chosen; empty when cleared (off).
    QKeySequence HotKey() const;

    bool IsLandscapeLayout() const { return landscape_; }
    QCheckBox* KeepSpacesBox() const { return keepSpaces_; }
    QCheckBox* KeepNonAlphanumericBox() const { return keepNonAlphanumeric_; }
    QLineEdit* ResultLimitEdit() const { return resultLimit_; }
    QCheckBox* AddStudyWordsBox() const { return addStudyWords_; }
    QComboBox* StudySourceList() const { return studySource_; }
    QLineEdit* StudyWordCountEdit() const { return studyWordCount_; }
    QCheckBox* ShowRandomWordsBox() const { return showRandomWords_; }
    QComboBox* RandomSourceList() const { return randomSource_; }
    QPushButton* AddNowButton() const { return addNow_; }
    QPushButton* ClearListButton() const { return clearList_; }
    QLabel* SearchGroupLabel() const { return searchGroup_; }
    QLabel* StudyGroupLabel() const { return studyGroup_; }
    CHotKeyEdit* HotKeyEdit() const { return hotKey_; }

  public slots:
    void accept() override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void CreateControls();
    void LayOutPortrait();
    void LayOutLandscape();
    void InitDialog();
    // Sizes the dialog to baseSize_, or larger when its controls need more room.
    void Fit();
    void OnAddNow();
    void OnClearList();
    void ReportError(const QString& text);

    COptionsRecord* options_;
    MessageSender sender_;
    bool landscape_;
    QString folder_;
    QSize baseSize_;
    MessageBoxHook messageBox_;
    QCheckBox* keepSpaces_ = nullptr;
    QCheckBox* keepNonAlphanumeric_ = nullptr;
    QLineEdit* resultLimit_ = nullptr;
    QCheckBox* addStudyWords_ = nullptr;
    QComboBox* studySource_ = nullptr;
    QLineEdit* studyWordCount_ = nullptr;
    QCheckBox* showRandomWords_ = nullptr;
    QComboBox* randomSource_ = nullptr;
    QPushButton* addNow_ = nullptr;
    QPushButton* clearList_ = nullptr;
    QLabel* searchGroup_ = nullptr;
    QLabel* studyGroup_ = nullptr;
    QLabel* hotKeyGroup_ = nullptr;
    CHotKeyEdit* hotKey_ = nullptr;
};
