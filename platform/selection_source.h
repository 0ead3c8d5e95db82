#pragma once

// CSelectionSource: the text another program has selected, for a lookup. The primary selection
// (what was just selected, on X11 and on Wayland compositors with the primary-selection
// protocol) comes first; the clipboard when there is no primary selection or it holds no text.
// The text is cut as Lookup Selected Text cuts the page's selection.
//
// On Wayland a program is told of new selections only while it has the keyboard focus, and a
// program started to send the selection never has it: Qt's clipboard would give an old text or
// none. There the selections are read with wl-paste (wl-clipboard), which asks the compositor
// from outside; Qt's clipboard is the fallback when wl-paste is missing or finds no text.

#include <QString>

class CSelectionSource {
  public:
    // The most characters a cut selection keeps.
    static constexpr int MAX_SELECTION_LENGTH = 64;

    // The primary selection's text, else the clipboard's; empty when neither holds text or
    // there is no application object.
    static QString ReadSelection();

    // The word to look up in a selection: leading characters that are not letters are skipped,
    // trailing ones dropped, and at most MAX_SELECTION_LENGTH characters kept. Empty when the
    // text holds no letter. Line breaks inside are kept: the lookup folds them into spaces.
    static QString Cut(const QString& selection);

    // The primary selection's text, else the clipboard's, as the wl-paste program gives them;
    // empty when it gives neither, cannot be started, or has not answered within timeoutMs.
    static QString ReadWithWlPaste(const QString& program, int timeoutMs = WL_PASTE_TIMEOUT_MS);
    static constexpr int WL_PASTE_TIMEOUT_MS = 1000;

    // Cut(ReadSelection()).
    static QString TextToLookUp() { return Cut(ReadSelection()); }
};
