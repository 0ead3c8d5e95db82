#include "platform/qt_settings_store.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <limits>

namespace {

constexpr char KEY[] = "\\Software\\Brennovale\\Lexicove\\Settings";

enum Kind { KIND_BINARY, KIND_INTEGER, KIND_STRING };

// One value of any kind, as the tests write it and expect it back.
struct Value {
    Kind kind = KIND_STRING;
    std::vector<uint8_t> binary;
    int32_t integer = 0;
    std::u16string text;
};

bool Write(ISettingsStore& store, const char* name, const Value& v) {
    switch (v.kind) {
        case KIND_BINARY:
            return store.WriteBinary(KEY, name, v.binary);
        case KIND_INTEGER:
            return store.WriteInteger(KEY, name, v.integer);
        case KIND_STRING:
            return store.WriteString(KEY, name, v.text);
    }
    return false;
}

void WriteFile(const QString& path, const char* text) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
}

QString ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

}  // namespace

Q_DECLARE_METATYPE(Value)

class QtSettingsStoreTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        QVERIFY(dir_.isValid());
        userFile_ = dir_.filePath(QStringLiteral("user-%1.conf").arg(++count_));
        systemFile_ = dir_.filePath(QStringLiteral("system-%1.conf").arg(count_));
    }

    void valueReadsBackAsItsOwnKindOnly_data() {
        QTest::addColumn<Value>("value");
        auto binary = [](std::vector<uint8_t> b) {
            return Value{KIND_BINARY, std::move(b), 0, {}};
        };
        auto integer = [](int32_t i) { return Value{KIND_INTEGER, {}, i, {}}; };
        auto text = [](std::u16string s) { return Value{KIND_STRING, {}, 0, std::move(s)}; };
        std::vector<uint8_t> record(284);
        for (size_t i = 0; i < record.size(); ++i) {
            record[i] = static_cast<uint8_t>(i * 7);
        }
        QTest::newRow("options record with NUL and high bytes") << binary(record);
        QTest::newRow("empty binary") << binary({});
        QTest::newRow("zero") << integer(0);
        QTest::newRow("minus one") << integer(-1);
        QTest::newRow("int32 min") << integer(std::numeric_limits<int32_t>::min());
        QTest::newRow("int32 max") << integer(std::numeric_limits<int32_t>::max());
        QTest::newRow("word") << text(u"welcome");
        QTest::newRow("empty string") << text(u"");
        QTest::newRow("string that looks like an integer") << text(u"dword:00000005");
        QTest::newRow("string with the string tag") << text(u"sz:abc");
        QTest::newRow("string starting with @") << text(u"@ByteArray(x)");
        QTest::newRow("plain number as string") << text(u"42");
        QTest::newRow("accents, IPA, commas") << text(u"caf\u00e9 \u0259, /usr/lib/x.so");
    }

    void valueReadsBackAsItsOwnKindOnly() {
        QFETCH(Value, value);
        CQtSettingsStore store(CQtSettingsStore::SCOPE_USER, userFile_, QString());
        QVERIFY(Write(store, "v", value));

        std::vector<uint8_t> binary = {9};
        int32_t integer = 77;
        std::u16string text = u"untouched";
        QCOMPARE(store.ReadBinary(KEY, "v", &binary), value.kind == KIND_BINARY);
        QCOMPARE(store.ReadInteger(KEY, "v", &integer), value.kind == KIND_INTEGER);
        QCOMPARE(store.ReadString(KEY, "v", &text), value.kind == KIND_STRING);
        QVERIFY(binary == (value.kind == KIND_BINARY ? value.binary : std::vector<uint8_t>{9}));
        QCOMPARE(integer, value.kind == KIND_INTEGER ? value.integer : 77);
        QVERIFY(text == (value.kind == KIND_STRING ? value.text : u"untouched"));
    }

    // The file as the next run (another process, no cache) reads it: hand-written.
    void handWrittenFileIsReadByItsTags_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("isInteger");
        QTest::addColumn<int>("integer");
        QTest::addColumn<bool>("isString");
        QTest::addColumn<QString>("text");
        QTest::newRow("tagged integer") << "ClearType" << true << 3 << false << "";
        QTest::newRow("negative integer") << "Neg" << true << -2 << false << "";
        QTest::newRow("plain number is a string") << "TextSize" << false << 0 << true << "5";
        QTest::newRow("tagged string") << "Tagged" << false << 0 << true << "dword:00000001";
        QTest::newRow("plain string") << "WordTheDay" << false << 0 << true << "hello";
        QTest::newRow("short dword is no kind") << "Short" << false << 0 << false << "";
        QTest::newRow("non-hex dword is no kind") << "Bad" << false << 0 << false << "";
        QTest::newRow("list is no kind") << "List" << false << 0 << false << "";
        QTest::newRow("missing") << "Missing" << false << 0 << false << "";
    }

    void handWrittenFileIsReadByItsTags() {
        QFETCH(QString, name);
        QFETCH(bool, isInteger);
        QFETCH(int, integer);
        QFETCH(bool, isString);
        QFETCH(QString, text);
        WriteFile(userFile_,
                  "[Software]\n"
                  "Brennovale\\Lexicove\\Settings\\ClearType=dword:00000003\n"
                  "Brennovale\\Lexicove\\Settings\\Neg=dword:fffffffe\n"
                  "Brennovale\\Lexicove\\Settings\\TextSize=5\n"
                  "Brennovale\\Lexicove\\Settings\\Tagged=sz:dword:00000001\n"
                  "Brennovale\\Lexicove\\Settings\\WordTheDay=hello\n"
                  "Brennovale\\Lexicove\\Settings\\Short=dword:12\n"
                  "Brennovale\\Lexicove\\Settings\\Bad=dword:0000000g\n"
                  "Brennovale\\Lexicove\\Settings\\List=a, b\n");
        CQtSettingsStore store(CQtSettingsStore::SCOPE_USER, userFile_, QString());
        const std::string n = name.toStdString();
        int32_t i = 77;
        std::u16string s = u"untouched";
        QCOMPARE(store.ReadInteger(KEY, n, &i), isInteger);
        QCOMPARE(i, isInteger ? integer : 77);
        QCOMPARE(store.ReadString(KEY, n, &s), isString);
        QCOMPARE(QString::fromStdU16String(s), isString ? text : QStringLiteral("untouched"));
        std::vector<uint8_t> b;
        QVERIFY(!store.ReadBinary(KEY, n, &b));
    }

    void integersAreWrittenTagged() {
        CQtSettingsStore store(CQtSettingsStore::SCOPE_USER, userFile_, QString());
        QVERIFY(store.WriteInteger(KEY, "ClearType", -1));
        QVERIFY(store.WriteString(KEY, "StartWord", u"dword:x"));
        const QString file = ReadFile(userFile_);
        QVERIFY2(file.contains(QLatin1String("Settings\\ClearType=dword:ffffffff")),
                 qPrintable(file));
        QVERIFY2(file.contains(QLatin1String("Settings\\StartWord=sz:dword:x")), qPrintable(file));
    }

    void writeOfAnotherKindReplacesTheValue() {
        CQtSettingsStore store(CQtSettingsStore::SCOPE_USER, userFile_, QString());
        QVERIFY(store.WriteString(KEY, "v", u"text"));
        QVERIFY(store.WriteInteger(KEY, "v", 4));
        std::u16string s;
        int32_t i = 0;
        QVERIFY(!store.ReadString(KEY, "v", &s));
        QVERIFY(store.ReadInteger(KEY, "v", &i));
        QCOMPARE(i, 4);
    }

    void missingKeyAndNamesAreRefused() {
        CQtSettingsStore store(CQtSettingsStore::SCOPE_USER, userFile_, QString());
        int32_t i = 5;
        QVERIFY(!store.KeyExists(KEY));
        QVERIFY(!store.ReadInteger(KEY, "ClearType", &i));
        QVERIFY(store.WriteInteger(KEY, "ClearType", 1));
        QVERIFY(store.KeyExists(KEY));
        QVERIFY(!store.ReadInteger("\\Software\\Other", "ClearType", &i));
        QVERIFY(!store.ReadInteger(KEY, "TextSize", &i));
        QCOMPARE(i, 5);
        QVERIFY(!store.WriteInteger(KEY, "", 1));
        QVERIFY(!store.WriteInteger(KEY, "a\\b", 1));
        QCOMPARE(ReadIntegerOr(store, KEY, "TextSize", SETTING_TEXT_SIZE_DEFAULT),
                 SETTING_TEXT_SIZE_DEFAULT);
    }

    void deleteValue() {
        CQtSettingsStore store(CQtSettingsStore::SCOPE_USER, userFile_, QString());
        QVERIFY(!store.DeleteValue(KEY, "v"));
        QVERIFY(store.WriteInteger(KEY, "v", 1));
        QVERIFY(store.DeleteValue(KEY, "v"));
        int32_t i = 0;
        QVERIFY(!store.ReadInteger(KEY, "v", &i));
        QVERIFY(!store.DeleteValue(KEY, "v"));
    }

    // The speech engine's key: registered machine-wide, changed by the user.
    void machineScopeReadsSystemThenUserAndWritesUser() {
        WriteFile(systemFile_,
                  "[Software]\n"
                  "Brennovale\\SpeechEngine\\DLL=/usr/lib/lexicove/libspeech.so\n"
                  "Brennovale\\SpeechEngine\\Volume=dword:00000004\n");
        const QString systemBefore = ReadFile(systemFile_);
        CQtSettingsStore machine(CQtSettingsStore::SCOPE_MACHINE, userFile_, systemFile_);
        std::u16string dll;
        int32_t volume = 0;
        QVERIFY(machine.KeyExists(SPEECH_ENGINE_KEY));
        QVERIFY(machine.ReadString(SPEECH_ENGINE_KEY, "DLL", &dll));
        QVERIFY(dll == u"/usr/lib/lexicove/libspeech.so");
        QVERIFY(machine.ReadInteger(SPEECH_ENGINE_KEY, "Volume", &volume));
        QCOMPARE(volume, 4);

        QVERIFY(machine.WriteInteger(SPEECH_ENGINE_KEY, "Volume", 9));
        QVERIFY(machine.ReadInteger(SPEECH_ENGINE_KEY, "Volume", &volume));
        QCOMPARE(volume, 9);
        QCOMPARE(ReadFile(systemFile_), systemBefore);
        QVERIFY(ReadFile(userFile_).contains(QLatin1String("Volume=dword:00000009")));
        // A deletion removes the user's value only: the registered one shows again.
        QVERIFY(machine.DeleteValue(SPEECH_ENGINE_KEY, "Volume"));
        QVERIFY(machine.ReadInteger(SPEECH_ENGINE_KEY, "Volume", &volume));
        QCOMPARE(volume, 4);

        CQtSettingsStore user(CQtSettingsStore::SCOPE_USER, userFile_, systemFile_);
        QVERIFY(!user.ReadString(SPEECH_ENGINE_KEY, "DLL", &dll));
    }

    void unwritableFileFailsTheWrite() {
        // A file where the folder should be: the settings file cannot be created.
        const QString blocker = dir_.filePath(QStringLiteral("blocker"));
        WriteFile(blocker, "x");
        CQtSettingsStore store(CQtSettingsStore::SCOPE_USER, blocker + "/settings.conf", QString());
        QVERIFY(!store.WriteInteger(KEY, "ClearType", 1));
    }

  private:
    QTemporaryDir dir_;
    QString userFile_;
    QString systemFile_;
    int count_ = 0;
};

QTEST_GUILESS_MAIN(QtSettingsStoreTest)
#include "qt_settings_store_test.moc"
