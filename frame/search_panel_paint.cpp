// The search panel's painting: its background, the Search button and, in Puzzle and Anagram,
// the row of letter boxes with the cursor box highlighted; and the painted Search button as a
// control a screen reader can name and press.
#include <QPainter>
#include <QPalette>

#include "frame/search_panel.h"
#include "platform/platform_info.h"
#include "ui/colour_scheme.h"
#include "ui/contrast.h"

namespace {

constexpr QRgb kLetterColour = qRgb(0, 0, 128);
constexpr QRgb kOpenBoxColour = qRgb(128, 0, 0);
constexpr QRgb kSeparatorColour = qRgb(192, 192, 192);

}  // namespace

QRect CSearchPanel::BoxRect(int i) const {
    const int scale = GetDisplayScale();
    return QRect((BOX_PITCH * i + 9) * scale, 13 * scale, 15 * scale, 15 * scale);
}

void CSearchPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect button = searchButton_.Rect();
    const CThemedBitmap& bitmap =
        searchButton_.State() == CHeaderButton::STATE_PRESSED ? buttonPressed_ : buttonNormal_;
    bitmap.DrawAt(painter, button.x(), button.y());
    if (IsBoxMode()) {
        PaintBoxes(painter);
    }
}

void CSearchPanel::PaintBoxes(QPainter& painter) const {
    const int s = GetDisplayScale();
    const int n = boxCount_;
    const CColourScheme scheme = CColourScheme::Current();
    const QColor fill = QColor::fromRgb(scheme.BandBackground());
    painter.setFont(boxFont_);
    painter.setPen(QColor::fromRgb(scheme.RuleColour()));
    painter.setBrush(fill);
    painter.drawRoundedRect(QRect(7 * s, 9 * s, (BOX_PITCH * n + 3) * s - 1, 23 * s - 1), 2 * s,
                            2 * s);
    for (int i = 1; i < n; ++i) {
        painter.fillRect(QRect((BOX_PITCH * i + 8) * s, 12 * s, s, 17 * s),
                         QColor::fromRgb(scheme.Background(kSeparatorColour)));
    }
    const std::u16string& letters = Letters();
    const QRgb highlight = palette().color(QPalette::Highlight).rgb();
    const QColor highlightText = QColor::fromRgb(
        ReadableColour(palette().color(QPalette::HighlightedText).rgb(), {highlight}));
    const QColor letterColour = QColor::fromRgb(scheme.Text(kLetterColour, {fill.rgb()}));
    const QColor openBoxColour = QColor::fromRgb(scheme.Text(kOpenBoxColour, {fill.rgb()}));
    for (int i = 0; i < n; ++i) {
        const QRect box = BoxRect(i);
        painter.fillRect(box, i == cursor_ ? QColor::fromRgb(highlight) : fill);
        if (i >= static_cast<int>(letters.size())) {
            continue;
        }
        const char16_t letter = letters[static_cast<size_t>(i)];
        if (i == cursor_) {
            painter.setPen(highlightText);
        } else {
            painter.setPen(letter == OPEN_BOX ? openBoxColour : letterColour);
        }
        painter.drawText(box, Qt::AlignCenter, QString(QChar(letter)));
    }
}

void CSearchPanel::ApplyBackground() {
    QPalette background = palette();
    background.setColor(QPalette::Window,
                        QColor::fromRgb(CColourScheme::Current().BandBackground()));
    setPalette(background);
}

std::vector<CPaintedControl> CSearchPanel::PaintedControls() const {
    CPaintedControl search;
    search.rect = searchButton_.Rect();
    search.name = QStringLiteral("Search");
    search.shown = true;
    search.enabled = searchButton_.State() != CHeaderButton::STATE_DISABLED;
    return {search};
}

void CSearchPanel::PressPaintedControl(size_t index) {
    if (index == 0) {
        RunCommand(ID_SEARCH);
    }
}

QString CSearchPanel::PaintedValue() const {
    return IsBoxMode() ? QString::fromStdU16String(Letters()) : QString();
}
