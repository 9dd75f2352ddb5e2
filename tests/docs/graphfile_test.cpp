#include "docs/graphfile.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <optional>

using namespace tessaly::docs;

namespace {

TEST(GraphFile, TheSuffixNamesTheFormat)
{
    const struct {
        const char* name;
        std::optional<GraphFormat> format;
    } rows[] = {
        {"g.png", GraphFormat::Png}, {"g.PNG", GraphFormat::Png},      {"g.bmp", GraphFormat::Bmp},
        {"g.Svg", GraphFormat::Svg}, {"/a.b/g.pdf", GraphFormat::Pdf}, {"g.gif", std::nullopt},
        {"png", std::nullopt},       {"g.png.txt", std::nullopt},      {"g.svgz", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& r : rows)
        EXPECT_EQ(graphFormatOf(QString::fromUtf8(r.name)), r.format) << r.name;
}

TEST(GraphFile, AnImageHasTheSizeTimesTheRatioAndIsExactOnlyAtRatioOne)
{
    struct Row {
        QSize size;
        double ratio;
        QSize pixels;
        bool exact;
    };
    const Row rows[] = {{{400, 300}, 1, {400, 300}, true},
                        {{400, 300}, 2, {800, 600}, false},
                        {{30, 20}, 1.5, {45, 30}, false},
                        {{16, 12}, 1, {16, 12}, true}};
    for (const Row& r : rows) {
        std::optional<tessaly::plot::Surface> seen;
        const QImage image = graphImage(r.size, r.ratio, [&](QPainter& painter, const tessaly::plot::Surface& s) {
            seen = s;
            painter.fillRect(QRect(0, 0, s.width / 2, s.height), Qt::black);  // the left half, in pixels
        });
        EXPECT_EQ(image.size(), r.pixels);
        EXPECT_EQ(image.devicePixelRatio(), r.ratio);
        ASSERT_TRUE(seen);
        EXPECT_EQ(seen->width, r.size.width());
        EXPECT_EQ(seen->height, r.size.height());
        EXPECT_EQ(seen->exact, r.exact);
        EXPECT_EQ(image.pixelColor(r.pixels.width() / 2 - 1, 0), QColor(Qt::black)) << "the painter draws in pixels";
        EXPECT_EQ(image.pixelColor(r.pixels.width() / 2 + 1, 0), QColor(Qt::white)) << "on white";
    }
}

}  // namespace
