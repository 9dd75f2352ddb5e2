#pragma once

#include <cstdint>
#include <string>

#include "engine/evaluation.h"

namespace tessaly::numeric {

// The function a numerical command studies: f at x, or the number of the
// run-time error its evaluation raised.
class StudyFunction {
public:
    virtual ~StudyFunction() = default;
    virtual engine::FunctionValue at(double x) = 0;
    // The number the command's error trap records for a raised error (the
    // extension object's own number first; it is then cleared).
    virtual std::int32_t trapped(std::int32_t raised) = 0;
};

// f as the main window evaluates its function text: through its engine and the
// shared extension object. The text must outlive the function (a temporary is refused).
class EngineFunction final : public StudyFunction {
public:
    EngineFunction(engine::Engine& engine, engine::Class1& object, const std::string& text);
    EngineFunction(engine::Engine& engine, engine::Class1& object, std::string&& text) = delete;
    engine::FunctionValue at(double x) override { return m_function.at(x); }
    std::int32_t trapped(std::int32_t raised) override;

private:
    engine::FunctionEvaluator m_function;
    engine::Class1& m_object;
};

}  // namespace tessaly::numeric
