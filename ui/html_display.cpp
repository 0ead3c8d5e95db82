#include "ui/html_display.h"

#include <QEvent>
#include <QFontDatabase>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QThread>
#include <QUrl>
#include <array>

#include "app/code_page.h"
#include "platform/message_box.h"
#include "platform/platform_info.h"
#include "platform/tap_and_hold.h"
#include "render/ipa_encoding.h"

namespace {

// The base font's pixel size at each zoom level, at display scale 1.
constexpr std::array<int, CHtmlDisplay::ZOOM_MAX + 1> kZoomPixels = {9, 11, 13, 15, 18};

// Fonts that hold the IPA symbols, best first.
constexpr const char* kIpaFamilies[] = {"Doulos SIL", "Charis SIL", "DejaVu Sans"};

void AppendCodePoint(char32_t point, std::u16string* out) {
    if (point < 0x10000) {
        out->push_back(static_cast<char16_t>(point));
        return;
    }
    point -= 0x10000;
    out->push_back(static_cast<char16_t>(0xD800 + (point >> 10)));
    out->push_back(static_cast<char16_t>(0xDC00 + (point & 0x3FF)));
}

// One run of pronunciation text, through the shared IPA table.
std::u16string IpaRunToUtf16(std::string_view run) {
    std::u16string out;
    for (char c : run) {
        AppendCodePoint(IpaCodePoint(static_cast<uint8_t>(c)), &out);
    }
    return out;
}

QString QStringOf(std::string_view bytes) {
    return QString::fromStdU16String(CodePageToUtf16(bytes));
}

}  // namespace

CHtmlDisplay::CHtmlDisplay(QWidget* parent)
    : QTextBrowser(parent),
      scheme_(CColourScheme::Current()),
      preparer_(IpaRunToUtf16, IpaFontFamily().toStdString()),
      tapAndHold_(new CTapAndHold(viewport(), this)),
      reporter_([this](const QString& text) { ShowErrorBox(window(), text); }) {
    setObjectName(QStringLiteral("htmlDisplay"));
    setOpenLinks(false);
    setOpenExternalLinks(false);
    ApplyColourScheme();
    connect(this, &QTextBrowser::anchorClicked, this, &CHtmlDisplay::OnAnchorClicked);
    connect(tapAndHold_, &CTapAndHold::held, this, &CHtmlDisplay::held);
    SetShrink(true);
    ApplyFont();
}

CHtmlDisplay::~CHtmlDisplay() {
    destroying_.store(true);
}

int CHtmlDisplay::ZoomPixelSize(int level) {
    if (level < ZOOM_MIN || level > ZOOM_MAX) {
        level = ZOOM_DEFAULT;
    }
    return kZoomPixels[static_cast<size_t>(level)] * GetDisplayScale();
}

QString CHtmlDisplay::IpaFontFamily() {
    for (const char* family : kIpaFamilies) {
        if (QFontDatabase::hasFamily(QString::fromLatin1(family))) {
            return QString::fromLatin1(family);
        }
    }
    return QString::fromLatin1(kIpaFamilies[0]);  // the font system substitutes
}

void CHtmlDisplay::Clear() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        pending_.clear();
        ++generation_;
    }
    source_.clear();
    html_.clear();
    clear();
}

void CHtmlDisplay::AddText(const char* text) {
    if (text == nullptr) {
        return;
    }
    std::lock_guard<std::mutex> lock(mutex_);
    pending_.append(text);
}

void CHtmlDisplay::EndOfSource() {
    unsigned generation = 0;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        generation = generation_;
    }
    if (QThread::currentThread() == thread()) {
        ShowPending(generation);
    } else {
        QMetaObject::invokeMethod(
            this, [this, generation] { ShowPending(generation); }, Qt::QueuedConnection);
    }
}

void CHtmlDisplay::PostAddText(const char* text) {
    if (text == nullptr) {
        return;
    }
    std::string copy(text);
    std::lock_guard<std::mutex> lock(mutex_);
    const unsigned generation = generation_;
    QMetaObject::invokeMethod(
        this,
        [this, generation, copy = std::move(copy)] {
            std::lock_guard<std::mutex> lock(mutex_);
            if (generation == generation_) {
                pending_.append(copy);
            }
        },
        Qt::QueuedConnection);
}

void CHtmlDisplay::PostEndOfSource() {
    std::lock_guard<std::mutex> lock(mutex_);
    const unsigned generation = generation_;
    QMetaObject::invokeMethod(
        this, [this, generation] { ShowPending(generation); }, Qt::QueuedConnection);
}

void CHtmlDisplay::ShowError(const char* text) {
    if (reporter_) {
        reporter_(QStringOf(text != nullptr ? text : ""));
    }
}

