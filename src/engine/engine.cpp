#include "engine/engine.h"

#include <algorithm>

#include "engine/class1.h"
#include "engine/lexer.h"

namespace tessaly::engine {
namespace {

constexpr std::size_t kCachedPrograms = 8;

int methodIndex(std::string_view name)
{
    static constexpr std::string_view kNames[] = {"asin", "acos", "sinh", "cosh", "tanh", "asinh", "acosh", "atanh"};
    for (int i = 0; i < 8; ++i)
        if (kNames[i] == name)
            return i;
    return -1;
}

}  // namespace

class Engine::Scope : public NameScope {
public:
    explicit Scope(Engine& engine) : m_engine(engine) {}

    Binding bind(std::string_view name) override
    {
        Binding b;
        if (const Builtin* builtin = findBuiltin(name)) {
            b.kind = Binding::Kind::Builtin;
            b.builtin = builtin;
            return b;
        }
        if (Class1* o = m_engine.m_object) {
            if (const int m = methodIndex(name); m >= 0) {
                b.kind = Binding::Kind::Method;
                b.method = m;
                return b;
            }
            double* field = name == "pi"       ? &o->pi
                            : name == "halfpi" ? &o->halfpi
                            : name == "e"      ? &o->e
                            : name == "x"      ? &o->x
                                               : nullptr;
            if (field) {
                b.kind = Binding::Kind::Field;
                b.field = field;
                return b;
            }
            if (name == "ierr") {
                b.kind = Binding::Kind::LongField;
                b.longField = &o->ierr;
                return b;
            }
        }
        auto it = m_engine.m_names.find(std::string(name));
        if (it == m_engine.m_names.end()) {
            Variable* v = &m_engine.m_variables.emplace_back();
            it = m_engine.m_names.emplace(std::string(name), v).first;
        }
        b.kind = Binding::Kind::Variable;
        b.variable = it->second;
        return b;
    }

    Class1* object() override { return m_engine.m_object; }

private:
    Engine& m_engine;
};

Engine::Engine() : m_scope(std::make_unique<Scope>(*this)) {}
Engine::~Engine() = default;

void Engine::addObject(Class1& object)
{
    m_object = &object;
    m_cache.clear();
    ++m_epoch;
}

void Engine::copyVariablesFrom(const Engine& other)
{
    for (const auto& [name, variable] : other.m_names) {
        Variable*& mine = m_names[name];
        if (mine == nullptr)
            mine = &m_variables.emplace_back();
        *mine = *variable;
    }
    m_cache.clear();
    ++m_epoch;
}

void Engine::setErrorObserver(ErrorObserver observer) { m_observer = std::move(observer); }

ScriptError Engine::errorOf(std::int32_t number, std::string_view text, std::size_t offset, bool compileError)
{
    ScriptError e;
    e.number = number;
    e.description = std::string(errorDescription(number));
    e.source = std::string(compileError ? kCompileErrorSource : kRuntimeErrorSource);
    e.line = 1;
    e.column = compileError ? columnOf(text, offset) : 0;
    e.text = compileError ? std::string(text) : std::string();
    return e;
}

std::int32_t Engine::fail(std::int32_t number, std::string_view text, std::size_t offset, bool compileError)
{
    m_lastError = errorOf(number, text, offset, compileError);
    if (m_observer)
        m_observer(m_lastError);
    return number;
}

Engine::Prepared& Engine::prepare(std::string_view text)
{
    if (!m_cache.empty() && m_cache.front()->text == text)
        return *m_cache.front();  // the usual case: the same text as last time
    for (std::size_t i = 1; i < m_cache.size(); ++i) {
        if (m_cache[i]->text == text) {
            std::rotate(m_cache.begin(), m_cache.begin() + static_cast<std::ptrdiff_t>(i),
                        m_cache.begin() + static_cast<std::ptrdiff_t>(i) + 1);
            return *m_cache.front();
        }
    }
    CompileOutcome c = compileExpression(text, *m_scope);
    if (m_cache.size() >= kCachedPrograms) {
        m_cache.pop_back();
        ++m_epoch;
    }
    auto entry = std::make_unique<Prepared>();
    entry->text = std::string(text);
    entry->program = std::move(c.program);
    entry->error = c.error;
    entry->offset = c.offset;
    m_cache.insert(m_cache.begin(), std::move(entry));
    return *m_cache.front();
}

CompileOutcome Engine::compile(std::string_view text) { return compileExpression(text, *m_scope); }

EvalResult Engine::eval(std::string_view text)
{
    Prepared& c = prepare(text);
    EvalResult r;
    if (c.error) {
        r.error = fail(c.error, c.text, c.offset, true);
        return r;
    }
    if (const auto e = c.program->run(r.value))
        r.error = fail(e, c.text, 0, false);
    return r;
}

NumberOutcome Engine::evalNumber(std::string_view text)
{
    NumberOutcome r;
    r.error = evalNumber(prepare(text), r.value);
    return r;
}

// A failure of Program::runToNumber: a program's (reported) or a conversion's
// (minus its number, not an engine error).
std::int32_t Engine::numberFailure(const Prepared& prepared, std::int32_t e)
{
    if (e < 0)
        return -e;
    return fail(e, prepared.text, 0, false);
}

ScriptError Engine::checkStatement(std::string_view text)
{
    const CompileOutcome c = compileStatement(text, *m_scope);
    return c.error ? errorOf(c.error, text, c.offset, true) : ScriptError{};
}

std::int32_t Engine::executeStatement(std::string_view text)
{
    CompileOutcome c = compileStatement(text, *m_scope);
    if (c.error)
        return fail(c.error, text, c.offset, true);
    Value ignored;
    if (const auto e = c.program->run(ignored))
        return fail(e, text, 0, false);
    return 0;
}

}  // namespace tessaly::engine
