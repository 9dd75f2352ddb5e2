#pragma once

// What the parts of a program's evaluation share: the extension object's
// functions and their formulas, the instructions' arithmetic on their codes,
// and the block evaluator's sizes.

#include <cstddef>

#include "engine/class1.h"
#include "engine/extensionformulas.h"
#include "engine/program.h"

namespace tessaly::engine::parts {

inline constexpr Class1::Function kMethods[] = {&Class1::Asin, &Class1::Acos,  &Class1::Sinh,  &Class1::Cosh,
                                                &Class1::Tanh, &Class1::Asinh, &Class1::Acosh, &Class1::Atanh};

// The block evaluator's stack takes at most this many doubles, and a block at
// most kBlockLanes values of x.
inline constexpr std::size_t kBlockDoubles = 131072;
inline constexpr std::size_t kBlockLanes = 256;

// The instruction as far after to as op is after from.
inline Op shifted(Op op, Op from, Op to)
{
    return static_cast<Op>(static_cast<int>(op) - static_cast<int>(from) + static_cast<int>(to));
}

// The extension object's function M over an arithmetic (see extensionformulas.h).
template <int M, typename A>
double methodFormula(A& s, double v, double halfpi)
{
    if constexpr (M == 0)
        return formula::asin(s, v, halfpi);
    else if constexpr (M == 1)
        return formula::acos(s, v, halfpi);
    else if constexpr (M == 2)
        return formula::sinh(s, v);
    else if constexpr (M == 3)
        return formula::cosh(s, v);
    else if constexpr (M == 4)
        return formula::tanh(s, v);
    else if constexpr (M == 5)
        return formula::asinh(s, v);
    else if constexpr (M == 6)
        return formula::acosh(s, v);
    else
        return formula::atanh(s, v);
}

}  // namespace tessaly::engine::parts
