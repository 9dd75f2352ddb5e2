#pragma once

#include <QImage>
#include <QPoint>
#include <QString>

#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>

#include "docs/graphfile.h"
#include "docs/report.h"
#include "plot/graphdriver.h"
#include "plot/plotsettings.h"
#include "plot/windowcommand.h"
#include "record/studyrecord.h"
#include "session/studysession.h"

namespace tessaly::app {

class PictureView;

// The check boxes that change a drawing: grid, shading, window and division labels.
struct GraphChecks {
    bool grid = true;
    bool shade = true;
    bool labelWindow = true;
    bool labelDivisions = true;
};

// The main window's graph: the picture and what its last drawing left (the
// plot's working values, the window of the graph drawn, the order it shows, the
// picture's text colour, the drawing itself while it is current). Draws the
// study's graph at the picture's size, draws it again when that size changes,
// erases it, draws it elsewhere (a file, the clipboard, a page) and maps the
// pointer to the world.
class GraphPanel {
public:
    explicit GraphPanel(PictureView& picture) : m_picture(picture) {}

    // Plot, once the picture was erased: reads the plot fields and draws the
    // study's graph (the decorations shown before the curve). Nothing is drawn,
    // and the graph is not current, when the study cannot be read or the
    // settings cannot be drawn; then it returns why, when it is the settings.
    std::optional<std::string_view> plot(session::StudySession& session, const record::FieldTexts& texts,
                                         const GraphChecks& checks);
    // Erases the picture: the graph is no longer current (the last drawing's
    // window stays, for nothing: the pointer needs a drawing to map).
    void erase();
    // Once the picture's size or device pixel ratio has changed: the picture at
    // the new size, the current graph drawn again as the last Plot drew it
    // (nothing of it told, the working values left as they are), otherwise
    // blank. The pointer maps to the new size.
    void redraw(session::StudySession& session);

    // The graph of the study the fields hold, as plot() draws it, for drawing at
    // any size: the current graph, otherwise drawn from the fields as they are
    // now; nothing when plot() would draw nothing. Nothing of it is told.
    std::optional<docs::GraphPaint> drawing(session::StudySession& session, const record::FieldTexts& texts,
                                            const GraphChecks& checks);
    // The current graph for drawing at any size; nothing when it is not current.
    std::optional<docs::GraphPaint> currentDrawing(session::StudySession& session) const;
    // Writes drawing() to a file as its name's ending says: PNG or BMP at
    // bitmapSize, SVG or PDF at the picture's size as shown. The message to
    // show when the name has no such ending, the graph cannot be drawn or the
    // file cannot be written; nothing when it was written.
    std::optional<QString> exportTo(session::StudySession& session, const record::FieldTexts& texts,
                                    const GraphChecks& checks, const QString& path, QSize bitmapSize);
    // A report shows the graph while it is current, with the order it shows.
    void addToReport(docs::ReportInput& report, session::StudySession& session) const;
    // Puts the picture on the clipboard as shown and, while the graph is
    // current, the same graph as an SVG drawing.
    void copyToClipboard(session::StudySession& session) const;
    // The study's bitmap: drawing() on the reference picture, pixel-exact.
    std::optional<QImage> image(session::StudySession& session, const record::FieldTexts& texts,
                                const GraphChecks& checks);

    bool current() const { return m_request.has_value(); }
    const plot::PlotSettings& settings() const { return m_settings; }
    std::int32_t order() const { return m_order; }  // the derivative order the graph shows
    // The picture as shown, and its size in pixels.
    const QImage& picture() const;
    QSize drawnSize() const;

    // The pointer's tool tip over a pixel of the picture as drawn ("(x, y):
    // Click to center graph here"), empty without a drawing; the window centred
    // on a pixel, nothing without a drawing or when the window cannot be
    // centred there.
    QString tipAt(QPoint pixel) const;
    std::optional<plot::PlotWindow> centredAt(QPoint pixel) const;

private:
    plot::GraphRequest request(const numeric::StudyInputs& in, const plot::PlotSettings& settings,
                               const record::FieldTexts& texts, const GraphChecks& checks) const;
    // The world position of a pixel of the picture as drawn, in single precision.
    std::optional<std::pair<float, float>> worldAt(QPoint pixel) const;

    PictureView& m_picture;
    plot::PlotSettings m_settings;
    // The window of the last graph drawn. Nothing before the first drawing and
    // after a drawing was refused; erasing the graph keeps it.
    std::optional<plot::PlotWindow> m_drawnWindow;
    // What the current graph was drawn from; nothing while it is not current.
    std::optional<plot::GraphRequest> m_request;
    std::int32_t m_order = 0;
    QColor m_foreColor = Qt::black;  // the picture's text colour, as the last drawing left it
};

}  // namespace tessaly::app
