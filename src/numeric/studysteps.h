#pragma once

#include <cstdint>

#include "engine/steps.h"
#include "numeric/studyfunction.h"

namespace tessaly::numeric {

// The steps of a numerical command: the language's arithmetic and values of f,
// in the order written. After the first failure nothing more is computed and f
// is not evaluated again; error() tells the failure's number.
class StudySteps : public engine::Steps {
public:
    explicit StudySteps(StudyFunction& f) : m_f(f) {}

    // f at x, or 0 after a failure (f not evaluated).
    double f(double x)
    {
        return run([&](double& r) {
            m_lastX = x;
            const auto v = m_f.at(x);
            r = v.value;
            return v.error;
        });
    }
    // f at x + offset, the abscissa computed first.
    double f(double x, double offset) { return f(add(x, offset)); }

    // The abscissa f was last asked for.
    double lastX() const { return m_lastX; }

private:
    StudyFunction& m_f;
    double m_lastX = 0;
};

}  // namespace tessaly::numeric
