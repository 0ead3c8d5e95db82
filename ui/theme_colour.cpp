#include "ui/theme_colour.h"

#include <QGuiApplication>
#include <QPalette>

QColor GetThemeColour() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        return QColor::fromRgb(THEME_COLOUR_DEFAULT);
    }
    const QColor colour = QGuiApplication::palette().color(QPalette::Active, QPalette::Highlight);
    return colour.isValid() ? colour : QColor::fromRgb(THEME_COLOUR_DEFAULT);
}
