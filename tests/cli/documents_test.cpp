// Study files, the report and the graph files on the command line.

#include <QImage>
#include <QPointF>
#include <QString>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace fs = std::filesystem;

namespace {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome run(const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    const int status = tessaly::cli::runCli(args, out, err);
    return {status, out.str(), err.str()};
}

std::string readAll(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// What a shell command writes on its standard output; it must succeed.
std::string shellOutput(const std::string& command)
{
    std::string text;
    if (FILE* p = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, p)) > 0;)
            text.append(buffer, n);
        EXPECT_EQ(pclose(p), 0) << command;
    }
    return text;
}

// The images of a PDF file as pdfimages lists them, one line each (after its two header lines).
int pdfImageCount(const std::string& pdf)
{
    const std::string list = shellOutput("pdfimages -list '" + pdf + "'");
    return static_cast<int>(std::count(list.begin(), list.end(), '\n')) - 2;
}

class CliDocuments : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path()
              / ("tessaly_cli_docs_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed())
                 + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string path(const char* name) const { return (dir / name).string(); }
    fs::path dir;
};

TEST_F(CliDocuments, SaveRunsTheFourCommandsAndWritesTheStudyAndItsBitmap)
{
    const Outcome saved = run({"save", "-o", path("s.txt"), "--function", "x-a", "--constant", "a=0.5", "--lower", "0",
                               "--upper", "1", "--subintervals", "2", "--window-lx", "-2.5"});
    EXPECT_EQ(saved.status, 0) << saved.err;
    EXPECT_EQ(saved.out, "");
    EXPECT_EQ(readAll(path("s.txt")),
              "\"Tessaly\"\r\n\"x-a\",0,1,2,0.01,20,#TRUE#,1,0,0,0\r\n-2.5,20,-15,15,1,0,0,1,1\r\n1\r\n\"a=0."
              "5\"\r\n0\r\n0.5\r\n");

    // The bitmap is the picture the plot command draws for the same study.
    ASSERT_EQ(run({"plot", "-o", path("p.bmp"), "--study", path("s.txt")}).status, 0);
    const QImage bitmap(QString::fromStdString(path("s.txt.bmp")));
    ASSERT_FALSE(bitmap.isNull());
    EXPECT_EQ(bitmap, QImage(QString::fromStdString(path("p.bmp"))));
    EXPECT_EQ(readAll(path("s.txt.bmp"))[28], 24) << "24 bits per pixel";
}

TEST_F(CliDocuments, TheStudyOptionStartsFromASavedStudy)
{
    ASSERT_EQ(run({"save", "-o", path("s.txt"), "--function", "x*x-a", "--constant", "a=2", "--lower", "0"}).status, 0);
    const Outcome roots = run({"roots", "--study", path("s.txt")});
    EXPECT_EQ(roots.status, 0);
    EXPECT_EQ(roots.out, run({"roots", "--function", "x*x-a", "--constant", "a=2", "--lower", "0"}).out);
    EXPECT_TRUE(roots.out.ends_with("\n1 roots\n")) << roots.out;
    const Outcome over = run({"value", "--study", path("s.txt"), "--constant", "a=3", "--x", "2"});
    EXPECT_EQ(over.out, "1\n") << "options and constants go on top of the study";

    struct Row {
        std::vector<std::string> args;
        int status;
        std::string err;
    };
    const std::string missing = path("missing.txt");
    std::ofstream(path("notes.txt")) << "some notes\n";
    const Row rows[] = {
        {{"roots", "--study", missing}, 1, "message: Cannot open " + missing + ": No such file or directory\n"},
        {{"plot", "-o", path("g.png"), "--study", path("notes.txt")},
         1,
         "message: Incompatible file\nmessage: line 1: \"some notes\" is not \"Tessaly\"\n"},
        {{"report", "-o", path("r.pdf"), "--study", path("notes.txt")},
         1,
         "message: Incompatible file\nmessage: line 1: \"some notes\" is not \"Tessaly\"\n"},
        {{"save", "-o", path("t.txt"), "--study", missing},
         1,
         "message: Cannot open " + missing + ": No such file or directory\n"},
    };
    for (const auto& row : rows) {
        const Outcome r = run(row.args);
        EXPECT_EQ(r.status, row.status) << row.args[0];
        EXPECT_EQ(r.out, "") << row.args[0];
        EXPECT_EQ(r.err, row.err) << row.args[0];
    }
    EXPECT_FALSE(fs::exists(path("g.png")));
    EXPECT_FALSE(fs::exists(path("r.pdf")));
    EXPECT_FALSE(fs::exists(path("t.txt")));

    const Outcome both = run({"roots", "--study", path("s.txt"), "--settings", path("s.txt")});
    EXPECT_EQ(both.status, 2);
    EXPECT_EQ(both.err, "tessaly-cli: --study and --settings cannot be given together\nTry 'tessaly-cli --help'.\n");
}

