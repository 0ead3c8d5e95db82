#pragma once

// CContentView: the Content view of the main window. It holds the HTML display (CHtmlDisplay)
// over its whole area, supplies the display's inline images from the program's bitmaps
// ("link.gif", "pron.gif", "pixel.gif"; any other name is refused at once, so a page never
// waits for it), hands its focus to the display and passes link taps on to the frame.
//
// Its CHtmlHook offers the selection menu (Lookup, Read, Copy, Select All) on a tap-and-hold
// and after a drag that selected text; Lookup and Read go to the command receiver as posted
// WM_COMMAND messages.

#include <QByteArray>
#include <QImage>
#include <QWidget>
#include <string>

class CHtmlDisplay;
class CHtmlHook;

class CContentView : public QWidget {
    Q_OBJECT

  public:
    explicit CContentView(QWidget* parent = nullptr);
    ~CContentView() override;

    CHtmlDisplay* Display() const { return display_; }
    CHtmlHook* Hook() const { return hook_; }

    // The inline image of a page for an image name, at its declared size times the display
    // scale: "pixel.gif" 1 by 2, "link.gif" 19 by 7, "pron.gif" 10 by 9 (width by height, in
    // units). Null for any other name.
    static QImage InlineImage(const std::string& name);

  signals:
    // A link of the page was tapped: its target as the page writes it, 8-bit.
    void linkTapped(const QByteArray& target);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    CHtmlDisplay* display_;
    CHtmlHook* hook_;
};
