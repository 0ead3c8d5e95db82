#pragma once

// CSpeechVolumeDlg: the modal "Speech Volume" dialog. The user chooses the engine's wave scale
// ("Default Volume (Recommended)", or "Customized Volume:" on a slider from "Quiet" to
// "Loud", position p standing for the scale p / 65536, 16384..196608 = 0.25..3.0) and whether
// speech goes through the system sound player, and tries it out with "Test". OK and Test
// change the speech engine's state in memory (Test's changes stay even after Cancel); the
// engine writes it at program exit.

#include <QDialog>

class CSpeechEngine;
class QCheckBox;
class QPushButton;
class QRadioButton;
class QSlider;

// Control ids of the dialog, kept as the buttons' and the slider's object names.
inline constexpr int IDC_DEFAULT_VOLUME = 1022;
inline constexpr int IDC_CUSTOM_VOLUME = 1023;
inline constexpr int IDC_VOLUME_SLIDER = 1024;
inline constexpr int IDC_TEST_SPEECH = 1026;
inline constexpr int IDC_USE_SOUND_PLAYER = 1028;

inline constexpr int SPEECH_SLIDER_MINIMUM = 16384;
inline constexpr int SPEECH_SLIDER_MAXIMUM = 196608;
inline constexpr int SPEECH_SLIDER_DEFAULT = 65536;  // scale 1.0

class CSpeechVolumeDlg : public QDialog {
    Q_OBJECT

  public:
    // The engine is not owned; it must outlive the dialog.
    CSpeechVolumeDlg(CSpeechEngine* engine, QWidget* parent = nullptr);

    QRadioButton* DefaultVolumeButton() const { return defaultVolume_; }
    QRadioButton* CustomVolumeButton() const { return customVolume_; }
    QSlider* VolumeSlider() const { return slider_; }
    QCheckBox* SoundPlayerBox() const { return soundPlayer_; }
    QPushButton* TestButton() const { return test_; }

  public slots:
    void accept() override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void Build();
    void InitDialog();
    void OnDefaultVolume();
    void OnCustomVolume();
    void OnTest();
    float SliderScale() const;

    CSpeechEngine* engine_;
    QRadioButton* defaultVolume_ = nullptr;
    QRadioButton* customVolume_ = nullptr;
    QSlider* slider_ = nullptr;
    QCheckBox* soundPlayer_ = nullptr;
    QPushButton* test_ = nullptr;
};
