#include "platform/key_symbol.h"

#include <array>

namespace {

// X11's modifier bits (X.h).
constexpr uint16_t kShiftMask = 1 << 0;
constexpr uint16_t kControlMask = 1 << 2;
constexpr uint16_t kMod1Mask = 1 << 3;
constexpr uint16_t kMod4Mask = 1 << 6;

// The keys outside Latin-1 that a hot key may sensibly use, with their keysyms and names
// (keysymdef.h).
struct NamedKey {
    Qt::Key key;
    uint32_t keysym;
    const char* name;
};
constexpr std::array<NamedKey, 20> kNamedKeys{{
    {Qt::Key_Escape, 0xff1b, "Escape"},
    {Qt::Key_Tab, 0xff09, "Tab"},
    {Qt::Key_Backspace, 0xff08, "BackSpace"},
    {Qt::Key_Return, 0xff0d, "Return"},
    {Qt::Key_Enter, 0xff8d, "KP_Enter"},
    {Qt::Key_Insert, 0xff63, "Insert"},
    {Qt::Key_Delete, 0xffff, "Delete"},
    {Qt::Key_Pause, 0xff13, "Pause"},
    {Qt::Key_Print, 0xff61, "Print"},
    {Qt::Key_Home, 0xff50, "Home"},
    {Qt::Key_End, 0xff57, "End"},
    {Qt::Key_Left, 0xff51, "Left"},
    {Qt::Key_Up, 0xff52, "Up"},
    {Qt::Key_Right, 0xff53, "Right"},
    {Qt::Key_Down, 0xff54, "Down"},
    {Qt::Key_PageUp, 0xff55, "Prior"},
    {Qt::Key_PageDown, 0xff56, "Next"},
    {Qt::Key_Menu, 0xff67, "Menu"},
    {Qt::Key_Space, 0x0020, "space"},
    {Qt::Key_ScrollLock, 0xff14, "Scroll_Lock"},
}};

constexpr int kFunctionKeys = 35;  // F1 to F35
constexpr uint32_t kF1Keysym = 0xffbe;

}  // namespace

CKeySymbol::CKeySymbol(const QKeySequence& sequence)
    : CKeySymbol(sequence.isEmpty() ? QKeyCombination() : sequence[0]) {}

CKeySymbol::CKeySymbol(QKeyCombination combination) {
    const Qt::Key key = combination.key();
    const int code = static_cast<int>(key);
    if (key >= Qt::Key_F1 && key < Qt::Key_F1 + kFunctionKeys) {
        const int n = code - Qt::Key_F1;
        keysym_ = kF1Keysym + static_cast<uint32_t>(n);
        name_ = QStringLiteral("F%1").arg(n + 1);
    } else if (code > 0x20 && code <= 0xff && code != 0x7f) {
        // Latin-1 keysyms equal their characters; letters are named in lower case, as the
        // unshifted key.
        const QChar character = QChar(code).toLower();
        keysym_ = character.unicode();
        name_ = QString(character);
    } else {
        for (const NamedKey& named : kNamedKeys) {
            if (named.key == key) {
                keysym_ = named.keysym;
                name_ = QLatin1String(named.name);
                break;
            }
        }
    }
    const Qt::KeyboardModifiers modifiers = combination.keyboardModifiers();
    if (modifiers & Qt::ShiftModifier) {
        modifiers_ |= kShiftMask;
    }
    if (modifiers & Qt::ControlModifier) {
        modifiers_ |= kControlMask;
    }
    if (modifiers & Qt::AltModifier) {
        modifiers_ |= kMod1Mask;
    }
    if (modifiers & Qt::MetaModifier) {
        modifiers_ |= kMod4Mask;
    }
}

QString CKeySymbol::Trigger() const {
    if (!IsValid()) {
        return {};
    }
    QString trigger;
    for (const auto& [mask, name] :
         {std::pair{kShiftMask, "SHIFT+"}, std::pair{kControlMask, "CTRL+"},
          std::pair{kMod1Mask, "ALT+"}, std::pair{kMod4Mask, "LOGO+"}}) {
        if (modifiers_ & mask) {
            trigger += QLatin1String(name);
        }
    }
    return trigger + name_;
}
