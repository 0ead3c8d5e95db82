#pragma once

// CHotKeyService: the program's global hot key, which looks up the text selected in any
// program. It keeps the key in the settings value SETTING_HOT_KEY ("Ctrl+Alt+W" when the
// value is missing, off when it is empty), has the desktop's CGlobalHotKey hold it, and on
// each press reads the selection (CSelectionSource) and hands the text to the lookup function,
// the same way a text sent by `lexicove --lookup` arrives.
//
// A key the desktop refuses (another program holds it, or the keyboard has no such key) is
// reported once per key chosen, on standard error and through the report function; a desktop
// that does not answer, on standard error only. Nothing else changes. Where the desktop offers no
// global hot key at all, the key is still stored and the Options dialog says how to bind `lexicove
// --lookup-selection` instead.

#include <QKeySequence>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

#include "platform/global_hot_key.h"

class ISettingsStore;

class CHotKeyService : public QObject {
    Q_OBJECT

  public:
    // Looks the text up; an empty text (nothing selected) only brings the window forward.
    using LookupFunction = std::function<void(const QString& text)>;
    using ReportFunction = std::function<void(const QString& text)>;

    // The key when the settings hold none.
    static constexpr char DEFAULT_KEY[] = "Ctrl+Alt+W";

    // settings: not owned, outlives the service. hotKey: the desktop's hot key, null when
    // there is none.
    CHotKeyService(ISettingsStore* settings, std::unique_ptr<CGlobalHotKey> hotKey,
                   LookupFunction lookup, ReportFunction report, QObject* parent = nullptr);
    ~CHotKeyService() override;

    // Asks the desktop for the stored key.
    void Start();
    // The stored key; empty when the hot key is off.
    QKeySequence Key() const { return key_; }
    // Stores key (empty: off) and asks the desktop for it.
    void SetKey(const QKeySequence& key);
    // True when the desktop offers a global hot key to this program.
    bool Available() const { return hotKey_ != nullptr; }
    // What the Options dialog says about the hot key now.
    QString StatusText() const;

    // The stored key as the settings value holds it ("Ctrl+Alt+W"; "" when off).
    static QKeySequence ReadKey(const ISettingsStore& settings);

  private:
    void OnStatusChanged();
    void OnActivated();

    ISettingsStore* settings_;
    std::unique_ptr<CGlobalHotKey> hotKey_;
    LookupFunction lookup_;
    ReportFunction report_;
    QKeySequence key_;
    bool reported_ = false;  // the refusal of the current key has been told
};
