#include "speech/gui/speech_volume_dlg.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include "platform/platform_info.h"
#include "speech/speech_engine.h"
#include "ui/full_screen_dialog.h"
#include "ui/ui_font.h"

namespace {

constexpr char kTitle[] = "Speech Volume";
constexpr char kTestText[] = "Testing";
constexpr float kSliderUnit = 1.0f / 65536.0f;  // the scale of one slider step: 2^-16
constexpr double kSliderSteps = 65536.0;

// Sizes in units, times the display scale.
constexpr int kWidth = 220;
constexpr int kHeight = 240;
constexpr int kHeaderHeight = 26;  // the title and its rule
constexpr int kSliderIndent = 9;

QLabel* MakeLabel(const char* text, QWidget* parent) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setWordWrap(true);
    return label;
}

}  // namespace

CSpeechVolumeDlg::CSpeechVolumeDlg(CSpeechEngine* engine, QWidget* parent)
    : QDialog(parent), engine_(engine) {
    setObjectName(QStringLiteral("speechVolumeDialog"));
    setWindowTitle(QString::fromLatin1(kTitle));
    setModal(true);
    Build();
    InitDialog();
}

void CSpeechVolumeDlg::Build() {
    const int scale = GetDisplayScale();
    defaultVolume_ = new QRadioButton(QStringLiteral("Default Volume (Recommended)"), this);
    defaultVolume_->setObjectName(QString::number(IDC_DEFAULT_VOLUME));
    customVolume_ = new QRadioButton(QStringLiteral("Customized Volume:"), this);
    customVolume_->setObjectName(QString::number(IDC_CUSTOM_VOLUME));
    slider_ = new QSlider(Qt::Horizontal, this);
    slider_->setObjectName(QString::number(IDC_VOLUME_SLIDER));
    soundPlayer_ = new QCheckBox(QStringLiteral("Use system sound player (slower)"), this);
    soundPlayer_->setObjectName(QString::number(IDC_USE_SOUND_PLAYER));
    test_ = new QPushButton(QStringLiteral("Test"), this);
    test_->setObjectName(QString::number(IDC_TEST_SPEECH));
    test_->setAutoDefault(false);

    auto* ends = new QHBoxLayout;
    ends->addWidget(MakeLabel("Quiet", this));
    ends->addStretch();
    ends->addWidget(MakeLabel("Loud", this));
    auto* slider = new QVBoxLayout;
    slider->setContentsMargins(kSliderIndent * scale, 0, kSliderIndent * scale, 0);
    slider->addWidget(slider_);
    slider->addLayout(ends);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSpeechVolumeDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(defaultVolume_, &QRadioButton::clicked, this, &CSpeechVolumeDlg::OnDefaultVolume);
    connect(customVolume_, &QRadioButton::clicked, this, &CSpeechVolumeDlg::OnCustomVolume);
    connect(test_, &QPushButton::clicked, this, &CSpeechVolumeDlg::OnTest);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(layout->contentsMargins() +
                               QMargins(0, kHeaderHeight * scale, 0, 0));
    layout->addWidget(defaultVolume_);
    layout->addWidget(customVolume_);
    layout->addLayout(slider);
    layout->addWidget(soundPlayer_);
    layout->addWidget(test_, 0, Qt::AlignHCenter);
    layout->addWidget(
        MakeLabel("Note: Please adjust the system wide volume if you do not hear the test.", this));
    layout->addStretch();
    layout->addWidget(buttons);
    resize(kWidth * scale, kHeight * scale);
}

void CSpeechVolumeDlg::InitDialog() {
    slider_->setRange(SPEECH_SLIDER_MINIMUM, SPEECH_SLIDER_MAXIMUM);
    slider_->setPageStep(SPEECH_SLIDER_MINIMUM);
    if (!engine_->EngineAvailable()) {
        return;
    }
    const float volume = engine_->Volume();
    if (volume == 0.0f) {
        defaultVolume_->setChecked(true);
        slider_->setValue(SPEECH_SLIDER_DEFAULT);
        slider_->setEnabled(false);
    } else {
        customVolume_->setChecked(true);
        slider_->setValue(static_cast<int>(static_cast<double>(volume) * kSliderSteps));
    }
    soundPlayer_->setChecked(engine_->ViaWave());
}

float CSpeechVolumeDlg::SliderScale() const {
    return static_cast<float>(slider_->value()) * kSliderUnit;
}

void CSpeechVolumeDlg::OnDefaultVolume() {
    slider_->setValue(SPEECH_SLIDER_DEFAULT);
    slider_->setEnabled(false);
}

void CSpeechVolumeDlg::OnCustomVolume() {
    slider_->setEnabled(true);
}

void CSpeechVolumeDlg::OnTest() {
    engine_->EnsureEngine();
    engine_->SetWaveScale(SliderScale());
    engine_->SetViaWave(soundPlayer_->isChecked());
    std::string text = kTestText;
    engine_->Speak(reinterpret_cast<void*>(winId()), text.data());
}

void CSpeechVolumeDlg::accept() {
    engine_->SetWaveScale(slider_->isEnabled() ? SliderScale() : 0.0f);
    engine_->SetViaWave(soundPlayer_->isChecked());
    QDialog::accept();
}

void CSpeechVolumeDlg::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    DrawHeader(painter, width(), windowTitle(), true);
}

void CSpeechVolumeDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    InitFullScreenDialog(this, false);
}
