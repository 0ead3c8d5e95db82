#include "platform/qt_settings_store.h"

#include <QSettings>

namespace {

constexpr char kOrganisation[] = "Brennovale";
constexpr char kApplication[] = "Lexicove";
constexpr char kIntegerTag[] = "dword:";
constexpr char kStringTag[] = "sz:";
constexpr int kIntegerDigits = 8;

// "\Software\Brennovale\Lexicove\Settings" + "ClearType" ->
// "Software/Brennovale/Lexicove/Settings".
QString GroupPath(std::string_view key) {
    QString path = QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (path.startsWith(QLatin1Char('/'))) {
        path.remove(0, 1);
    }
    while (path.endsWith(QLatin1Char('/'))) {
        path.chop(1);
    }
    return path;
}

// The setting's full path, or an empty string for a name that cannot be stored.
QString SettingPath(std::string_view key, std::string_view name) {
    QString value = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    if (value.isEmpty() || value.contains(QLatin1Char('/')) || value.contains(QLatin1Char('\\'))) {
        return QString();
    }
    const QString group = GroupPath(key);
    return group.isEmpty() ? value : group + QLatin1Char('/') + value;
}

bool ParseInteger(const QString& text, int32_t* value) {
    if (!text.startsWith(QLatin1String(kIntegerTag))) {
        return false;
    }
    const QString digits = text.mid(static_cast<qsizetype>(sizeof(kIntegerTag) - 1));
    if (digits.size() != kIntegerDigits) {
        return false;
    }
    bool ok = false;
    const uint parsed = digits.toUInt(&ok, 16);
    if (!ok) {
        return false;
    }
    *value = static_cast<int32_t>(parsed);
    return true;
}

bool IsString(const QVariant& stored) {
    return stored.typeId() == QMetaType::QString;
}

std::unique_ptr<QSettings> OpenFile(const QString& file) {
    auto settings = std::make_unique<QSettings>(file, QSettings::IniFormat);
    settings->setFallbacksEnabled(false);
    return settings;
}

}  // namespace

CQtSettingsStore::CQtSettingsStore(Scope scope)
    : user_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                        kOrganisation, kApplication)) {
    user_->setFallbacksEnabled(false);
    if (scope == SCOPE_MACHINE) {
        system_ = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::SystemScope,
                                              kOrganisation, kApplication);
        system_->setFallbacksEnabled(false);
    }
}

CQtSettingsStore::CQtSettingsStore(Scope scope, const QString& userFile, const QString& systemFile)
    : user_(OpenFile(userFile)) {
    if (scope == SCOPE_MACHINE && !systemFile.isEmpty()) {
        system_ = OpenFile(systemFile);
    }
}

CQtSettingsStore::~CQtSettingsStore() = default;

QString CQtSettingsStore::FileName() const {
    return user_->fileName();
}

QVariant CQtSettingsStore::Find(std::string_view key, std::string_view name) const {
    const QString path = SettingPath(key, name);
    if (path.isEmpty()) {
        return QVariant();
    }
    QVariant stored = user_->value(path);
    if (!stored.isValid() && system_ != nullptr) {
        stored = system_->value(path);
    }
    return stored;
}

bool CQtSettingsStore::Put(std::string_view key, std::string_view name, const QVariant& stored) {
    const QString path = SettingPath(key, name);
    if (path.isEmpty()) {
        return false;
    }
    user_->setValue(path, stored);
    user_->sync();
    return user_->status() == QSettings::NoError;
}

bool CQtSettingsStore::ReadBinary(std::string_view key, std::string_view name,
                                  std::vector<uint8_t>* value) const {
    const QVariant stored = Find(key, name);
    if (stored.typeId() != QMetaType::QByteArray) {
        return false;
    }
    const QByteArray bytes = stored.toByteArray();
    value->assign(bytes.begin(), bytes.end());
    return true;
}

bool CQtSettingsStore::ReadInteger(std::string_view key, std::string_view name,
                                   int32_t* value) const {
    const QVariant stored = Find(key, name);
    return IsString(stored) && ParseInteger(stored.toString(), value);
}

bool CQtSettingsStore::ReadString(std::string_view key, std::string_view name,
                                  std::u16string* value) const {
    const QVariant stored = Find(key, name);
    if (!IsString(stored)) {
        return false;
    }
    QString text = stored.toString();
    if (text.startsWith(QLatin1String(kStringTag))) {
        text.remove(0, static_cast<qsizetype>(sizeof(kStringTag) - 1));
    } else if (text.startsWith(QLatin1String(kIntegerTag))) {
        return false;  // an integer (or a damaged one), not a string
    }
    *value = text.toStdU16String();
    return true;
}

bool CQtSettingsStore::WriteBinary(std::string_view key, std::string_view name,
                                   std::span<const uint8_t> value) {
    const QByteArray bytes(reinterpret_cast<const char*>(value.data()),
                           static_cast<qsizetype>(value.size()));
    return Put(key, name, bytes);
}

bool CQtSettingsStore::WriteInteger(std::string_view key, std::string_view name, int32_t value) {
    const QString text =
        QLatin1String(kIntegerTag) +
        QString::number(static_cast<uint32_t>(value), 16).rightJustified(kIntegerDigits, u'0');
    return Put(key, name, text);
}

bool CQtSettingsStore::WriteString(std::string_view key, std::string_view name,
                                   std::u16string_view value) {
    QString text = QString::fromUtf16(value.data(), static_cast<qsizetype>(value.size()));
    if (text.startsWith(QLatin1String(kIntegerTag)) || text.startsWith(QLatin1String(kStringTag))) {
        text.prepend(QLatin1String(kStringTag));
    }
    return Put(key, name, text);
}

bool CQtSettingsStore::DeleteValue(std::string_view key, std::string_view name) {
    const QString path = SettingPath(key, name);
    if (path.isEmpty() || !user_->contains(path)) {
        return false;
    }
    user_->remove(path);
    user_->sync();
    return user_->status() == QSettings::NoError;
}

bool CQtSettingsStore::KeyExists(std::string_view key) const {
    const QString group = GroupPath(key);
    auto holds = [&group](QSettings& settings) {
        settings.beginGroup(group);
        const bool any = !settings.allKeys().isEmpty();
        settings.endGroup();
        return any;
    };
    return holds(*user_) || (system_ != nullptr && holds(*system_));
}
