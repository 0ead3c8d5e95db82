#include "platform/platform_info.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cstdlib>
#include <cstring>

namespace {

constexpr double kDoubleScaleDpi = 192.0;
constexpr char kScaleVariable[] = "LEXICOVE_SCALE";
constexpr char kWordListSuffix[] = ".dwg";

}  // namespace

int ComputeDisplayScale(double dotsPerInch, const char* override) {
    if (override != nullptr) {
        if (std::strcmp(override, "1") == 0) {
            return 1;
        }
        if (std::strcmp(override, "2") == 0) {
            return 2;
        }
    }
    return dotsPerInch >= kDoubleScaleDpi ? 2 : 1;
}

int GetDisplayScale() {
    static const int scale = [] {
        const QScreen* screen =
            QCoreApplication::instance() != nullptr ? QGuiApplication::primaryScreen() : nullptr;
        const double dpi = screen != nullptr ? screen->logicalDotsPerInchX() : 96.0;
        return ComputeDisplayScale(dpi, std::getenv(kScaleVariable));
    }();
    return scale;
}

bool IsPocketPC() {
    return true;
}

bool IsLandscape(const QSize& size) {
    return size.width() > size.height();
}

bool IsLandscape(const QWidget* window) {
    if (window != nullptr) {
        return IsLandscape(window->size());
    }
    const QScreen* screen =
        QCoreApplication::instance() != nullptr ? QGuiApplication::primaryScreen() : nullptr;
    return screen != nullptr && IsLandscape(screen->size());
}

bool IsWordListFileName(const QString& name) {
    return name.size() >= 5 && name.endsWith(QLatin1String(kWordListSuffix), Qt::CaseInsensitive);
}

QStringList WordListFiles(const QString& folder) {
    const QStringList names =
        QDir(folder).entryList({QStringLiteral("*.dwg")}, QDir::Files, QDir::Name);
    QStringList files;
    for (const QString& name : names) {
        if (IsWordListFileName(name)) {
            files.append(name);
        }
    }
    return files;
}
