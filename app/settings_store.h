#pragma once

// ISettingsStore: where the program keeps its settings, as named values under a key path.
// Three kinds of value: binary (raw bytes), 32-bit integer and string (UTF-16). One store is
// one scope (the user's settings, or the machine's); the desktop program supplies one over
// QSettings, the tests and the terminal tool CMemorySettingsStore.
//
// The key paths and value names below are the program's own and are written as they are
// stored, backslashes included.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The program's own settings key (user scope).
inline constexpr char SETTINGS_KEY[] = "\\Software\\Brennovale\\Lexicove\\Settings";
// The companion word-picker's key (user scope): it may leave a "StartWord" there.
inline constexpr char GLIMMERPAD_SETTINGS_KEY[] = "Software\\Brennovale\\Glimmerpad\\Settings";
// The speech engine's key (machine scope).
inline constexpr char SPEECH_ENGINE_KEY[] = "Software\\Brennovale\\SpeechEngine";

// Values of SETTINGS_KEY, each with the default that applies when it is missing.
inline constexpr char SETTING_OPTIONS[] = "Options";  // binary, the options record
inline constexpr char SETTING_CLEAR_TYPE[] = "ClearType";
inline constexpr int32_t SETTING_CLEAR_TYPE_DEFAULT = 1;
inline constexpr char SETTING_TEXT_SIZE[] = "TextSize";
inline constexpr int32_t SETTING_TEXT_SIZE_DEFAULT = 2;
inline constexpr char SETTING_WORD_THE_DAY[] = "WordTheDay";
inline constexpr char16_t SETTING_WORD_THE_DAY_DEFAULT[] = u"welcome";
inline constexpr char SETTING_CURRENT_VIEW[] = "CurrentView";
inline constexpr int32_t SETTING_CURRENT_VIEW_DEFAULT = 0;
inline constexpr char SETTING_CURRENT_TAB[] = "CurrentTab";
inline constexpr int32_t SETTING_CURRENT_TAB_DEFAULT = 0;
inline constexpr char SETTING_START_WORD[] = "StartWord";  // also in GLIMMERPAD_SETTINGS_KEY
inline constexpr char16_t SETTING_START_WORD_DEFAULT[] = u"";
inline constexpr char SETTING_SEARCH_TAB[] = "SearchTab";
inline constexpr int32_t SETTING_SEARCH_TAB_DEFAULT = 0;
// the left pane's width in pixels when the window shows two panes; missing: the default width
inline constexpr char SETTING_PANE_WIDTH[] = "PaneWidth";
// binary, the main window's size, place and maximised state as the window system saves them;
// missing: the first window's default size, centred
inline constexpr char SETTING_WINDOW_GEOMETRY[] = "WindowGeometry";
// string, the global hot key that looks up the selection ("Ctrl+Alt+W"); empty: off; missing:
// the default of CHotKeyService
inline constexpr char SETTING_HOT_KEY[] = "HotKey";

class ISettingsStore {
  public:
    virtual ~ISettingsStore() = default;

    // Reads return false, leaving *value untouched, when the key or the value is missing, when
    // the value is of another kind, or when the store cannot be read.
    virtual bool ReadBinary(std::string_view key, std::string_view name,
                            std::vector<uint8_t>* value) const = 0;
    virtual bool ReadInteger(std::string_view key, std::string_view name, int32_t* value) const = 0;
    virtual bool ReadString(std::string_view key, std::string_view name,
                            std::u16string* value) const = 0;

    // Writes create the key when it does not exist and replace a value of any kind. False
    // when the store cannot be written.
    virtual bool WriteBinary(std::string_view key, std::string_view name,
                             std::span<const uint8_t> value) = 0;
    virtual bool WriteInteger(std::string_view key, std::string_view name, int32_t value) = 0;
    virtual bool WriteString(std::string_view key, std::string_view name,
                             std::u16string_view value) = 0;

    // Removes a value. False when there was no such value or it could not be removed.
    virtual bool DeleteValue(std::string_view key, std::string_view name) = 0;
    // True when the key exists (it may hold no values).
    virtual bool KeyExists(std::string_view key) const = 0;
};

// The integer value, or fallback when it cannot be read as one.
inline int32_t ReadIntegerOr(const ISettingsStore& store, std::string_view key,
                             std::string_view name, int32_t fallback) {
    int32_t value = fallback;
    return store.ReadInteger(key, name, &value) ? value : fallback;
}

// The string value, or fallback when it cannot be read as one.
inline std::u16string ReadStringOr(const ISettingsStore& store, std::string_view key,
                                   std::string_view name, std::u16string_view fallback) {
    std::u16string value;
    return store.ReadString(key, name, &value) ? value : std::u16string(fallback);
}
