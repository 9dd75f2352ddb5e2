#include "app/graphpanel.h"

#include "app/pictureview.h"
#include "common/numbertext.h"
#include "plot/graphwindow.h"

namespace tessaly::app {

QImage& GraphPanel::picture() { return m_picture.image(); }

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
    m_picture.image().fill(Qt::white);
    m_picture.update();
    m_current = false;
}

std::optional<std::string_view> GraphPanel::plot(session::StudySession& session, const record::FieldTexts& texts,
                                                 const GraphChecks& checks)
{
    m_current = true;
    m_settings = plot::readPlotSettings(texts, checks.grid);
    m_drawn.reset();
    const auto in = session.readForGraph(texts);
    // Settings that cannot be drawn leave the picture cleared; drawing them
    // would never end. A study that cannot be read was told by the session.
    const auto refusal =
        in ? plot::plotRefusal(m_settings, in->derivativeOrder, plot::kPictureWidth, plot::kPictureHeight)
           : std::nullopt;
    if (!in || refusal) {
        m_current = false;  // nothing was drawn
        m_picture.update();
        return refusal;
    }
    auto f = session.functionOf(session.study().equation);
    // The decorations are shown before the curve; only a repaint, so no command
    // can start inside the drawing (one asked for now runs after it).
    const plot::GraphOutcome out = plot::drawGraph(m_picture.image(), f, request(*in, m_settings, texts, checks),
                                                   session.factorials(), [this] { m_picture.repaint(); });
    m_order = in->derivativeOrder;
    m_drawn = Drawn{out.map, {m_settings.windowLx, m_settings.windowGx, m_settings.windowLy, m_settings.windowGy}};
    session.graphDrawn(out.currentX, out.error);
    m_foreColor = out.foreColor;
    m_picture.update();
    return std::nullopt;
}

std::optional<QImage> GraphPanel::image(session::StudySession& session, const record::FieldTexts& texts,
                                        const GraphChecks& checks)
{
    if (m_current)
        return m_picture.image();
    const auto hush = session.hush();  // nothing of this drawing is told
    const auto in = session.readForGraph(texts, /*quiet=*/true);
    if (!in)
        return std::nullopt;
    const plot::PlotSettings settings = plot::readPlotSettings(texts, checks.grid);
    if (!plot::plotAccepted(settings, in->derivativeOrder, plot::kPictureWidth, plot::kPictureHeight))
        return std::nullopt;
    QImage image(plot::kPictureWidth, plot::kPictureHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    auto f = session.functionOf(in->equation);
    plot::drawGraph(image, f, request(*in, settings, texts, checks), session.factorials(), {});
    return image;
}

QString GraphPanel::tipAt(QPoint pixel) const
{
    if (!m_drawn)
        return {};
    const float x = static_cast<float>(m_drawn->map.worldX(pixel.x()));
    const float y = static_cast<float>(m_drawn->map.worldY(pixel.y()));
    return QStringLiteral("(%1, %2): Click to center graph here")
        .arg(QString::fromStdString(common::singleNumberText(x)), QString::fromStdString(common::singleNumberText(y)));
}

std::optional<plot::PlotWindow> GraphPanel::centredAt(QPoint pixel) const
{
    if (!m_drawn)
        return std::nullopt;
    const float x = static_cast<float>(m_drawn->map.worldX(pixel.x()));
    const float y = static_cast<float>(m_drawn->map.worldY(pixel.y()));
    return plot::centredWindow(m_drawn->window, x, y);
}

}  // namespace tessaly::app
