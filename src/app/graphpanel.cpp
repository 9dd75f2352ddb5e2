#include "app/graphpanel.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "app/pictureview.h"
#include "common/numbertext.h"
#include "docs/filename.h"
#include "plot/graphwindow.h"
#include "plot/scalemap.h"

namespace tessaly::app {
namespace {

// A graph drawn through the session's engine on any surface, nothing of it
// told; a surface the settings cannot be drawn on stays as it is.
docs::GraphPaint paintOf(session::StudySession& session, plot::GraphRequest request)
{
    return [&session, request = std::move(request)](QPainter& painter, const plot::Surface& surface) {
        if (!plot::plotAccepted(request.plot, request.study.derivativeOrder, surface.width, surface.height))
            return;
        const auto hush = session.hush();
        auto f = session.functionOf(request.study.equation);
        plot::drawGraph(painter, surface, f, request, session.factorials(), {});
    };
}

}  // namespace

const QImage& GraphPanel::picture() const { return m_picture.image(); }

QSize GraphPanel::drawnSize() const { return m_picture.drawnSize(); }

plot::GraphRequest GraphPanel::request(const numeric::StudyInputs& in, const plot::PlotSettings& settings,
                                       const record::FieldTexts& texts, const GraphChecks& checks) const
{
    plot::GraphRequest request;
    request.study = in;
    request.plot = settings;
    request.shade = checks.shade;
    request.labelWindow = checks.labelWindow;
    request.labelDivisions = checks.labelDivisions;
    request.divisionXText = texts[record::DivisionX];
    request.divisionYText = texts[record::DivisionY];
    request.foreColor = m_foreColor;
    return request;
}

void GraphPanel::erase()
{
    m_picture.clear();
    m_request.reset();
}

std::optional<std::string_view> GraphPanel::plot(session::StudySession& session, const record::FieldTexts& texts,
                                                 const GraphChecks& checks)
{
    m_request.reset();
    m_settings = plot::readPlotSettings(texts, checks.grid);
    m_drawnWindow.reset();
    const auto in = session.readForGraph(texts);
    if (!m_picture.upToDate())
        m_picture.clear();
    const QSize size = m_picture.drawnSize();
    // Settings that cannot be drawn leave the picture cleared; drawing them
    // would never end. A study that cannot be read was told by the session.
    const auto refusal =
        in ? plot::plotRefusal(m_settings, in->derivativeOrder, size.width(), size.height()) : std::nullopt;
    if (!in || refusal) {
        m_picture.update();
        return refusal;
    }
    plot::GraphRequest drawn = request(*in, m_settings, texts, checks);
    auto f = session.functionOf(drawn.study.equation);
    // The decorations are shown before the curve; only a repaint, so no command
    // can start inside the drawing (one asked for now runs after it).
    const plot::GraphOutcome out =
        plot::drawGraph(m_picture.image(), f, drawn, session.factorials(), [this] { m_picture.repaint(); });
    m_order = in->derivativeOrder;
    m_drawnWindow =
        plot::PlotWindow{m_settings.windowLx, m_settings.windowGx, m_settings.windowLy, m_settings.windowGy};
    m_request = std::move(drawn);
    session.graphDrawn(out.currentX, out.error);
    m_foreColor = out.foreColor;
    m_picture.update();
    return std::nullopt;
}

void GraphPanel::redraw(session::StudySession& session)
{
    if (m_picture.upToDate())
        return;
    QImage image = m_picture.blankImage();
    if (const auto paint = currentDrawing(session)) {
        QPainter painter(&image);
        (*paint)(painter, plot::surfaceOf(image));
    }
    m_picture.image() = image;
    m_picture.update();
}

std::optional<docs::GraphPaint> GraphPanel::currentDrawing(session::StudySession& session) const
{
    if (!m_request)
        return std::nullopt;
    return paintOf(session, *m_request);
}

std::optional<docs::GraphPaint> GraphPanel::drawing(session::StudySession& session, const record::FieldTexts& texts,
                                                    const GraphChecks& checks)
{
    if (auto current = currentDrawing(session))
        return current;
    const auto hush = session.hush();  // nothing of this drawing is told
    const auto in = session.readForGraph(texts, /*quiet=*/true);
    if (!in)
        return std::nullopt;
    const plot::PlotSettings settings = plot::readPlotSettings(texts, checks.grid);
    if (!plot::plotAccepted(settings, in->derivativeOrder, plot::kPictureWidth, plot::kPictureHeight))
        return std::nullopt;
    return paintOf(session, request(*in, settings, texts, checks));
}

std::optional<QImage> GraphPanel::image(session::StudySession& session, const record::FieldTexts& texts,
                                        const GraphChecks& checks)
{
    const auto paint = drawing(session, texts, checks);
    if (!paint)
        return std::nullopt;
    return docs::graphImage(QSize(plot::kPictureWidth, plot::kPictureHeight), 1, *paint);
}

std::optional<std::pair<float, float>> GraphPanel::worldAt(QPoint pixel) const
{
    if (!m_drawnWindow)
        return std::nullopt;
    const plot::PlotWindow& w = *m_drawnWindow;
    const QSize size = m_picture.drawnSize();
    const auto map = plot::ScaleMap::of(w.lx, w.gx, w.ly, w.gy, size.width(), size.height());
    return std::pair{static_cast<float>(map.worldX(pixel.x())), static_cast<float>(map.worldY(pixel.y()))};
}

QString GraphPanel::tipAt(QPoint pixel) const
{
    const auto at = worldAt(pixel);
    if (!at)
        return {};
    return QStringLiteral("(%1, %2): Click to center graph here")
        .arg(QString::fromStdString(common::singleNumberText(at->first)),
             QString::fromStdString(common::singleNumberText(at->second)));
}

std::optional<plot::PlotWindow> GraphPanel::centredAt(QPoint pixel) const
{
    const auto at = worldAt(pixel);
    if (!at)
        return std::nullopt;
    return plot::centredWindow(*m_drawnWindow, at->first, at->second);
}

std::optional<QString> GraphPanel::exportTo(session::StudySession& session, const record::FieldTexts& texts,
                                            const GraphChecks& checks, const QString& path, QSize bitmapSize)
{
    const auto format = docs::graphFormatOf(path);
    if (!format)
        return QStringLiteral("Could not save %1: the name must end in .png, .svg or .pdf")
            .arg(docs::displayFileName(path));
    const auto paint = drawing(session, texts, checks);
    if (!paint)
        return QStringLiteral("The graph cannot be drawn with these settings.");
    // A bitmap has the size chosen; a drawing the picture's size, as it is shown.
    const bool bitmap = *format == docs::GraphFormat::Png || *format == docs::GraphFormat::Bmp;
    QString reason;
    if (!docs::writeGraphFile(path, *format, bitmap ? bitmapSize : drawnSize(), 1, *paint, &reason))
        return QStringLiteral("Could not save %1: %2").arg(docs::displayFileName(path), reason);
    return std::nullopt;
}

void GraphPanel::addToReport(docs::ReportInput& report, session::StudySession& session) const
{
    if (const auto paint = currentDrawing(session)) {
        report.graph = *paint;
        report.graphOrder = m_order;
    }
}

void GraphPanel::copyToClipboard(session::StudySession& session) const
{
    auto* data = new QMimeData;
    data->setImageData(picture());
    if (const auto paint = currentDrawing(session)) {
        if (const auto svg = docs::graphFileBytes(docs::GraphFormat::Svg, drawnSize(), 1, *paint, nullptr))
            data->setData(QStringLiteral("image/svg+xml"), *svg);
    }
    QGuiApplication::clipboard()->setMimeData(data);
}

}  // namespace tessaly::app
