#include "engine/class1.h"

#include <algorithm>
#include <cmath>

#include "engine/extensionformulas.h"
#include "engine/steps.h"

namespace tessaly::engine {
double Class1::fail(std::int32_t number)
{
    ierr = number;
    for (auto* field : m_errorFields)
        *field = number;
    return 0;
}

template <typename Formula>
double Class1::run(Formula formula)
{
    Steps s;
    const double t = formula(s);
    return s.error() ? fail(s.error()) : t;
}

void Class1::attachErrorField(std::int32_t* field)
{
    if (std::find(m_errorFields.begin(), m_errorFields.end(), field) == m_errorFields.end())
        m_errorFields.push_back(field);
}

void Class1::detachErrorField(std::int32_t* field)
{
    m_errorFields.erase(std::remove(m_errorFields.begin(), m_errorFields.end(), field), m_errorFields.end());
}

// The formulas are in extensionformulas.h, shared with the numeric evaluator.
double Class1::Asin(double& v)
{
    return run([&](Steps& s) { return formula::asin(s, v, halfpi); });
}
double Class1::Acos(double& v)
{
    return run([&](Steps& s) { return formula::acos(s, v, halfpi); });
}
double Class1::Sinh(double& v)
{
    return run([&](Steps& s) { return formula::sinh(s, v); });
}
double Class1::Cosh(double& v)
{
    return run([&](Steps& s) { return formula::cosh(s, v); });
}
double Class1::Tanh(double& v)
{
    return run([&](Steps& s) { return formula::tanh(s, v); });
}
double Class1::Asinh(double& v)
{
    return run([&](Steps& s) { return formula::asinh(s, v); });
}
double Class1::Acosh(double& v)
{
    return run([&](Steps& s) { return formula::acosh(s, v); });
}
double Class1::Atanh(double& v)
{
    return run([&](Steps& s) { return formula::atanh(s, v); });
}

}  // namespace tessaly::engine
