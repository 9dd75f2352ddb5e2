#include "engine/errors.h"

namespace tessaly::engine {

std::string_view errorDescription(std::int32_t number)
{
    switch (number) {
    case err::InvalidCall: return "Invalid procedure call or argument";
    case err::Overflow: return "Overflow";
    case err::OutOfMemory: return "Out of memory";
    case err::SubscriptOutOfRange: return "Subscript out of range";
    case err::DivisionByZero: return "Division by zero";
    case err::TypeMismatch: return "Type mismatch";
    case err::OutOfStringSpace: return "Out of string space";
    case err::OutOfStackSpace: return "Out of stack space";
    case err::InvalidUseOfNull: return "Invalid use of Null";
    case err::WrongArguments: return "Wrong number of arguments or invalid property assignment";
    case err::IllegalAssignment: return "Illegal assignment";
    case err::Syntax: return "Syntax error";
    case err::ExpectedRightParen: return "Expected ')'";
    case err::ExpectedStatement: return "Expected statement";
    case err::ExpectedEndOfStatement: return "Expected end of statement";
    case err::IdentifierTooLong: return "Identifier too long";
    case err::InvalidNumber: return "Invalid number";
    case err::InvalidCharacter: return "Invalid character";
    case err::UnterminatedString: return "Unterminated string constant";
    default: return {};
    }
}

std::string errorMessage(const ScriptError& e)
{
    std::string m = e.source;
    m += ' ';
    m += std::to_string(e.number);
    m += '\n';
    m += e.description;
    m += "\n\nAt line ";
    m += std::to_string(e.line);
    m += ", col ";
    m += std::to_string(e.column);
    m += ": [";
    m += e.text;
    m += ']';
    return m;
}

bool isTolerated(std::int32_t number)
{
    return number == err::InvalidCall || number == err::Overflow || number == err::DivisionByZero
           || number == err::AlreadyReported;
}

bool mainWindowShowsError(std::int32_t number) { return !isTolerated(number) && number != err::ExpectedEndOfStatement; }

}  // namespace tessaly::engine
