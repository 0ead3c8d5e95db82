#pragma once

// CHtmlDisplay: the display that shows the program's pages, a QTextBrowser with the
// operations of the handheld's HTML display control: clear, add 8-bit text, end of source
// (the page is shown then), select all, zoom 0-4, ClearType on or off, shrink, and the
// selection as UTF-16 text. Link taps come back as the raw 8-bit target written in the page
// (linkTapped); inline images are asked of an image provider by the name the page gives.
// The page text is prepared by CPagePreparer (code page, bare hex colours, IPA runs). The
// page's fixed colours are shown through the colour scheme of the application's palette
// (CColourScheme): unchanged in a light palette, mapped in a dark one, inline images too; a
// palette change shows the page again in the new colours.
//
// It is the render worker's IHtmlDisplay: AddText and EndOfSource may come from the worker's
// transfer thread. AddText takes a copy of the text at once (under a lock), so it never
// waits for the main thread; EndOfSource from another thread queues the showing on the
// display's own thread. Clear drops whatever was added or posted for the page before it.
// The render worker must be destroyed (its transfer thread joined) before the display.
//
// A tap-and-hold on the page (600 ms press, right click, context-menu key) is reported by
// held(); the display then shows no menu of its own.

#include <QImage>
#include <QString>
#include <QTextBrowser>
#include <atomic>
#include <functional>
#include <mutex>
#include <string>

#include "render/html_display.h"
#include "ui/colour_scheme.h"
#include "ui/page_preparer.h"

class CTapAndHold;

class CHtmlDisplay : public QTextBrowser, public IHtmlDisplay {
    Q_OBJECT

  public:
    static constexpr int ZOOM_MIN = 0;
    static constexpr int ZOOM_MAX = 4;
    static constexpr int ZOOM_DEFAULT = 2;

    // Answers an image request: the image for the name as the page writes it ("pron.gif"),
    // or a null image when there is none (the page then shows nothing in its place).
    using ImageProvider = std::function<QImage(const std::string& name)>;
    // Shows an error text to the user; by default the program's error message box.
    using ErrorReporter = std::function<void(const QString& text)>;

    explicit CHtmlDisplay(QWidget* parent = nullptr);
    ~CHtmlDisplay() override;

    // IHtmlDisplay.
    bool IsWindow() const override { return !destroying_.load(); }
    void Clear() override;
    void AddText(const char* text) override;
    void EndOfSource() override;
    void PostAddText(const char* text) override;
    void PostEndOfSource() override;
    void ShowError(const char* text) override;

    void SelectAll() { selectAll(); }
    // Levels 0 (smallest) to 4 (largest); others are ignored.
    void SetZoom(int level);
    int Zoom() const { return zoom_; }
    void SetClearType(bool on);
    bool ClearType() const { return clearType_; }
    // Shrink on: the page is fitted to the display's width (no sideways scrolling).
    void SetShrink(bool on);
    bool Shrink() const { return shrink_; }

    // The selected text as UTF-16 (line breaks as "\n", no-break spaces as spaces); true,
    // with an empty text when nothing is selected.
    bool GetSelectionText(std::u16string* text) const;
    QString SelectionText() const;

    void SetImageProvider(ImageProvider provider);
    void SetErrorReporter(ErrorReporter reporter) { reporter_ = std::move(reporter); }
    // Replaces the tap-and-hold interval (tests).
    CTapAndHold* TapAndHold() const { return tapAndHold_; }

    // The 8-bit source of the page shown last.
    const std::string& PageSource() const { return source_; }
    // The pixel size of the page's base font at a zoom level (times the display scale).
    static int ZoomPixelSize(int level);
    // The font family that shows the pronunciation texts.
    static QString IpaFontFamily();
    // The colours the page is shown in.
    const CColourScheme& ColourScheme() const { return scheme_; }

  signals:
    // A link was tapped: its target as written in the page, 8-bit.
    void linkTapped(const QByteArray& target);
    // A page was shown (end of source).
    void pageShown();
    // Tap-and-hold at position, in the display's viewport coordinates.
    void held(QPoint position);

  protected:
    QVariant loadResource(int type, const QUrl& name) override;
    void changeEvent(QEvent* event) override;

  private:
    void ShowPending(unsigned generation);
    void ShowPage();
    void ApplyFont();
    void ApplyColourScheme();
    void OnAnchorClicked(const QUrl& url);

    CColourScheme scheme_;
    CPagePreparer preparer_;
    CTapAndHold* tapAndHold_;
    ImageProvider provider_;
    ErrorReporter reporter_;
    std::mutex mutex_;
    std::string pending_;      // text added since the last clear or end of source (mutex_)
    unsigned generation_ = 0;  // counts the clears, so that stale posts are dropped (mutex_)
    std::string source_;       // the page shown
    QString html_;             // its prepared form, kept for re-showing at a new zoom
    int zoom_ = ZOOM_DEFAULT;
    bool clearType_ = true;
    bool shrink_ = true;
    std::atomic<bool> destroying_{false};
};
