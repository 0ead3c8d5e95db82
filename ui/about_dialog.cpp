#include "ui/about_dialog.h"

#include <QBoxLayout>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QTextBrowser>

#include "platform/platform_info.h"
#include "ui/full_screen_dialog.h"
#include "ui/resource_images.h"
#include "ui/ui_font.h"

namespace {

constexpr char kTitle[] = "About Lexicove";
constexpr char kName[] = "Lexicove";
constexpr char kVersion[] = "Version 3.6 (build 50612)";
constexpr char kCreditsFile[] = ":/about/credits.htm";

// Sizes of the two layouts, in units: the handheld's screen upright or turned.
constexpr int kPortraitWidth = 240;
constexpr int kPortraitHeight = 300;
constexpr int kLandscapeWidth = 320;
constexpr int kLandscapeHeight = 220;
constexpr int kIconScale = 2;  // the program icon at 32 units

QLabel* MakeLabel(const QString& text, const QFont& font, const char* name, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(font);
    label->setAlignment(Qt::AlignHCenter);
    return label;
}

QString CreditsHtml() {
    QFile file(QString::fromLatin1(kCreditsFile));
    if (!file.open(QIODevice::ReadOnly)) {
        return QString();
    }
    return QString::fromUtf8(file.readAll());
}

}  // namespace

CAboutDialog::CAboutDialog(QWidget* parent) : CAboutDialog(IsLandscape(parent), parent) {}

CAboutDialog::CAboutDialog(bool landscape, QWidget* parent)
    : QDialog(parent), landscape_(landscape) {
    setObjectName(QStringLiteral("aboutDialog"));
    setWindowTitle(QString::fromLatin1(kTitle));
    setModal(true);
    Build();
}

QString CAboutDialog::VersionLine() {
    return QString::fromLatin1(kVersion);
}

void CAboutDialog::Build() {
    const int scale = GetDisplayScale();

    auto* name = new QVBoxLayout;
    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("programIcon"));
    icon->setPixmap(LoadIconResource(IDR_MAINFRAME, kIconScale * scale));
    icon->setAlignment(Qt::AlignHCenter);
    name->addWidget(icon);
    name->addWidget(
        MakeLabel(QString::fromLatin1(kName), CreateUiFont(18, true), "nameLabel", this));
    name->addWidget(MakeLabel(VersionLine(), CreateUiFont(12, false), "versionLabel", this));
    if (landscape_) {
        name->addStretch();
    }

    credits_ = new QTextBrowser(this);
    credits_->setObjectName(QStringLiteral("credits"));
    credits_->setOpenExternalLinks(true);
    credits_->setFont(CreateUiFont(11, false));
    credits_->setHtml(CreditsHtml());

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    // Portrait: the name above the credits; landscape: the name beside them.
    auto* body = new QBoxLayout(landscape_ ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
    body->addLayout(name);
    body->addWidget(credits_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addWidget(buttons);

    resize((landscape_ ? kLandscapeWidth : kPortraitWidth) * scale,
           (landscape_ ? kLandscapeHeight : kPortraitHeight) * scale);
}

void CAboutDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    InitFullScreenDialog(this, false);
}
