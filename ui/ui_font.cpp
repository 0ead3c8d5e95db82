#include "ui/ui_font.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "platform/platform_info.h"
#include "ui/colour_scheme.h"
#include "ui/contrast.h"

namespace {

constexpr int kHeaderFontHeight = 18;
constexpr int kHeaderLeft = 8;
constexpr int kHeaderHeight = 24;

}  // namespace

QFont CreateUiFont(int height, bool bold) {
    return CreateUiFontForCell(height * GetDisplayScale(), bold);
}

QFont CreateUiFontForCell(int cellHeight, bool bold) {
    QFont font;
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans")});
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    // A pixel size sets the em height; the line (ascent plus descent) is taller by the
    // family's proportion, so the largest size whose line fits the cell is taken.
    int size = std::max(1, cellHeight);
    font.setPixelSize(size);
    while (size > 1 && QFontMetrics(font).height() > cellHeight) {
        font.setPixelSize(--size);
    }
    return font;
}

void DrawHeader(QPainter& painter, int deviceWidth, const QString& title, bool withRule) {
    const int scale = GetDisplayScale();
    painter.save();
    painter.setFont(CreateUiFont(kHeaderFontHeight, true));
    const CColourScheme scheme = CColourScheme::Current();
    // The theme colour, readable on a dialog's window and on the white (or dark) band.
    painter.setPen(QColor::fromRgb(
        ReadableColour(scheme.Theme(), {scheme.Window(), scheme.BandBackground()})));
    const QRect band(kHeaderLeft * scale, 0, deviceWidth - kHeaderLeft * scale,
                     kHeaderHeight * scale);
    painter.drawText(band, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, title);
    if (withRule) {
        painter.fillRect(QRect(0, kHeaderHeight * scale, deviceWidth, 1),
                         QColor::fromRgb(scheme.RuleColour()));
    }
    painter.restore();
}
