#include "docs/graphfile.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <cmath>

#include "docs/textfile.h"

namespace tessaly::docs {
namespace {

// Pixels of the picture to a point of a page: 96 to the inch.
constexpr double kPointsPerPixel = 72.0 / 96.0;

// Paints the picture on a device whose painter has been scaled to it: a white
// ground, then the graph, smooth.
bool paintOn(QPaintDevice& device, QSize size, double scaleX, double scaleY, const GraphPaint& paint, QString* reason)
{
    QPainter painter;
    if (!painter.begin(&device)) {
        if (reason)
            *reason = QStringLiteral("the drawing could not be started");
        return false;
    }
    painter.scale(scaleX, scaleY);
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    paint(painter, plot::Surface{size.width(), size.height(), false});
    if (!painter.end()) {
        if (reason)
            *reason = QStringLiteral("the drawing could not be finished");
        return false;
    }
    return true;
}

std::optional<QByteArray> svgBytes(QSize size, const GraphPaint& paint, QString* reason)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(QStringLiteral("Tessaly graph"));
    if (!paintOn(svg, size, 1, 1, paint, reason))
        return std::nullopt;
    return bytes;
}

std::optional<QByteArray> pdfBytes(QSize size, const GraphPaint& paint, QString* reason)
{
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        pdf.setCreator(QStringLiteral("Tessaly"));
        const QPageSize page(QSizeF(size.width() * kPointsPerPixel, size.height() * kPointsPerPixel), QPageSize::Point,
                             QString(), QPageSize::ExactMatch);
        pdf.setPageLayout(QPageLayout(page, QPageLayout::Portrait, QMarginsF()));
        if (!paintOn(pdf, size, static_cast<double>(pdf.width()) / size.width(),
                     static_cast<double>(pdf.height()) / size.height(), paint, reason))
            return std::nullopt;
    }
    return bytes;
}

}  // namespace

std::optional<GraphFormat> graphFormatOf(const QString& path)
{
    const std::pair<const char*, GraphFormat> suffixes[] = {
        {".png", GraphFormat::Png}, {".bmp", GraphFormat::Bmp}, {".svg", GraphFormat::Svg}, {".pdf", GraphFormat::Pdf}};
    for (const auto& [suffix, format] : suffixes)
        if (path.endsWith(QLatin1String(suffix), Qt::CaseInsensitive))
            return format;
    return std::nullopt;
}

QImage graphImage(QSize size, double ratio, const GraphPaint& paint)
{
    QImage image(QSize(static_cast<int>(std::lround(size.width() * ratio)),
                       static_cast<int>(std::lround(size.height() * ratio))),
                 QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    QPainter painter(&image);
    paint(painter, plot::Surface{size.width(), size.height(), ratio == 1});
    return image;
}

std::optional<QByteArray> imageFileBytes(const QImage& image, const char* format, QString* reason)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    const bool bitmap = QByteArray(format) == "bmp";
    if (!writer.write(bitmap ? image.convertToFormat(QImage::Format_RGB888) : image)) {
        if (reason)
            *reason = writer.errorString();
        return std::nullopt;
    }
    return bytes;
}

std::optional<QByteArray> graphFileBytes(GraphFormat format, QSize size, double ratio, const GraphPaint& paint,
                                         QString* reason)
{
    switch (format) {
    case GraphFormat::Png: return imageFileBytes(graphImage(size, ratio, paint), "png", reason);
    case GraphFormat::Bmp: return imageFileBytes(graphImage(size, ratio, paint), "bmp", reason);
    case GraphFormat::Svg: return svgBytes(size, paint, reason);
    case GraphFormat::Pdf: return pdfBytes(size, paint, reason);
    }
    return std::nullopt;
}

bool writeGraphFile(const QString& path, GraphFormat format, QSize size, double ratio, const GraphPaint& paint,
                    QString* reason)
{
    const auto bytes = graphFileBytes(format, size, ratio, paint, reason);
    return bytes && writeFileAtomically(path, bytes->toStdString(), reason);
}

}  // namespace tessaly::docs
