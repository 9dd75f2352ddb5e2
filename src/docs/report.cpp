#include "docs/report.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <cmath>

#include "common/numbertext.h"
#include "docs/textfile.h"
#include "numeric/studyfunction.h"

namespace tessaly::docs {
namespace {

// The graph's size on paper, in inches.
constexpr double kGraphWidthInches = 6000.0 / 1440;
constexpr double kGraphHeightInches = 4500.0 / 1440;
// The report's face and size.
constexpr const char* kFace = "Courier New";
constexpr int kPointSize = 10;

ReportLine text(std::string s) { return {ReportSpan{std::move(s)}}; }

// "[a,b]" after a label, as the report prints a pair of fields.
ReportLine pair(const char* label, const std::string& a, const std::string& b)
{
    std::string s = label;
    s += '[';
    s += a;
    s += ',';
    s += b;
    s += ']';
    return text(std::move(s));
}

// A result's bound on the line under it, when there is one.
void note(std::vector<ReportLine>& out, const std::vector<std::string>& notes, std::size_t k)
{
    if (k < notes.size())
        out.push_back(text("    " + notes[k]));
}

void extremaSection(std::vector<ReportLine>& out, const char* title, const std::vector<ReportExtremum>& list,
                    double errorBound, const std::vector<std::string>& notes)
{
    if (list.empty())
        return;
    out.push_back(text(""));
    out.push_back(text(title));
    std::size_t k = 0;
    for (const auto& e : list) {
        std::string s = "[";
        s += reportNumber(e.x);
        s += ',';
        if (e.error) {
            s += " error ";
            s += std::to_string(e.error);
            s += ' ';
        } else {
            s += reportNumber(e.y);
        }
        s += ']';
        ReportLine line = text(std::move(s));
        if (!e.error && std::fabs(e.y) <= errorBound)
            line.push_back({"***POSSIBLE ROOT", true});
        out.push_back(std::move(line));
        note(out, notes, k++);
    }
}

int lineLength(const ReportLine& line)
{
    int n = 0;
    for (const auto& span : line)
        n += static_cast<int>(QString::fromStdString(span.text).size());
    return n;
}

}  // namespace

ReportInput sessionReport(session::StudySession& session, const record::FieldTexts& typed,
                          std::vector<std::string> listed)
{
    auto f = session.functionOf(typed.equation);
    session.extension().ierr = 0;
    ReportInput in = reportInputOf(typed, std::move(listed), session.results(), f, session.study().errorBound);
    addTrust(in, session.trust());
    return in;
}

ReportInput reportInputOf(const record::FieldTexts& texts, std::vector<std::string> constants,
                          const StudyResults& results, numeric::StudyFunction& f, double errorBound)
{
    ReportInput in;
    in.texts = texts;
    in.constants = std::move(constants);
    in.integralValid = results.integralValid;
    in.integralValue = results.integralValue;
    in.roots = results.roots;
    in.maxima = numeric::heightsAt(f, results.maxima);
    in.minima = numeric::heightsAt(f, results.minima);
    in.errorBoundValue = errorBound;
    return in;
}

void addTrust(ReportInput& in, const session::Trust& trust)
{
    // Short enough for one line of the page.
    auto pm = [](double v) { return "\u00b1 " + common::numberText(v); };
    for (const auto& b : trust.roots)
        in.rootNotes.push_back(b.certified ? pm(std::fmax(b.x - b.lo, b.hi - b.x)) + " (certified by a sign change)"
                                           : std::string("(not certified: no sign change found)"));
    for (const auto& b : trust.extrema)
        (b.maximum ? in.maximumNotes : in.minimumNotes)
            .push_back(pm(b.e) + ", height " + pm(b.heightUncertainty)
                       + (b.certified ? " (certified)" : " (not certified)"));
    if (trust.integral && in.integralValid)
        in.integralNote = pm(trust.integral->errorEstimate) + " (estimated)";
    for (const auto& w : trust.warnings())
        in.warnings.push_back(w.text);
}

std::string reportNumber(double v)
{
    std::string s = v < 0 ? "" : " ";
    s += common::numberText(v);
    s += ' ';
    return s;
}

std::string reportCaption(std::int32_t order)
{
    if (order == 0)
        return "Plot of Function";
    std::string s = "Plot of derivative #";
    s += reportNumber(order);
    return s;
}

std::vector<ReportLine> reportLines(const ReportInput& in)
{
    using namespace record;
    const FieldTexts& t = in.texts;
    std::vector<ReportLine> out;
    out.push_back(text(""));
    out.push_back(text("FUNCTION:"));
    out.push_back(text(t.equation));
    out.push_back(text(""));
    if (!in.constants.empty()) {
        out.push_back(text("CONSTANTS:"));
        for (const auto& c : in.constants)
            out.push_back(text(c));
        out.push_back(text(""));
    }
    out.push_back(pair("    INTERVAL STUDIED: ", t[Lower], t[Upper]));
    out.push_back(text("   # OF SUBINTERVALS: " + t[Subintervals]));
    out.push_back(text("MAX. # OF ITERATIONS: " + t[MaxIterations]));
    out.push_back(text("       MAXIMUM ERROR: " + t[ErrorBound]));
    if (in.integralValid) {
        out.push_back(text(""));
        out.push_back(text("INTEGRAL= " + reportNumber(in.integralValue)));
        if (in.integralNote)
            out.push_back(text("    " + *in.integralNote));
    }
    if (!in.roots.empty()) {
        out.push_back(text(""));
        out.push_back(text("ROOTS:"));
        for (std::size_t k = 0; k < in.roots.size(); ++k) {
            out.push_back(text(reportNumber(in.roots[k])));
            note(out, in.rootNotes, k);
        }
    }
    extremaSection(out, "MAXIMA:", in.maxima, in.errorBoundValue, in.maximumNotes);
    extremaSection(out, "MINIMA:", in.minima, in.errorBoundValue, in.minimumNotes);
    if (!in.warnings.empty()) {
        out.push_back(text(""));
        out.push_back(text("WARNINGS:"));
        for (const auto& w : in.warnings)
            out.push_back(text(w));
    }
    out.push_back(text(""));
    out.push_back(text("PLOT SETUP:"));
    out.push_back(text(""));
    out.push_back(pair("     AXES: ", t[OriginX], t[OriginY]));
    out.push_back(pair("DIVISIONS: ", t[DivisionX], t[DivisionY]));
    out.push_back(pair(" X-WINDOW: ", t[WindowLx], t[WindowGx]));
    out.push_back(pair(" Y-WINDOW: ", t[WindowLy], t[WindowGy]));
    return out;
}

std::vector<ReportLine> wrapLines(const std::vector<ReportLine>& lines, int columns)
{
    if (columns < 1)
        columns = 1;
    std::vector<ReportLine> out;
    for (const auto& line : lines) {
        if (lineLength(line) <= columns) {
            out.push_back(line);
            continue;
        }
        ReportLine current;
        int used = 0;
        for (const auto& span : line) {
            QString rest = QString::fromStdString(span.text);
            while (!rest.isEmpty()) {
                if (used == columns) {
                    out.push_back(std::move(current));
                    current.clear();
                    used = 0;
                }
                const auto take = std::min<qsizetype>(rest.size(), columns - used);
                current.push_back({rest.left(take).toStdString(), span.red});
                used += static_cast<int>(take);
                rest.remove(0, take);
            }
        }
        if (!current.empty())
            out.push_back(std::move(current));
    }
    return out;
}

bool paintReport(QPagedPaintDevice& device, const ReportInput& in, QString* reason)
{
    QPainter painter;
    if (!painter.begin(&device)) {
        if (reason)
            *reason = QStringLiteral("the printer cannot be used");
        return false;
    }
    QFont font(QString::fromLatin1(kFace), kPointSize);
    font.setStyleHint(QFont::TypeWriter);
    painter.setFont(font);
    const QFontMetricsF metrics(font, &device);
    const double pageWidth = device.width();
    const double pageHeight = device.height();
    const double lineHeight = metrics.lineSpacing();
    // Characters per line, at least 1 and never a cast of a value beyond int
    // (a font without width, a page of no size).
    const double perLine = pageWidth / metrics.horizontalAdvance(QLatin1Char('M'));
    const int columns = perLine >= 1 && perLine < 10000 ? static_cast<int>(perLine) : perLine >= 10000 ? 10000 : 1;

    double y = 0;
    std::vector<ReportLine> lines;
    if (in.graph) {
        const QRectF box(0, 0, kGraphWidthInches * device.logicalDpiX(), kGraphHeightInches * device.logicalDpiY());
        painter.save();
        painter.scale(box.width() / plot::kPictureWidth, box.height() / plot::kPictureHeight);
        in.graph(painter, plot::Surface{plot::kPictureWidth, plot::kPictureHeight, false});
        painter.restore();
        y = box.height();
        lines.push_back(text(reportCaption(in.graphOrder)));
    }
    for (auto& line : reportLines(in))
        lines.push_back(std::move(line));

    for (const auto& line : wrapLines(lines, columns)) {
        if (y + lineHeight > pageHeight && y > 0) {
            if (!device.newPage()) {
                if (reason)
                    *reason = QStringLiteral("a new page could not be started");
                painter.end();
                return false;
            }
            y = 0;
        }
        double x = 0;
        for (const auto& span : line) {
            const QString s = QString::fromStdString(span.text);
            painter.setPen(span.red ? QColor(255, 0, 0) : QColor(0, 0, 0));
            painter.drawText(QPointF(x, y + metrics.ascent()), s);
            x += metrics.horizontalAdvance(s);
        }
        y += lineHeight;
    }
    if (!painter.end()) {
        if (reason)
            *reason = QStringLiteral("the report could not be finished");
        return false;
    }
    return true;
}

bool writeReportPdf(const QString& path, const QPageLayout& layout, const ReportInput& in, QString* reason)
{
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageLayout(layout);
        writer.setCreator(QStringLiteral("Tessaly"));
        if (!paintReport(writer, in, reason))
            return false;
    }
    return writeFileAtomically(path, bytes.toStdString(), reason);
}

}  // namespace tessaly::docs
