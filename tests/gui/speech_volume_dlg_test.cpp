#include "speech/gui/speech_volume_dlg.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>

#include <bit>
#include <cstdlib>

#include "app/memory_settings_store.h"
#include "speech/engine/recording_engine_client.h"
#include "speech/speech_engine.h"
#include "speech/wave_player.h"
#include "support/counting_player.h"
#include "support/temp_dir.h"

namespace {

// A speech engine over the recording library, with the stored volume and flag.
struct Setup {
    Setup(float volume, int viaWave) {
        setenv("TMPDIR", temp.Path().c_str(), 1);
        client.Reset();
        store.WriteString(SPEECH_ENGINE_KEY, SPEECH_DLL,
                          QString::fromUtf8(RECORDING_ENGINE_PATH).toStdU16String());
        store.WriteInteger(SPEECH_ENGINE_KEY, SPEECH_VOLUME, std::bit_cast<int32_t>(volume));
        store.WriteInteger(SPEECH_ENGINE_KEY, SPEECH_VIA_WAVE, viaWave);
    }
    ~Setup() { unsetenv("TMPDIR"); }

    CTempDir temp;
    CMemorySettingsStore store;
    CCountingPlayer player;
    CRecordingEngineClient client{RECORDING_ENGINE_PATH};
    CSpeechEngine engine{&store, &player};
};

}  // namespace

class SpeechVolumeDlgTest : public QObject {
    Q_OBJECT

  private slots:
    void opensWithTheStoredState_data() {
        QTest::addColumn<float>("volume");
        QTest::addColumn<int>("viaWave");
        QTest::addColumn<bool>("custom");
        QTest::addColumn<int>("position");
        QTest::newRow("default") << 0.0f << 0 << false << 65536;
        QTest::newRow("1.5 through the player") << 1.5f << 1 << true << 98304;
        QTest::newRow("quietest") << 0.25f << 0 << true << 16384;
        QTest::newRow("louder than the slider") << 4.0f << 0 << true << 196608;
    }

    void opensWithTheStoredState() {
        QFETCH(float, volume);
        QFETCH(int, viaWave);
        QFETCH(bool, custom);
        QFETCH(int, position);
        Setup setup(volume, viaWave);
        CSpeechVolumeDlg dialog(&setup.engine);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Speech Volume"));
        QCOMPARE(dialog.VolumeSlider()->minimum(), 16384);
        QCOMPARE(dialog.VolumeSlider()->maximum(), 196608);
        QCOMPARE(dialog.CustomVolumeButton()->isChecked(), custom);
        QCOMPARE(dialog.DefaultVolumeButton()->isChecked(), !custom);
        QCOMPARE(dialog.VolumeSlider()->isEnabled(), custom);
        QCOMPARE(dialog.VolumeSlider()->value(), position);
        QCOMPARE(dialog.SoundPlayerBox()->isChecked(), viaWave != 0);
        QCOMPARE(setup.client.Log(), std::string());  // opening loads nothing
    }

    // Default Volume: a Test passes 1.0 to the engine, OK stores and passes 0.0.
    void defaultVolumeTestsAtOneAndStoresZero() {
        Setup setup(1.5f, 0);
        CSpeechVolumeDlg dialog(&setup.engine);
        QTest::mouseClick(dialog.DefaultVolumeButton(), Qt::LeftButton);
        QVERIFY(!dialog.VolumeSlider()->isEnabled());
        QCOMPARE(dialog.VolumeSlider()->value(), 65536);
        QTest::mouseClick(dialog.TestButton(), Qt::LeftButton);
        QCOMPARE(setup.client.Log(), std::string("open\nscale 1.5\nscale 1\nspeech 7:Testing\n"));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(setup.engine.Volume(), 0.0f);
        QCOMPARE(setup.client.Log(),
                 std::string("open\nscale 1.5\nscale 1\nspeech 7:Testing\nscale 0\n"));
    }

    void customVolumeStoresTheSliderScale() {
        Setup setup(0.0f, 0);
        CSpeechVolumeDlg dialog(&setup.engine);
        QTest::mouseClick(dialog.CustomVolumeButton(), Qt::LeftButton);
        QVERIFY(dialog.VolumeSlider()->isEnabled());
        dialog.VolumeSlider()->setValue(32768);
        dialog.accept();
        QCOMPARE(setup.engine.Volume(), 0.5f);
        QCOMPARE(setup.client.Log(), std::string());  // not loaded: nothing passed yet
        setup.engine.ShutdownEngine();
        QCOMPARE(ReadIntegerOr(setup.store, SPEECH_ENGINE_KEY, SPEECH_VOLUME, 0),
                 std::bit_cast<int32_t>(0.5f));
    }

    // Test's changes stay after Cancel: the flag is set and the test went through the player.
    void testWithThePlayerThenCancelKeepsTheFlag() {
        Setup setup(0.0f, 0);
        CSpeechVolumeDlg dialog(&setup.engine);
        dialog.SoundPlayerBox()->setChecked(true);
        QTest::mouseClick(dialog.TestButton(), Qt::LeftButton);
        dialog.reject();
        QVERIFY(setup.engine.ViaWave());
        QCOMPARE(setup.player.played, 1);
        QCOMPARE(setup.client.Log(), std::string("open\nscale 0\nscale 1\nwave 7:Testing\n"));
    }

    void cancelWithoutTestChangesNothing() {
        Setup setup(1.5f, 0);
        CSpeechVolumeDlg dialog(&setup.engine);
        QTest::mouseClick(dialog.DefaultVolumeButton(), Qt::LeftButton);
        dialog.SoundPlayerBox()->setChecked(true);
        dialog.reject();
        QCOMPARE(setup.engine.Volume(), 1.5f);
        QVERIFY(!setup.engine.ViaWave());
    }
};

QTEST_MAIN(SpeechVolumeDlgTest)
#include "speech_volume_dlg_test.moc"