void CHtmlDisplay::ShowPending(unsigned generation) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (generation != generation_) {
            return;  // cleared since: the text belongs to a page no longer wanted
        }
        source_ = std::move(pending_);
        pending_.clear();
    }
    html_ = QString::fromStdU16String(preparer_.Prepare(source_));
    ShowPage();
    emit pageShown();
}

void CHtmlDisplay::ShowPage() {
    // A fresh document drops the images cached for the last page, so a new provider or new
    // artwork is asked again.
    document()->clear();
    // The page is laid out with the vertical scroll bar in place: a long page would otherwise
    // be laid out a second time, narrower, once the bar it needs appears. A short page gives
    // the bar back afterwards, a cheap layout.
    const Qt::ScrollBarPolicy policy = verticalScrollBarPolicy();
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHtml(html_);
    setVerticalScrollBarPolicy(policy);
}

void CHtmlDisplay::ApplyFont() {
    QFont font = document()->defaultFont();
    font.setPixelSize(ZoomPixelSize(zoom_));
    font.setStyleStrategy(clearType_ ? QFont::PreferAntialias : QFont::NoAntialias);
    document()->setDefaultFont(font);
    if (!html_.isEmpty()) {
        ShowPage();  // sizes of <small>, <font size> and tables follow the base font
    }
}

void CHtmlDisplay::ApplyColourScheme() {
    preparer_.SetColourMap([scheme = scheme_](uint32_t rgb, bool background) {
        return scheme.PageColour(rgb, background);
    });
    // Pages are designed black on white: the display's own colours are the page's.
    QPalette colours = palette();
    colours.setColor(QPalette::Base, QColor::fromRgb(scheme_.PageBackground()));
    colours.setColor(QPalette::Text, QColor::fromRgb(scheme_.PageText()));
    colours.setColor(QPalette::Link, QColor::fromRgb(scheme_.PageLink()));
    setPalette(colours);
    // Links without a colour of their own take the scheme's, not the application's.
    document()->setDefaultStyleSheet(
        QStringLiteral("a { color: %1; }").arg(QColor::fromRgb(scheme_.PageLink()).name()));
    if (!source_.empty()) {
        html_ = QString::fromStdU16String(preparer_.Prepare(source_));
        ShowPage();
    }
}

void CHtmlDisplay::changeEvent(QEvent* event) {
    QTextBrowser::changeEvent(event);
    if (event->type() != QEvent::PaletteChange &&
        event->type() != QEvent::ApplicationPaletteChange) {
        return;
    }
    const CColourScheme scheme = CColourScheme::Current();
    if (scheme != scheme_) {
        scheme_ = scheme;
        ApplyColourScheme();
    }
}

void CHtmlDisplay::SetZoom(int level) {
    if (level < ZOOM_MIN || level > ZOOM_MAX || level == zoom_) {
        return;
    }
    zoom_ = level;
    ApplyFont();
}

void CHtmlDisplay::SetClearType(bool on) {
    if (on == clearType_) {
        return;
    }
    clearType_ = on;
    ApplyFont();
}

void CHtmlDisplay::SetShrink(bool on) {
    shrink_ = on;
    setLineWrapMode(on ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(on ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
}

QString CHtmlDisplay::SelectionText() const {
    QString text = textCursor().selectedText();
    text.replace(QChar(QChar::ParagraphSeparator), QLatin1Char('\n'));
    text.replace(QChar(QChar::LineSeparator), QLatin1Char('\n'));
    text.replace(QChar(QChar::Nbsp), QLatin1Char(' '));
    text.remove(QChar(QChar::ObjectReplacementCharacter));  // inline images
    return text;
}

bool CHtmlDisplay::GetSelectionText(std::u16string* text) const {
    *text = SelectionText().toStdU16String();
    return true;
}

void CHtmlDisplay::SetImageProvider(ImageProvider provider) {
    provider_ = std::move(provider);
    if (!html_.isEmpty()) {
        ShowPage();
    }
}

QVariant CHtmlDisplay::loadResource(int type, const QUrl& name) {
    std::string image;
    if (type != QTextDocument::ImageResource ||
        !CPagePreparer::DecodeImage(name.toString().toStdU16String(), &image)) {
        return QVariant();  // pages load nothing from files or the network
    }
    QImage supplied = provider_ ? scheme_.PageImage(provider_(image)) : QImage();
    if (supplied.isNull()) {
        // Refused at once: an empty image, not the reader's "broken image" symbol.
        supplied = QImage(1, 1, QImage::Format_ARGB32);
        supplied.fill(Qt::transparent);
    }
    return supplied;
}

void CHtmlDisplay::OnAnchorClicked(const QUrl& url) {
    std::string target;
    if (CPagePreparer::DecodeLink(url.toString().toStdU16String(), &target)) {
        emit linkTapped(QByteArray(target.data(), static_cast<qsizetype>(target.size())));
    }
}
