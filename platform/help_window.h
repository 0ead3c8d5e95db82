#pragma once

// CHelpWindow: the program's help viewer, a window of its own that shows an HTML help file at
// an anchor ("main_contents", "pron", "symbol"). Links within the help move within it; links
// to web addresses open in the desktop's browser. The file may be a path on disk or a Qt
// resource path (":/help/lexicove.htm").

#include <QString>
#include <QWidget>

class QTextBrowser;

class CHelpWindow : public QWidget {
    Q_OBJECT

  public:
    explicit CHelpWindow(QWidget* parent = nullptr);

    // Shows the file at the anchor (none: at the top) and brings the window forward. False,
    // showing nothing, when the file does not exist (ResolveHelpFile).
    bool ShowHelp(const QString& file, const QString& anchor);

    // The file to show for a help file: the file itself when it exists; for a bare file name
    // without one on disk, the program's compiled-in help page of that name
    // (":/help/lexicove.htm" for "lexicove.htm"); else empty.
    static QString ResolveHelpFile(const QString& file);

    // Splits a help target "file:lexicove.htm#pron" into its file name and anchor; false
    // when it is not of that form.
    static bool ParseHelpTarget(const QString& target, QString* file, QString* anchor);

    QTextBrowser* Browser() const { return browser_; }

  private:
    QTextBrowser* browser_;
};
