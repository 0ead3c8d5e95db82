#pragma once

// IHtmlDisplay: what the render worker needs of the display that shows its pages. The
// desktop program implements it over its HTML view; tests use a recording fake.
//
// Every call but AddText and EndOfSource comes from the thread that owns the display. The
// worker's transfer thread calls AddText and EndOfSource as synchronous sends: each returns
// only once the display has taken the text, which is valid during the call only.

class IHtmlDisplay {
  public:
    virtual ~IHtmlDisplay() = default;

    // False once the display window is gone; the worker then delivers nothing.
    virtual bool IsWindow() const = 0;
    // Empties the window text, then clears the page.
    virtual void Clear() = 0;
    // Appends NUL-terminated 8-bit page text (synchronous).
    virtual void AddText(const char* text) = 0;
    // Tells that the page is complete (synchronous).
    virtual void EndOfSource() = 0;
    // Queues AddText of text on the display's own thread. The text stays valid until the
    // worker starts its next page.
    virtual void PostAddText(const char* text) = 0;
    // Queues EndOfSource on the display's own thread, after the texts queued before it.
    virtual void PostEndOfSource() = 0;
    // Shows an error to the user: a message box owned by the main window, caption
    // "Lexicove", the error icon, an OK button.
    virtual void ShowError(const char* text) = 0;
};
