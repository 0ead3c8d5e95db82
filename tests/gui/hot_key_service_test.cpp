// The hot key's parts that need no desktop: how a selection is cut for the lookup, how a Qt key
// is named for X11 and the portal, and CHotKeyService over a hot key that the test drives (the
// stored key, off, the refusals told once, a press that looks up the clipboard's text).

#include <QClipboard>
#include <QGuiApplication>
#include <QTest>
#include <memory>
#include <vector>

#include "app/memory_settings_store.h"
#include "app/settings_store.h"
#include "frame/hot_key_service.h"
#include "platform/key_symbol.h"
#include "platform/selection_source.h"

namespace {

// A hot key whose answers the test gives.
class CScriptedHotKey : public CGlobalHotKey {
  public:
    std::vector<QKeySequence> asked;
    Status answer = HOT_KEY_BOUND;

    void SetKey(const QKeySequence& key) override {
        asked.push_back(key);
        SetRequestedKey(key);
        SetStatus(key.isEmpty() ? HOT_KEY_OFF : answer);
    }
    void Answer(Status status) { SetStatus(status); }
    void Press() { emit activated(); }
};

QString StoredKey(const CMemorySettingsStore& settings) {
    std::u16string value;
    return settings.ReadString(SETTINGS_KEY, SETTING_HOT_KEY, &value)
               ? QString::fromStdU16String(value)
               : QStringLiteral("<missing>");
}

}  // namespace

class HotKeyServiceTest : public QObject {
    Q_OBJECT

  private:
    CMemorySettingsStore settings_;
    CScriptedHotKey* hotKey_ = nullptr;
    std::unique_ptr<CHotKeyService> service_;
    QStringList lookups_;
    QStringList reports_;

    void MakeService(bool withHotKey = true) {
        auto hotKey = withHotKey ? std::make_unique<CScriptedHotKey>() : nullptr;
        hotKey_ = hotKey.get();
        service_ = std::make_unique<CHotKeyService>(
            &settings_, std::move(hotKey), [this](const QString& text) { lookups_ << text; },
            [this](const QString& text) { reports_ << text; });
    }

  private slots:
    void init() {
        settings_ = CMemorySettingsStore();
        lookups_.clear();
        reports_.clear();
    }

    void cutSelection_data() {
        QTest::addColumn<QString>("selection");
        QTest::addColumn<QString>("cut");
        QTest::newRow("punctuation around a word") << "  (serendipity)!\n"
                                                   << "serendipity";
        QTest::newRow("no letter at all") << " 12, 34 ... "
                                          << "";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("two lines kept for the lookup to fold") << "ice\ncream."
                                                               << "ice\ncream";
        QTest::newRow("inner punctuation stays") << "\"mother-in-law's\""
                                                 << "mother-in-law's";
        QTest::newRow("longer than 64 characters")
            << QString(70, u'a') + "." << QString(CSelectionSource::MAX_SELECTION_LENGTH, u'a');
        QTest::newRow("a paragraph cut at 64")
            << "The quick brown fox jumps over the lazy dog, and then it runs far away."
            << "The quick brown fox jumps over the lazy dog, and then it runs fa";
        QTest::newRow("never half a character")
            << QString(63, u'a') + QString::fromUcs4(U"\U0001D400") + "b" << QString(63, u'a');
        QTest::newRow("letters of other scripts") << "«café»"
                                                  << "café";
    }

    void cutSelection() {
        QFETCH(QString, selection);
        QFETCH(QString, cut);
        QCOMPARE(CSelectionSource::Cut(selection), cut);
    }

