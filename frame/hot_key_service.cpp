#include "frame/hot_key_service.h"

#include <cstdio>

#include "app/settings_store.h"
#include "platform/selection_source.h"

namespace {

constexpr char kBindYourself[] =
    "bind the command lexicove --lookup-selection to a key in the desktop's keyboard settings.";

QString KeyText(const QKeySequence& key) {
    return key.toString(QKeySequence::NativeText);
}

}  // namespace

CHotKeyService::CHotKeyService(ISettingsStore* settings, std::unique_ptr<CGlobalHotKey> hotKey,
                               LookupFunction lookup, ReportFunction report, QObject* parent)
    : QObject(parent),
      settings_(settings),
      hotKey_(std::move(hotKey)),
      lookup_(std::move(lookup)),
      report_(std::move(report)) {
    if (hotKey_) {
        connect(hotKey_.get(), &CGlobalHotKey::activated, this, &CHotKeyService::OnActivated);
        connect(hotKey_.get(), &CGlobalHotKey::statusChanged, this,
                &CHotKeyService::OnStatusChanged);
    }
}

CHotKeyService::~CHotKeyService() = default;

QKeySequence CHotKeyService::ReadKey(const ISettingsStore& settings) {
    const std::u16string stored = ReadStringOr(settings, SETTINGS_KEY, SETTING_HOT_KEY,
                                               QString::fromLatin1(DEFAULT_KEY).toStdU16String());
    const QString text = QString::fromStdU16String(stored);
    if (text.trimmed().isEmpty()) {
        return {};
    }
    const QKeySequence key = QKeySequence::fromString(text, QKeySequence::PortableText);
    // A value that names no key (edited by hand) falls back to the default.
    return key.isEmpty() || key[0].key() == Qt::Key_unknown
               ? QKeySequence::fromString(QLatin1String(DEFAULT_KEY), QKeySequence::PortableText)
               : QKeySequence(key[0]);
}

void CHotKeyService::Start() {
    key_ = ReadKey(*settings_);
    reported_ = false;
    if (hotKey_) {
        hotKey_->SetKey(key_);
    }
}

void CHotKeyService::SetKey(const QKeySequence& key) {
    key_ = key.isEmpty() ? QKeySequence() : QKeySequence(key[0]);
    settings_->WriteString(SETTINGS_KEY, SETTING_HOT_KEY,
                           key_.toString(QKeySequence::PortableText).toStdU16String());
    reported_ = false;
    if (hotKey_) {
        hotKey_->SetKey(key_);
    }
}

QString CHotKeyService::StatusText() const {
    const QString bind = QString::fromLatin1(kBindYourself);
    if (!hotKey_) {
        return QStringLiteral("This desktop offers no global hot key to programs: ") + bind;
    }
    const QString key = KeyText(key_);
    switch (hotKey_->CurrentStatus()) {
        case CGlobalHotKey::HOT_KEY_OFF:
            return QStringLiteral("Off. Choose a key, or ") + bind;
        case CGlobalHotKey::HOT_KEY_PENDING:
            return QStringLiteral("Waiting for the desktop to accept %1.").arg(key);
        case CGlobalHotKey::HOT_KEY_BOUND:
            return QStringLiteral("Press %1 in any program to look up the selected text.").arg(key);
        case CGlobalHotKey::HOT_KEY_TAKEN:
            return QStringLiteral("%1 is taken by another program: choose another key.").arg(key);
        case CGlobalHotKey::HOT_KEY_UNSUPPORTED:
            return QStringLiteral("%1 is not on this keyboard: choose another key.").arg(key);
        case CGlobalHotKey::HOT_KEY_FAILED:
            return QStringLiteral("The desktop did not accept %1: ").arg(key) + bind;
    }
    return {};
}

void CHotKeyService::OnStatusChanged() {
    const CGlobalHotKey::Status status = hotKey_->CurrentStatus();
    const bool refused =
        status == CGlobalHotKey::HOT_KEY_TAKEN || status == CGlobalHotKey::HOT_KEY_UNSUPPORTED;
    if (reported_ || (!refused && status != CGlobalHotKey::HOT_KEY_FAILED)) {
        return;
    }
    reported_ = true;
    const QString text = QStringLiteral("The hot key does not work. ") + StatusText();
    std::fprintf(stderr, "lexicove: %s\n", qPrintable(text));
    // A desktop without global shortcuts is no news at every start: the Options dialog says
    // so. A key that another program holds is the user's to change.
    if (refused && report_) {
        report_(text);
    }
}

void CHotKeyService::OnActivated() {
    if (lookup_) {
        lookup_(CSelectionSource::TextToLookUp());
    }
}
