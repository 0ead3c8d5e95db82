#include "ui/themed_bitmap.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "ui/colour_scheme.h"
#include "ui/resource_images.h"

namespace {

// Rows and columns at the bitmap's bottom and right edge that TileDown and StretchAcross leave
// out: the panel bitmap's edge, shown only where the bitmap is drawn whole.
constexpr int kEdge = 3;

int TintComponent(int theme, int darkness) {
    return 255 - ((255 - theme) * darkness) / 256;
}

}  // namespace

CThemedBitmap::CThemedBitmap(int resourceId, QRgb colour, bool highResolution) {
    Load(resourceId, colour, highResolution);
}

CThemedBitmap::CThemedBitmap(int resourceId, bool highResolution) {
    LoadPlain(resourceId, highResolution);
}

CThemedBitmap::~CThemedBitmap() = default;

int CThemedBitmap::Brightness(QRgb entry) {
    const int r = qRed(entry);
    const int g = qGreen(entry);
    const int b = qBlue(entry);
    return static_cast<int>(std::sqrt((r * r + g * g + b * b) / 3.0));
}

QRgb CThemedBitmap::TintColour(QRgb entry, QRgb theme) {
    if (qRed(entry) == qGreen(entry) && qGreen(entry) == qBlue(entry)) {
        return entry;
    }
    const int darkness = 255 - Brightness(entry);
    return qRgba(TintComponent(qRed(theme), darkness), TintComponent(qGreen(theme), darkness),
                 TintComponent(qBlue(theme), darkness), qAlpha(entry));
}

QList<QRgb> CThemedBitmap::TintColourTable(const QList<QRgb>& table, QRgb theme) {
    QList<QRgb> tinted;
    tinted.reserve(table.size());
    for (const QRgb entry : table) {
        tinted.append(TintColour(entry, theme));
    }
    return tinted;
}

bool CThemedBitmap::Load(int resourceId, QRgb colour, bool highResolution) {
    QImage image = LoadBitmapResource(resourceId);
    if (image.colorCount() > 0) {
        image.setColorTable(TintColourTable(image.colorTable(), colour));
    }
    SetImage(resourceId, std::move(image), highResolution);
    return !image_.isNull();
}

bool CThemedBitmap::LoadPlain(int resourceId, bool highResolution) {
    SetImage(resourceId, LoadBitmapResource(resourceId), highResolution);
    return !image_.isNull();
}

bool CThemedBitmap::Retint(int resourceId, QRgb colour) {
    QImage image = LoadBitmapResource(resourceId);
    if (image.colorCount() == 0) {
        return false;
    }
    image.setColorTable(TintColourTable(image.colorTable(), colour));
    SetImage(resourceId, std::move(image), double_);
    return true;
}

bool CThemedBitmap::SetThemeColour(QRgb colour) {
    return Retint(resourceId_, colour);
}

bool CThemedBitmap::SetColourScheme(const CColourScheme& scheme) {
    QImage image = LoadBitmapResource(resourceId_);
    if (image.colorCount() == 0) {
        return false;
    }
    QList<QRgb> table = image.colorTable();
    for (QRgb& entry : table) {
        entry = scheme.TintEntry(entry);
    }
    image.setColorTable(table);
    SetImage(resourceId_, std::move(image), double_);
    return true;
}

QRgb CThemedBitmap::ColourAt(int x, int y) const {
    if (image_.isNull()) {
        return 0;
    }
    const int factor = double_ ? 2 : 1;
    return image_.pixel(std::clamp(x / factor, 0, image_.width() - 1),
                        std::clamp(y / factor, 0, image_.height() - 1));
}

int CThemedBitmap::Width() const {
    return image_.width() * (double_ ? 2 : 1);
}

int CThemedBitmap::Height() const {
    return image_.height() * (double_ ? 2 : 1);
}

void CThemedBitmap::DrawAt(QPainter& painter, int x, int y) const {
    Copy(painter, QRect(x, y, Width(), Height()), image_.rect());
}

void CThemedBitmap::TileDown(QPainter& painter, int height) const {
    const int step = Height() - (double_ ? 2 * kEdge : kEdge);
    if (image_.isNull() || step <= 0 || height <= 0) {
        return;  // a bitmap of three rows or fewer has nothing to tile
    }
    const QRect source(0, 0, image_.width(), image_.height() - kEdge);
    painter.save();
    painter.setClipRect(QRect(0, 0, Width(), height), Qt::IntersectClip);
    for (int y = 0; y < height; y += step) {
        Copy(painter, QRect(0, y, Width(), step), source);
    }
    painter.restore();
}

void CThemedBitmap::StretchAcross(QPainter& painter, int width) const {
    if (image_.isNull() || image_.width() <= kEdge || width <= 0) {
        return;
    }
    Copy(painter, QRect(0, 0, width, Height()),
         QRect(0, 0, image_.width() - kEdge, image_.height()));
}

void CThemedBitmap::SetImage(int resourceId, QImage image, bool highResolution) {
    resourceId_ = resourceId;
    double_ = highResolution;
    image_ = std::move(image);
    pixmap_ = image_.isNull() ? QPixmap() : QPixmap::fromImage(image_);
}

void CThemedBitmap::Copy(QPainter& painter, const QRect& target, const QRect& source) const {
    if (pixmap_.isNull()) {
        return;
    }
    painter.save();
    // A plain copy: whole pixels, no smoothing, the bitmap's pixels replace the target's.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawPixmap(target, pixmap_, source);
    painter.restore();
}
