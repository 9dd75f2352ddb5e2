#include "numeric/studyfunction.h"

#include <algorithm>

namespace tessaly::numeric {
namespace {

// f in an engine and extension object of its own, set up as a copy of another
// engine's state (see EngineFunction::twin).
class EngineTwin final : public StudyFunction {
public:
    EngineTwin(const engine::Engine& engine, const engine::Class1& object, std::string_view text) : m_text(text)
    {
        m_engine.addObject(m_object);
        m_engine.copyVariablesFrom(engine);
        m_object.pi = object.pi;
        m_object.halfpi = object.halfpi;
        m_object.e = object.e;
    }
    engine::FunctionValue at(double x) override { return m_function.at(x); }
    std::int32_t trapped(std::int32_t raised) override { return engine::trappedError(raised, m_object); }
    // The block's open values are evaluated here too: whatever that does stays
    // in this engine and object, which nothing else reads. Only the values that
    // succeed are told.
    void tabulate(const double* xs, std::size_t n, double* values, std::uint8_t* known) override
    {
        m_function.tabulate(xs, n, values, known);
        for (std::size_t i = 0; i < n; ++i) {
            if (!known[i]) {
                const engine::FunctionValue v = m_function.at(xs[i]);
                values[i] = v.value;
                known[i] = v.error == 0;
            }
        }
    }

private:
    engine::Class1 m_object;
    engine::Engine m_engine;
    const std::string m_text;
    engine::FunctionEvaluator m_function{m_engine, m_object, m_text};
};

}  // namespace

void StudyFunction::tabulate(const double*, std::size_t n, double*, std::uint8_t* known)
{
    std::fill(known, known + n, std::uint8_t{0});
}

EngineFunction::EngineFunction(engine::Engine& engine, engine::Class1& object, const std::string& text)
    : m_engine(engine), m_function(engine, object, text), m_object(object)
{
}

std::int32_t EngineFunction::trapped(std::int32_t raised) { return engine::trappedError(raised, m_object); }

// Why a twin gives the values f gives: a value of f depends only on x, on the
// values of the engine's variables and of the object's pi, halfpi and e (ierr
// is cleared before each value), and on the text. The twin compiles the same
// text and starts from a copy of all of these, taken after the user constants
// ran on f's engine. An expression cannot assign (in f, "a = 3" is a
// comparison), and neither can the extension functions, which only store
// failures in ierr; so no value of f, in any engine, changes any of them, and
// both engines keep the state of the moment of the copy while a command runs
// (the command itself runs no statement). The same program on the same values
// then computes the same bits; a failure is left to f itself, in its turn.
std::unique_ptr<StudyFunction> EngineFunction::twin() const
{
    return std::make_unique<EngineTwin>(m_engine, m_object, m_function.text());
}

}  // namespace tessaly::numeric
