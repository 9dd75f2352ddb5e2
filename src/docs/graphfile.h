#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include <functional>
#include <optional>

#include "plot/graphwindow.h"

class QPainter;

namespace tessaly::docs {

// Draws a graph with a painter whose coordinates are the surface's pixels, 0 to
// width and 0 to height (plot::drawGraph).
using GraphPaint = std::function<void(QPainter&, const plot::Surface&)>;

// The files a graph is written to, named by the suffix of the file's name (any
// case): .png, .bmp, .svg, .pdf.
enum class GraphFormat { Png, Bmp, Svg, Pdf };
std::optional<GraphFormat> graphFormatOf(const QString& path);

// The graph as an image of size pixels at a device pixel ratio (so of size ×
// ratio device pixels), on white: exact at ratio 1, smooth above.
QImage graphImage(QSize size, double ratio, const GraphPaint& paint);

// An image as the bytes of an image file: a 24-bit BMP ("bmp") or a PNG ("png").
// Nothing, with the reason, when it cannot be encoded.
std::optional<QByteArray> imageFileBytes(const QImage& image, const char* format, QString* reason);

// The bytes of a graph file of a picture of size pixels: PNG or 24-bit BMP of
// the image at the ratio given; SVG drawn on a view of size pixels; PDF of one
// page of the picture's size at 96 pixels to the inch. The last two are vectors
// (ratio does not count). Nothing, with the reason, when it cannot be made.
std::optional<QByteArray> graphFileBytes(GraphFormat format, QSize size, double ratio, const GraphPaint& paint,
                                         QString* reason);

// Writes a graph file whole or not at all; false with the reason.
bool writeGraphFile(const QString& path, GraphFormat format, QSize size, double ratio, const GraphPaint& paint,
                    QString* reason);

}  // namespace tessaly::docs
