#include "plot/fonts.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>

namespace tessaly::plot {

void substituteFonts()
{
    QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"));
    QFont::insertSubstitution(QStringLiteral("verdana"), QStringLiteral("DejaVu Sans"));
}

QFont labelFont(double heightPixels, double widthPixels)
{
    QFont font(QStringLiteral("verdana"));
    font.setPixelSize(static_cast<int>(std::clamp(std::round(heightPixels), 1.0, 4096.0)));
    font.setStyleStrategy(QFont::NoAntialias);
    const int natural = QFontMetrics(font).averageCharWidth();
    if (natural > 0)
        font.setStretch(static_cast<int>(std::lround(std::clamp(100.0 * widthPixels / natural, 1.0, 4000.0))));
    return font;
}

}  // namespace tessaly::plot
