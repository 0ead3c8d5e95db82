#pragma once

// CAboutDialog: the modal About dialog, "About Lexicove": the program's name and version line
// ("Version 3.6 (build 50612)") and the credits of the lexical database (WordNet 3.0,
// Princeton University), the pronunciations (CMUdict, Carnegie Mellon University) and the
// libraries (Qt, zlib) with their licence notices. Portrait layout (the credits below the
// program's name), or the landscape one (the credits beside it) when the screen is wider
// than tall.

#include <QDialog>

class QTextBrowser;

class CAboutDialog : public QDialog {
    Q_OBJECT

  public:
    // landscape: the layout to use; by default as the screen (IsLandscape) is.
    explicit CAboutDialog(QWidget* parent = nullptr);
    CAboutDialog(bool landscape, QWidget* parent);

    bool IsLandscapeLayout() const { return landscape_; }
    QTextBrowser* Credits() const { return credits_; }

    // The version line shown under the name.
    static QString VersionLine();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void Build();

    bool landscape_;
    QTextBrowser* credits_ = nullptr;
};
