#pragma once

#include <QPageLayout>
#include <QString>

#include <cstdint>
#include <string>
#include <vector>

#include "docs/graphfile.h"
#include "docs/studyfile.h"
#include "numeric/extremafinder.h"
#include "record/studyrecord.h"
#include "session/studysession.h"

class QPagedPaintDevice;

namespace tessaly::docs {

// An extremum as the report shows it: its position and f there, or the number
// of the error that f raised.
using ReportExtremum = numeric::Height;

// What the printed report shows: the graph when it is current (drawn on the
// page as the reference picture, smooth) and the order of the derivative it
// shows, the fields' texts as typed, the constants, and the results with the
// error bound that marks an extremum as a possible root.
struct ReportInput {
    GraphPaint graph;
    std::int32_t graphOrder = 0;
    record::FieldTexts texts;
    std::vector<std::string> constants;
    bool integralValid = false;
    double integralValue = 0;
    std::vector<double> roots;
    std::vector<ReportExtremum> maxima;
    std::vector<ReportExtremum> minima;
    double errorBoundValue = 0;
    // How far the results can be trusted: a line under each result (none for
    // results read from a file), then the warnings.
    std::optional<std::string> integralNote;
    std::vector<std::string> rootNotes, maximumNotes, minimumNotes;
    std::vector<std::string> warnings;
};

// Adds the bounds a session keeps to a report: each root's, each extremum's
// (matched to the maxima and minima in their order) and the integral's, and
// the warnings.
void addTrust(ReportInput& in, const session::Trust& trust);

// The report of a study from its fields' texts as typed, its constants and its
// results; f gives the heights of the extrema, and |f| within errorBound marks
// a possible root. No graph: the caller adds it when it is current.
ReportInput reportInputOf(const record::FieldTexts& texts, std::vector<std::string> constants,
                          const StudyResults& results, numeric::StudyFunction& f, double errorBound);

// The report of the study a session holds, from its fields' texts as typed and
// its constants as listed, with the bounds the session keeps. No graph.
ReportInput sessionReport(session::StudySession& session, const record::FieldTexts& typed,
                          std::vector<std::string> listed);

// A piece of a report line, black or red.
struct ReportSpan {
    std::string text;
    bool red = false;
    bool operator==(const ReportSpan&) const = default;
};
using ReportLine = std::vector<ReportSpan>;

// A number as the report prints it: its sign ("-", or a blank for zero and
// positive numbers), its number text, and a blank.
std::string reportNumber(double v);

// The caption under the graph: "Plot of Function", or "Plot of derivative #"
// and the order as a number.
std::string reportCaption(std::int32_t order);

// The report's lines after the graph and its caption: the function, the
// constants, the study settings, the integral, the roots, the maxima and minima
// (a red "***POSSIBLE ROOT" after those where |f| <= the error bound), the plot
// setup. Sections with nothing to show are left out.
std::vector<ReportLine> reportLines(const ReportInput& in);

// The report's lines cut to at most `columns` characters each (a longer line
// continues on the next).
std::vector<ReportLine> wrapLines(const std::vector<ReportLine>& lines, int columns);

// Paints the report on a paged device in "Courier New": the graph at the top
// left of the first page (6000 by 4500 twentieths of a point), drawn in vectors
// at the page's resolution, the caption under it, then the lines, wrapped at the
// printable width, continuing on new pages.
// False with the reason when the device cannot be painted.
bool paintReport(QPagedPaintDevice& device, const ReportInput& in, QString* reason);

// Writes the report as a PDF file whole or not at all, with the given page layout.
bool writeReportPdf(const QString& path, const QPageLayout& layout, const ReportInput& in, QString* reason);

}  // namespace tessaly::docs
