#include "cli/resultoutput.h"

#include "cli/cli.h"
#include "cli/session.h"

namespace tessaly::cli {
namespace {

// A line of CSV or TSV. The values are numbers, truth values and words, which
// hold no separator, quote or line end, and so need no quoting.
void writeLine(const std::vector<std::string>& cells, char separator, std::ostream& out)
{
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0)
            out << separator;
        out << cells[i];
    }
    out << "\n";
}

Json::Array texts(const std::vector<std::string>& lines) { return Json::Array(lines.begin(), lines.end()); }

Json::Array warningsOf(const CommandResult& r, const Session& session)
{
    Json::Array out;
    for (const std::string& text : session.warnings())
        out.emplace_back(Json::Object{{"kind", "input"}, {"text", text}});
    for (const numeric::Warning& w : r.warnings) {
        Json::Object fields{{"kind", std::string(numeric::warningKindName(w.kind))}, {"text", w.text}};
        if (w.x)
            fields.emplace_back("x", *w.x);
        if (w.from && w.to) {
            fields.emplace_back("from", *w.from);
            fields.emplace_back("to", *w.to);
        }
        out.emplace_back(std::move(fields));
    }
    return out;
}

Json jsonOf(const CommandResult& r, const Session& session)
{
    Json::Array results;
    for (const auto& values : r.results) {
        Json::Object fields;
        for (std::size_t i = 0; i < r.columns.size() && i < values.size(); ++i)
            fields.emplace_back(r.columns[i], values[i]);
        results.emplace_back(std::move(fields));
    }
    return Json::Object{
        {"command", r.command},
        {"rows", texts(r.rows)},
        {"label", r.label ? Json(*r.label) : Json()},
        {"error", r.error},
        {"messages", texts(session.messages())},
        {"results", std::move(results)},
        {"warnings", warningsOf(r, session)},
    };
}

}  // namespace

KnownOption formatOption()
{
    return {"--format", false, OptionValue::Choice, "text|csv|tsv|json", "how the results are written", "text"};
}

int writeResult(const CommandResult& result, const ParsedArgs& args, Session& session, std::ostream& out)
{
    const std::string format = args.value("--format").value_or("text");
    if (format == "json") {
        out << jsonOf(result, session).text() << "\n";
    } else if (format == "csv" || format == "tsv") {
        const char separator = format == "csv" ? ',' : '\t';
        writeLine(result.columns, separator, out);
        for (const auto& values : result.results) {
            std::vector<std::string> cells;
            for (const Json& v : values)
                cells.push_back(v.cellText());
            writeLine(cells, separator, out);
        }
    } else {
        for (const auto& row : result.rows)
            out << row << "\n";
        if (result.label)
            out << *result.label << "\n";
    }
    return result.error ? session.failed(result.error) : kExitOk;
}

}  // namespace tessaly::cli
