#pragma once

// CKeySymbol: a Qt key with its modifiers as the X keyboard extension names it: the keysym
// (what an X11 key grab asks for) and the keysym's name with the modifier names, as the
// freedesktop shortcuts format writes a trigger ("CTRL+ALT+w"). Both the X11 hot key and the
// GlobalShortcuts portal speak in these terms.

#include <QKeyCombination>
#include <QKeySequence>
#include <QString>
#include <cstdint>

class CKeySymbol {
  public:
    // The first key of sequence; an empty or unknown sequence gives an invalid symbol.
    explicit CKeySymbol(const QKeySequence& sequence);
    explicit CKeySymbol(QKeyCombination combination);

    // False when the key has no keysym here (a modifier alone, an unknown key).
    bool IsValid() const { return keysym_ != 0; }
    uint32_t Keysym() const { return keysym_; }
    // The X11 modifier mask: Shift 1, Control 4, Mod1 (Alt) 8, Mod4 (Meta, the logo key) 64.
    uint16_t X11Modifiers() const { return modifiers_; }
    // "CTRL+ALT+w": SHIFT, CTRL, ALT and LOGO, then the keysym's name; empty when invalid.
    QString Trigger() const;

  private:
    uint32_t keysym_ = 0;
    uint16_t modifiers_ = 0;
    QString name_;
};
