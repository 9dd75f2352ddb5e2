// The curve's samples computed ahead in blocks draw the same picture, and leave
// the same outcome and extension object, as samples asked one at a time.

#include <QImage>

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string>

#include "engine/class1.h"
#include "engine/engine.h"
#include "engine/evaluation.h"
#include "numeric/studyfunction.h"
#include "plot/graphdriver.h"
#include "plot/graphwindow.h"
#include "record/fieldreading.h"

using namespace tessaly;

namespace {

// f as it is asked without computing ahead: it has no tabulate of its own.
class OneAtATime final : public numeric::StudyFunction {
public:
    explicit OneAtATime(numeric::StudyFunction& f) : m_f(f) {}
    engine::FunctionValue at(double x) override { return m_f.at(x); }
    std::int32_t trapped(std::int32_t raised) override { return m_f.trapped(raised); }

private:
    numeric::StudyFunction& m_f;
};

struct Drawn {
    QImage image{plot::kPictureWidth, plot::kPictureHeight, QImage::Format_RGB32};
    plot::GraphOutcome outcome;
    std::int32_t ierr = 0;
    double objectX = 0;
};

Drawn draw(const std::string& text, int order, bool oneAtATime)
{
    engine::Class1 object;
    engine::Engine engine;
    engine::prepareWindowEngine(engine, object);
    plot::GraphRequest request;
    record::readStudyInputs(record::defaultTexts(), request.study);
    request.study.equation = text;
    request.study.derivativeOrder = order;
    request.plot = plot::readPlotSettings(record::defaultTexts(), true);
    Drawn d;
    d.image.fill(Qt::white);
    numeric::EngineFunction f(engine, object, text);
    OneAtATime one(f);
    numeric::StudyFunction& used = oneAtATime ? static_cast<numeric::StudyFunction&>(one) : f;
    d.outcome = plot::drawGraph(d.image, used, request, numeric::factorialTable(), {});
    d.ierr = object.ierr;
    d.objectX = object.x;
    return d;
}

// Whole curves, gaps where f fails at samples (a pole, a square root of
// negatives, the extension object's Atanh beyond 1) and a curve a failure ends
// (13, a text that is not a number, at the first sample).
TEST(GraphSamples, TheSameInBlocksAsOneAtATime)
{
    for (const std::string text :
         {"pi/3*x*sin(x)*tanh(x)", "1/(x-1)", "Sqr(x)*3", "Atanh(x/10)", "x^3/50-x", "x & \"a\""}) {
        for (const int order : {0, 1}) {
            const Drawn blocks = draw(text, order, false), one = draw(text, order, true);
            EXPECT_TRUE(blocks.image == one.image) << text << " order " << order;
            EXPECT_EQ(blocks.outcome.error, one.outcome.error) << text;
            EXPECT_EQ(std::bit_cast<std::uint64_t>(blocks.outcome.currentX),
                      std::bit_cast<std::uint64_t>(one.outcome.currentX))
                << text;
            EXPECT_EQ(std::bit_cast<std::uint64_t>(blocks.outcome.currentValue),
                      std::bit_cast<std::uint64_t>(one.outcome.currentValue))
                << text;
            EXPECT_EQ(blocks.ierr, one.ierr) << text;
            EXPECT_EQ(blocks.objectX, one.objectX) << text;
        }
    }
}

}  // namespace