    void keySymbol_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<uint>("keysym");
        QTest::addColumn<uint>("modifiers");
        QTest::addColumn<QString>("trigger");
        QTest::newRow("default") << "Ctrl+Alt+W" << 0x77u << 12u << "CTRL+ALT+w";
        QTest::newRow("function key") << "Meta+Shift+F5" << 0xffc2u << 65u << "SHIFT+LOGO+F5";
        QTest::newRow("space") << "Ctrl+Space" << 0x20u << 4u << "CTRL+space";
        QTest::newRow("page up") << "Ctrl+Alt+PgUp" << 0xff55u << 12u << "CTRL+ALT+Prior";
        QTest::newRow("digit") << "Alt+7" << 0x37u << 8u << "ALT+7";
        QTest::newRow("only the first key counts") << "Ctrl+K, Ctrl+D" << 0x6bu << 4u << "CTRL+k";
        QTest::newRow("empty") << "" << 0u << 0u << "";
    }

    void keySymbol() {
        QFETCH(QString, key);
        QFETCH(uint, keysym);
        QFETCH(uint, modifiers);
        QFETCH(QString, trigger);
        const CKeySymbol symbol(QKeySequence::fromString(key, QKeySequence::PortableText));
        QCOMPARE(symbol.IsValid(), keysym != 0);
        QCOMPARE(symbol.Keysym(), keysym);
        if (symbol.IsValid()) {
            QCOMPARE(uint(symbol.X11Modifiers()), modifiers);
        }
        QCOMPARE(symbol.Trigger(), trigger);
    }

    void aModifierAloneIsNoKey() {
        QVERIFY(!CKeySymbol(QKeyCombination(Qt::ControlModifier, Qt::Key_Control)).IsValid());
    }

    void storedKeyIsAskedFor_data() {
        QTest::addColumn<QString>("stored");  // "<missing>": no value
        QTest::addColumn<QString>("asked");
        QTest::newRow("missing: the default") << "<missing>"
                                              << "Ctrl+Alt+W";
        QTest::newRow("a key of the user's") << "Meta+F9"
                                             << "Meta+F9";
        QTest::newRow("empty: off") << ""
                                    << "";
        QTest::newRow("two keys: the first") << "Ctrl+K, Ctrl+D"
                                             << "Ctrl+K";
        QTest::newRow("no key: the default") << "Ctrl+Nonsense"
                                             << "Ctrl+Alt+W";
    }

    void storedKeyIsAskedFor() {
        QFETCH(QString, stored);
        QFETCH(QString, asked);
        if (stored != QLatin1String("<missing>")) {
            settings_.WriteString(SETTINGS_KEY, SETTING_HOT_KEY, stored.toStdU16String());
        }
        MakeService();
        service_->Start();
        QCOMPARE(hotKey_->asked.size(), size_t(1));
        QCOMPARE(hotKey_->asked[0].toString(QKeySequence::PortableText), asked);
        QCOMPARE(service_->Key().toString(QKeySequence::PortableText), asked);
        QCOMPARE(hotKey_->CurrentStatus(),
                 asked.isEmpty() ? CGlobalHotKey::HOT_KEY_OFF : CGlobalHotKey::HOT_KEY_BOUND);
        QVERIFY(reports_.isEmpty());
    }

    void aChosenKeyIsStoredAndClearingTurnsItOff() {
        MakeService();
        service_->Start();
        service_->SetKey(QKeySequence(QStringLiteral("Ctrl+Shift+L")));
        QCOMPARE(StoredKey(settings_), QStringLiteral("Ctrl+Shift+L"));
        QCOMPARE(hotKey_->asked.back(), QKeySequence(QStringLiteral("Ctrl+Shift+L")));
        service_->SetKey(QKeySequence());
        QCOMPARE(StoredKey(settings_), QString());
        QCOMPARE(hotKey_->CurrentStatus(), CGlobalHotKey::HOT_KEY_OFF);
        QVERIFY(service_->StatusText().startsWith(QStringLiteral("Off.")));
        // The next start keeps it off.
        MakeService();
        service_->Start();
        QVERIFY(service_->Key().isEmpty());
        QCOMPARE(hotKey_->CurrentStatus(), CGlobalHotKey::HOT_KEY_OFF);
    }

    void aTakenKeyIsToldOncePerKey() {
        MakeService();
        hotKey_->answer = CGlobalHotKey::HOT_KEY_TAKEN;
        service_->Start();
        QCOMPARE(reports_.size(), 1);
        QVERIFY2(reports_[0].contains(QStringLiteral("is taken by another program")),
                 qPrintable(reports_[0]));
        hotKey_->Answer(CGlobalHotKey::HOT_KEY_TAKEN);  // the same key again: nothing new
        QCOMPARE(reports_.size(), 1);
        service_->SetKey(QKeySequence(QStringLiteral("Ctrl+Alt+Q")));  // taken as well
        QCOMPARE(reports_.size(), 2);
        hotKey_->answer = CGlobalHotKey::HOT_KEY_BOUND;
        service_->SetKey(QKeySequence(QStringLiteral("Ctrl+Alt+E")));
        QCOMPARE(reports_.size(), 2);
        QVERIFY(service_->StatusText().contains(QStringLiteral("in any program")));
    }

    void aDesktopThatDoesNotAnswerIsNoBox() {
        MakeService();
        hotKey_->answer = CGlobalHotKey::HOT_KEY_PENDING;
        service_->Start();
        hotKey_->Answer(CGlobalHotKey::HOT_KEY_FAILED);
        QVERIFY(reports_.isEmpty());
        QVERIFY(service_->StatusText().contains(QStringLiteral("lexicove --lookup-selection")));
    }

    void withoutAHotKeyTheUserIsToldWhatToBind() {
        MakeService(false);
        service_->Start();
        QVERIFY(!service_->Available());
        QCOMPARE(service_->Key(), QKeySequence(QStringLiteral("Ctrl+Alt+W")));
        QVERIFY(service_->StatusText().contains(QStringLiteral("lexicove --lookup-selection")));
        service_->SetKey(QKeySequence(QStringLiteral("Meta+D")));
        QCOMPARE(StoredKey(settings_), QStringLiteral("Meta+D"));
    }

    // The offscreen platform has no primary selection: the clipboard is read.
    void aPressLooksUpTheCutSelection() {
        MakeService();
        service_->Start();
        QGuiApplication::clipboard()->setText(QStringLiteral("  (Walk)!\n"));
        hotKey_->Press();
        QGuiApplication::clipboard()->clear();
        hotKey_->Press();
        QCOMPARE(lookups_, (QStringList{QStringLiteral("Walk"), QString()}));
    }
};

QTEST_MAIN(HotKeyServiceTest)
#include "hot_key_service_test.moc"
