#pragma once

// The system clipboard, as Unicode text.

#include <QString>

// Puts the text on the clipboard. False for a null text or when there is no clipboard (no
// application object); an empty text empties the clipboard's text.
bool SetClipboardText(const QString& text);

// The clipboard's text, empty when it holds none.
QString GetClipboardText();

// True when the clipboard holds text that Paste could insert.
bool ClipboardHasText();
