#pragma once

#include <QImage>
#include <QPoint>
#include <QString>

#include <cstdint>
#include <optional>
#include <string_view>

#include "plot/graphdriver.h"
#include "plot/plotsettings.h"
#include "plot/scalemap.h"
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
// plot's working values, the scale and window of the graph drawn, the order it
// shows, the picture's text colour, whether it is current). Draws the study's
// graph, erases it, draws it off screen, and maps the pointer to the world.
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
    // scale stays, for nothing: the pointer needs a drawing to map).
    void erase();
    // The graph of the study the fields hold, as plot() draws it: the picture
    // while it is current, otherwise drawn off screen without changing anything
    // shown; nothing when plot() would draw nothing. Nothing of it is told.
    std::optional<QImage> image(session::StudySession& session, const record::FieldTexts& texts,
                                const GraphChecks& checks);

    bool current() const { return m_current; }
    const plot::PlotSettings& settings() const { return m_settings; }
    std::int32_t order() const { return m_order; }  // the derivative order the graph shows
    QImage& picture();

    // The pointer's tool tip over a pixel ("(x, y): Click to center graph
    // here"), empty without a drawing; the window centred on a pixel, nothing
    // without a drawing or when the window cannot be centred there.
    QString tipAt(QPoint pixel) const;
    std::optional<plot::PlotWindow> centredAt(QPoint pixel) const;

private:
    plot::GraphRequest request(const numeric::StudyInputs& in, const plot::PlotSettings& settings,
                               const record::FieldTexts& texts, const GraphChecks& checks) const;

    PictureView& m_picture;
    plot::PlotSettings m_settings;
    // The last graph drawn: its scale and its window. Nothing before the first
    // drawing and after a drawing was refused; erasing the graph keeps it.
    struct Drawn {
        plot::ScaleMap map;
        plot::PlotWindow window;
    };
    std::optional<Drawn> m_drawn;
    std::int32_t m_order = 0;
    QColor m_foreColor = Qt::black;  // the picture's text colour, as the last drawing left it
    bool m_current = false;
};

}  // namespace tessaly::app