TEST_F(CliDocuments, ASaveThatCannotBeWrittenSaysWhyAndLeavesNothing)
{
    const Outcome refused = run({"save", "-o", path("s.txt"), "--subintervals", "3E+09"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(
        refused.err.ends_with("message: The value of # of subintervals is out of range; the study was not saved.\n"))
        << refused.err;
    std::ofstream(path("plain")) << "a file";
    const Outcome failed = run({"save", "-o", path("plain") + "/s.txt"});
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.err,
              "message: Could not save " + path("plain") + "/s.txt: " + path("plain") + " is not a folder\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1) << "only the plain file";
}

TEST_F(CliDocuments, FileNamesThatAreNotUtf8AreKeptAsTheirBytes)
{
    const std::string name = path("\xff\xfe.txt");
    ASSERT_EQ(run({"save", "-o", name, "--function", "x-2"}).status, 0);
    EXPECT_TRUE(fs::exists(name)) << "the very bytes, not replacement characters";
    EXPECT_TRUE(fs::exists(name + ".bmp"));
    EXPECT_EQ(run({"roots", "--study", name}).out, "2\n1 roots\n");
    fs::remove(name);
    const Outcome missing = run({"roots", "--study", name});
    EXPECT_EQ(missing.err,
              "message: Cannot open " + path("\xef\xbf\xbd\xef\xbf\xbd.txt") + ": No such file or directory\n");
}

TEST_F(CliDocuments, AnOutputFolderThatDoesNotExistIsNeverCreated)
{
    const std::string folder = path("none");
    const struct {
        std::vector<std::string> args;
        std::string err;
    } rows[] = {
        {{"plot", "-o", folder + "/g.png"},
         "message: Could not save " + folder + "/g.png: the folder " + folder + " does not exist\n"},
        {{"save", "-o", folder + "/s.txt"},
         "message: Could not save " + folder + "/s.txt: the folder " + folder + " does not exist\n"},
        {{"report", "-o", folder + "/r.pdf"}, "message: Could not print: the folder " + folder + " does not exist\n"},
    };
    for (const auto& row : rows) {
        const Outcome r = run(row.args);
        EXPECT_EQ(r.status, 1) << row.args[0];
        EXPECT_EQ(r.err, row.err) << row.args[0];
        EXPECT_FALSE(fs::exists(folder)) << row.args[0];
    }
}

TEST_F(CliDocuments, TheReportIsThePrintedReportOfTheOpenedStudy)
{
    ASSERT_EQ(run({"save", "-o", path("s.txt"), "--function", "x*x-2", "--lower", "-3", "--upper", "3"}).status, 0);
    const Outcome r = run({"report", "--study", path("s.txt"), "-o", path("r.pdf")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");

    const std::string text = shellOutput("pdftotext -layout '" + path("r.pdf") + "' -");
    const std::string roots = run({"roots", "--function", "x*x-2", "--lower", "-3", "--upper", "3"}).out;
    const std::string firstRoot = roots.substr(0, roots.find('\n'));
    ASSERT_TRUE(firstRoot.starts_with("-1.41")) << roots;
    for (const std::string line :
         {"Plot of Function", "FUNCTION:", "x*x-2", "    INTERVAL STUDIED: [-3,3]", "       MAXIMUM ERROR: .01",
          "ROOTS:", firstRoot.c_str(), "MINIMA:", "PLOT SETUP:", " Y-WINDOW: [-15,15]"})
        EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;

    EXPECT_EQ(run({"report", "-o", path("r.txt")}).status, 2);
    EXPECT_EQ(run({"report"}).status, 2);
    EXPECT_EQ(pdfImageCount(path("r.pdf")), 0) << "the graph is drawn in vectors, not pasted as an image";
}

TEST_F(CliDocuments, PlotWritesImagesAtTheSizeAndDensityGiven)
{
    const struct {
        std::vector<std::string> options;
        const char* file;
        QSize pixels;
    } rows[] = {
        {{}, "a.png", {400, 300}},
        {{"--size", "800x600"}, "b.png", {800, 600}},
        {{"--size", "16x12"}, "c.png", {16, 12}},
        {{"--scale", "2"}, "d.png", {800, 600}},
        {{"--size", "30x20", "--scale", "1.5"}, "e.png", {45, 30}},
        {{"--size", "123x45"}, "f.bmp", {123, 45}},
    };
    for (const auto& row : rows) {
        std::vector<std::string> args{"plot", "-o", path(row.file)};
        args.insert(args.end(), row.options.begin(), row.options.end());
        const Outcome r = run(args);
        ASSERT_EQ(r.status, 0) << row.file << ": " << r.err;
        EXPECT_EQ(QImage(QString::fromStdString(path(row.file))).size(), row.pixels) << row.file;
    }
    EXPECT_EQ(readAll(path("f.bmp"))[28], 24) << "24 bits per pixel";

    for (const char* size : {"15x12", "8001x6000", "800x600x2"}) {
        const Outcome refused = run({"plot", "-o", path("g.png"), "--size", size});
        EXPECT_EQ(refused.status, 2) << size;
        EXPECT_EQ(refused.err,
                  "tessaly-cli: --size takes WIDTHxHEIGHT in pixels, from 16x12 to 8000x6000\n"
                  "Try 'tessaly-cli --help'.\n");
    }
    EXPECT_EQ(run({"plot", "-o", path("g.png"), "--scale", "5"}).status, 2);
    EXPECT_FALSE(fs::exists(path("g.png")));
}

// The curve of an SVG drawing: the points of the one path drawn in black.
struct SvgCurve {
    int blackPaths = 0;
    int images = 0;
    QString viewBox;
    std::vector<QPointF> points;
};
SvgCurve svgCurve(const std::string& file)
{
    SvgCurve out;
    QXmlStreamReader xml(QByteArray::fromStdString(readAll(file)));
    std::vector<QString> strokes{QString()};  // the stroke of each open group
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const auto a = xml.attributes();
            if (xml.name() == QLatin1String("svg"))
                out.viewBox = a.value(QLatin1String("viewBox")).toString();
            if (xml.name() == QLatin1String("image"))
                ++out.images;
            if (xml.name() == QLatin1String("g"))
                strokes.push_back(a.hasAttribute(QLatin1String("stroke")) ? a.value(QLatin1String("stroke")).toString()
                                                                          : strokes.back());
            if (xml.name() == QLatin1String("path") && strokes.back() == QLatin1String("#000000")) {
                ++out.blackPaths;
                QString d = a.value(QLatin1String("d")).toString();
                d.replace(QLatin1Char('M'), QLatin1Char(' ')).replace(QLatin1Char('L'), QLatin1Char(' '));
                for (const QString& pair : d.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
                    const QStringList xy = pair.split(QLatin1Char(','));
                    out.points.emplace_back(xy.value(0).toDouble(), xy.value(1).toDouble());
                }
            }
        } else if (xml.isEndElement() && xml.name() == QLatin1String("g")) {
            strokes.pop_back();
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return out;
}

TEST_F(CliDocuments, PlotWritesAnSvgDrawingWhoseCurveLiesOnF)
{
    const Outcome r = run({"plot", "-o", path("g.svg"), "--size", "800x600"});
    ASSERT_EQ(r.status, 0) << r.err;
    const SvgCurve curve = svgCurve(path("g.svg"));
    EXPECT_EQ(curve.viewBox, QStringLiteral("0 0 800 600"));
    EXPECT_EQ(curve.images, 0);
    EXPECT_EQ(curve.blackPaths, 1) << "the curve is one path";
    ASSERT_GT(curve.points.size(), 350u) << "the samples inside the window, and one beyond it at each exit";
    // Each point, taken back to the world from the centre of its pixel, lies on f
    // within half a pixel.
    auto f = [](double x) { return std::atan(1.0) * 4 / 3 * x * std::sin(x) * std::tanh(x); };
    for (const QPointF& p : curve.points) {
        const double x = -20 + (p.x() - 0.5) / 800 * 40;
        const double pixelY = (15 - f(x)) / 30 * 600;
        EXPECT_NEAR(pixelY, p.y() - 0.5, 0.5) << "x = " << x;
    }
}

TEST_F(CliDocuments, PlotWritesAPdfPageOfThePicturesSize)
{
    const Outcome r = run({"plot", "-o", path("g.pdf")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(readAll(path("g.pdf")).starts_with("%PDF-"));
    EXPECT_NE(shellOutput("pdfinfo '" + path("g.pdf") + "'").find("Page size:       300 x 225 pts"), std::string::npos)
        << "400 x 300 pixels at 96 to the inch";
    EXPECT_EQ(pdfImageCount(path("g.pdf")), 0);
    EXPECT_NE(shellOutput("pdftotext '" + path("g.pdf") + "' -").find("-15"), std::string::npos)
        << "the labels are text";
}

}  // namespace
