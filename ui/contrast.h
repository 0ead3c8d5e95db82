#pragma once

// Text contrast as the Web Content Accessibility Guidelines measure it: the relative
// luminance of a colour and the contrast ratio of two colours, and the nearest colour to a
// wanted one that reaches a ratio against its backgrounds.

#include <QList>
#include <QRgb>

// The ratio that normal text needs against its background (WCAG 2 level AA).
inline constexpr double CONTRAST_TEXT_MINIMUM = 4.5;

// The relative luminance of an sRGB colour, 0 (black) to 1 (white); alpha is ignored.
double RelativeLuminance(QRgb colour);
// (lighter + 0.05) / (darker + 0.05): 1 for equal colours, 21 for black on white.
double ContrastRatio(QRgb first, QRgb second);

// The wanted colour itself when it reaches minimum against every background; otherwise the
// colour of the same hue and saturation with the least change of lightness that does, made
// darker when the backgrounds are light and lighter when they are dark. When no lightness
// reaches it (backgrounds both dark and light), the one with the best worst ratio.
QRgb ReadableColour(QRgb wanted, const QList<QRgb>& backgrounds,
                    double minimum = CONTRAST_TEXT_MINIMUM);
