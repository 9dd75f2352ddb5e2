#include "plot/fonts.h"

#include <QFontMetrics>

#include <cmath>

namespace tessaly::plot {

void substituteFonts()
{
    QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"));
    QFont::insertSubstitution(QStringLiteral("verdana"), QStringLiteral("DejaVu Sans"));
}

QFont labelFont(int heightPixels, int widthPixels)
{
    QFont font(QStringLiteral("verdana"));
    font.setPixelSize(heightPixels);
    font.setStyleStrategy(QFont::NoAntialias);
    const int natural = QFontMetrics(font).averageCharWidth();
    if (natural > 0)
        font.setStretch(std::clamp(static_cast<int>(std::lround(100.0 * widthPixels / natural)), 1, 4000));
    return font;
}

}  // namespace tessaly::plot
