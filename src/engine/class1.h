#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace tessaly::engine {

// The extension object shared by the engines of both windows. Its fields and
// functions are global names of the language in every engine it is added to;
// reading or assigning such a name reads or writes this one instance.
//
// Each function computes its formula in the language's arithmetic. A failure
// inside it (5 for a square root or logarithm out of range, 6 for an overflow,
// 11 for a division by zero) is stored in ierr and in every attached window error
// field, and the function returns 0 so the evaluation completes; the caller then
// raises ierr after the evaluation.
class Class1 {
public:
    Class1() = default;
    Class1(const Class1&) = delete;
    Class1& operator=(const Class1&) = delete;

    double pi = 0;
    double halfpi = 0;
    double e = 0;
    double x = 0;           // the abscissa of the evaluation in progress
    std::int32_t ierr = 0;  // last failure inside a function, 0 if none

    // Arguments are taken by reference, as the functions' callers pass them.
    double Asin(double& v);  // -1 <= v <= 1; exactly halfpi at 1, -halfpi at -1
    double Acos(double& v);  // -1 <= v <= 1; 0 at 1, 2 * halfpi at -1
    double Sinh(double& v);  // Exp(v) and Exp(-v) finite
    double Cosh(double& v);
    double Tanh(double& v);
    double Asinh(double& v);  // all v (odd: computed as -Asinh(-v) for v < 0)
    double Acosh(double& v);  // v >= 1
    double Atanh(double& v);  // -1 < v < 1; 11 at 1, 5 at -1

    // A window's own error field, written with every failure of a function.
    void attachErrorField(std::int32_t* field);
    void detachErrorField(std::int32_t* field);

    // A function of the object, as the engine calls it.
    using Function = double (Class1::*)(double&);

private:
    // Runs a formula in the language's arithmetic; its first failure is stored
    // (and 0 returned).
    template <typename Formula>
    double run(Formula formula);
    double fail(std::int32_t number);

    std::vector<std::int32_t*> m_errorFields;
};

}  // namespace tessaly::engine
