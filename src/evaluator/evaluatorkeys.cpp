#include "evaluator/evaluatorkeys.h"

namespace tessaly::evaluator {
namespace {

using enum KeyGroup;

constexpr Key kKeys[] = {
    {"cmd7", "7", "", "7", Main},
    {"cmd8", "8", "", "8", Main},
    {"cmd9", "9", "", "9", Main},
    {"cmdDivide", "/", "Divide", "/", Main},
    {"cmdIntegerDivision", "\\", "Integer division", "\\", Main},
    {"cmd4", "4", "", "4", Main},
    {"cmd5", "5", "", "5", Main},
    {"cmd6", "6", "", "6", Main},
    {"cmdMultiply", "*", "Multiply", "*", Main},
    {"cmdPower", "^", "Exponentiation", "^", Main},
    {"cmd1", "1", "", "1", Main},
    {"cmd2", "2", "", "2", Main},
    {"cmd3", "3", "", "3", Main},
    {"cdmSubtract", "-", "Subtract", "-", Main},
    {"cmdOpen", "(", "Left parenthesis", "(", Main},
    {"cmd0", "0", "", "0", Main},
    {"cmdPoint", ".", "Decimal Point", ".", Main},
    {"cmdExponent", "E", "", "E", Main},
    {"cmdAdd", "+", "Add", "+", Main},
    {"cmdClose", ")", "Right parenthesis", ")", Main},
    {"cmdEqual", "=", "Equality", "=", Main},
    {"cmdLessThan", "<", "Less than", "<", Main},
    {"cmdGreaterThan", ">", "Greater than", ">", Main},
    {"cmdPi", "\u03C0", "pi", "pi", Main},
    {"cmdE", "e", "e", "e", Main},
    {"cmdNot", "Not", "Negation", " Not ", Logical},
    {"cmdAnd", "And", "Conjunction", " And ", Logical},
    {"cmdOr", "Or", "Disjunction", " Or ", Logical},
    {"cmdXor", "Xor", "Exclusion", " Xor ", Logical},
    {"cmdEqv", "Eqv", "Equivalence ", " Eqv ", Logical},
    {"cmdImp", "Imp", "Implication", " Imp ", Logical},
    {"cmdHypSine", "Sinh", "Hyperbolic Sine", "Sinh(", Hyperbolic},
    {"cmdHypCosine", "Cosh", "Hyperbolic Cosine", "Cosh(", Hyperbolic},
    {"cmdHypTangent", "Tanh", "Hyperbolic Tangent", "Tanh(", Hyperbolic},
    {"cmdArcHypSine", "Asinh", "Inverse Hyperbolic Sine", "Asinh(", Hyperbolic},
    {"cmdArcHypCosine", "Acosh", "Inverse Hyperbolic Cosine", "Acosh(", Hyperbolic},
    {"cmdArcHypTangent", "Atanh", "Inverse Hyperbolic Tangent", "Atanh(", Hyperbolic},
    {"cmdSine", "Sin", "Trigonometric Sine", "Sin(", Trigonometric},
    {"cmdCosine", "Cos", "Trigonometric Cosine", "Cos(", Trigonometric},
    {"cmdTangent", "Tan", "Trigonometric Tangent", "Tan(", Trigonometric},
    {"cmdArcSine", "Asin", "Inverse Trigonometric Sine", "Asin(", Trigonometric},
    {"cmdArcCosine", "Acos", "Inverse Trigonometric Cosine", "Acos(", Trigonometric},
    {"cmdArcTangent", "Atan", "Inverse Trigonometric Tangent", "Atn(", Trigonometric},
    {"cmdAbs", "Abs", "Absolute Value", "Abs(", Misc},
    {"cmdExp", "Exp", "Exponential (e)", "Exp(", Misc},
    {"cmdLog", "Log", "Natural Logarithm", "Log(", Misc},
    {"cmdSqr", "Sqr", "Square Root", "Sqr(", Misc},
    {"cmdSgn", "Sgn", "Sign", "Sgn(", Misc},
    {"cmdInt", "Int", "Integer Value", "Int(", Misc},
    {"cmdFix", "Fix", "Integer Value Rounded", "Fix(", Misc},
    {"cmdCInt", "CInt", "Integer Value Rounded", "CInt(", Misc},
};

}  // namespace

std::span<const Key> keypad() { return kKeys; }

}  // namespace tessaly::evaluator
