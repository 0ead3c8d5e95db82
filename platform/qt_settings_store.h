#pragma once

// CQtSettingsStore: the settings store of the desktop program, over QSettings (organisation
// "Brennovale", application "Lexicove"; on Linux an INI file under the user's config folder).
//
// A key path such as "\Software\Brennovale\Lexicove\Settings" becomes the group
// "Software/Brennovale/Lexicove/Settings"; the value name is the last part of the setting's
// path. Value kinds as stored:
// - binary: a QByteArray;
// - integer: the text "dword:" and 8 lower-case hex digits of the 32-bit value (an INI file
//   keeps no types, so the kind is written with the value, in the manner of .reg files);
// - string: the text itself, except that a string which itself starts with "dword:" or "sz:"
//   is written with "sz:" before it, so that no string is ever read back as an integer.
// So plain text found in the file is a string (a hand-written "Volume=5" too), and an entry
// that is neither (a damaged "dword:" value, a list) is of no kind: every read refuses it.
//
// Two scopes:
// - SCOPE_USER: the user's own settings; reads and writes the user's file only.
// - SCOPE_MACHINE: the machine-wide values (the speech engine's key). Reads look in the user's
//   file first, then in the system-wide file (where the setup registers the engine, e.g.
//   /etc/xdg/Brennovale/Lexicove.conf); writes go to the user's file, which needs no rights
//   the user lacks.
// A key exists only while it holds a value (an INI file has no empty groups).
//
// Main thread only, like QSettings objects.

#include <QString>
#include <memory>

#include "app/settings_store.h"

class QSettings;

class CQtSettingsStore : public ISettingsStore {
  public:
    enum Scope { SCOPE_USER, SCOPE_MACHINE };

    // The program's own files.
    explicit CQtSettingsStore(Scope scope);
    // Given INI files (tests, portable use); systemFile is read only, and only in
    // SCOPE_MACHINE; an empty systemFile means none.
    CQtSettingsStore(Scope scope, const QString& userFile, const QString& systemFile);
    ~CQtSettingsStore() override;

    bool ReadBinary(std::string_view key, std::string_view name,
                    std::vector<uint8_t>* value) const override;
    bool ReadInteger(std::string_view key, std::string_view name, int32_t* value) const override;
    bool ReadString(std::string_view key, std::string_view name,
                    std::u16string* value) const override;

    bool WriteBinary(std::string_view key, std::string_view name,
                     std::span<const uint8_t> value) override;
    bool WriteInteger(std::string_view key, std::string_view name, int32_t value) override;
    bool WriteString(std::string_view key, std::string_view name,
                     std::u16string_view value) override;

    bool DeleteValue(std::string_view key, std::string_view name) override;
    bool KeyExists(std::string_view key) const override;

    // The file the writes go to.
    QString FileName() const;

  private:
    // The stored form of a value, or an invalid QVariant when it is missing.
    QVariant Find(std::string_view key, std::string_view name) const;
    bool Put(std::string_view key, std::string_view name, const QVariant& stored);

    std::unique_ptr<QSettings> user_;
    std::unique_ptr<QSettings> system_;  // null in SCOPE_USER or without a system file
};
