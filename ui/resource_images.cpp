#include "ui/resource_images.h"

#include <QFile>
#include <array>

namespace {

constexpr int kToolbarScaleMax = 2;

// The sizes of the program icon for the desktop (resources/app/).
constexpr std::array<int, 7> kProgramIconSizes = {16, 24, 32, 48, 64, 128, 256};

// The toolbar commands in the order of their images in the strips.
constexpr std::array<int, 5> kToolbarCommands = {32807, 32773, 32774, 32796, 32856};

QString BitmapPath(int id) {
    return QStringLiteral(":/bitmaps/%1.png").arg(id);
}

QString IconPath(int id, int pixels) {
    return QStringLiteral(":/icons/%1_%2.png").arg(id).arg(pixels);
}

// Enlarges by whole pixels (no smoothing, so the palette and the pixel art stay as drawn).
QImage Enlarge(const QImage& image, int scale) {
    if (scale == 1 || image.isNull()) {
        return image;
    }
    return image.scaled(image.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

}  // namespace

QImage LoadBitmapResource(int id) {
    const QString path = BitmapPath(id);
    if (!QFile::exists(path)) {
        return QImage();
    }
    return QImage(path);
}

QImage LoadBitmapResource(int id, int scale) {
    if (scale < 1) {
        return QImage();
    }
    return Enlarge(LoadBitmapResource(id), scale);
}

QPixmap LoadIconResource(int id, int scale, qreal devicePixelRatio) {
    if (scale < 1 || devicePixelRatio <= 0) {
        return QPixmap();
    }
    const int pixels = qRound(ICON_SIZE * scale * devicePixelRatio);
    const int drawn = pixels <= ICON_SIZE ? ICON_SIZE : 2 * ICON_SIZE;
    const QString path = IconPath(id, drawn);
    if (!QFile::exists(path)) {
        return QPixmap();
    }
    QImage image(path);
    if (pixels != drawn) {
        image = image.scaled(pixels, pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    image.setDevicePixelRatio(devicePixelRatio);
    return QPixmap::fromImage(image);
}

QIcon LoadProgramIcon() {
    QIcon icon;
    for (const int size : kProgramIconSizes) {
        icon.addFile(QStringLiteral(":/app/lexicove_%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

QPixmap LoadToolbarImage(int commandId, int scale) {
    if (scale < 1 || scale > kToolbarScaleMax) {
        return QPixmap();
    }
    for (size_t i = 0; i < kToolbarCommands.size(); ++i) {
        if (kToolbarCommands[i] != commandId) {
            continue;
        }
        const int size = ICON_SIZE * scale;
        const QImage strip(QStringLiteral(":/toolbar/toolbar_%1.png").arg(size));
        if (strip.isNull()) {
            return QPixmap();
        }
        return QPixmap::fromImage(strip.copy(static_cast<int>(i) * size, 0, size, size));
    }
    return QPixmap();
}

QIcon LoadToolbarIcon(int commandId) {
    QIcon icon;
    for (int scale = 1; scale <= kToolbarScaleMax; ++scale) {
        const QPixmap image = LoadToolbarImage(commandId, scale);
        if (!image.isNull()) {
            icon.addPixmap(image);
        }
    }
    return icon;
}
