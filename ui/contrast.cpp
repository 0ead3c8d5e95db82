#include "ui/contrast.h"

#include <QColor>
#include <algorithm>
#include <cmath>

namespace {

double Linear(int component) {
    const double c = component / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double WorstRatio(QRgb colour, const QList<QRgb>& backgrounds) {
    double worst = 21.0;
    for (const QRgb background : backgrounds) {
        worst = std::min(worst, ContrastRatio(colour, background));
    }
    return worst;
}

QRgb WithLightness(const QColor& hsl, int lightness) {
    return QColor::fromHsl(hsl.hslHue(), hsl.hslSaturation(), lightness, hsl.alpha()).rgba();
}

}  // namespace

double RelativeLuminance(QRgb colour) {
    return 0.2126 * Linear(qRed(colour)) + 0.7152 * Linear(qGreen(colour)) +
           0.0722 * Linear(qBlue(colour));
}

double ContrastRatio(QRgb first, QRgb second) {
    const double a = RelativeLuminance(first);
    const double b = RelativeLuminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

QRgb ReadableColour(QRgb wanted, const QList<QRgb>& backgrounds, double minimum) {
    if (backgrounds.isEmpty() || WorstRatio(wanted, backgrounds) >= minimum) {
        return wanted;
    }
    double luminance = 0;
    for (const QRgb background : backgrounds) {
        luminance += RelativeLuminance(background);
    }
    luminance /= static_cast<double>(backgrounds.size());
    // Mid-grey (luminance 0.18) is about as far in contrast from black as from white: light
    // backgrounds take darker text first, dark ones lighter text.
    const int first = luminance > 0.18 ? -1 : 1;
    const QColor hsl = QColor::fromRgba(wanted).toHsl();
    QRgb best = wanted;
    double bestRatio = WorstRatio(wanted, backgrounds);
    for (const int direction : {first, -first}) {
        for (int lightness = hsl.lightness() + direction; lightness >= 0 && lightness <= 255;
             lightness += direction) {
            const QRgb candidate = WithLightness(hsl, lightness);
            const double ratio = WorstRatio(candidate, backgrounds);
            if (ratio >= minimum) {
                return candidate;
            }
            if (ratio > bestRatio) {
                best = candidate;
                bestRatio = ratio;
            }
        }
    }
    return best;
}
