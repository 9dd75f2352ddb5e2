#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tessaly::engine {

// Error numbers of the expression language. Numbers from 1000 up are compile
// errors (the text could not be read); numbers below are run-time errors.
namespace err {
constexpr std::int32_t InvalidCall = 5;  // Invalid procedure call or argument
constexpr std::int32_t Overflow = 6;
constexpr std::int32_t OutOfMemory = 7;  // the texts of one evaluation take too much
constexpr std::int32_t SubscriptOutOfRange = 9;
constexpr std::int32_t DivisionByZero = 11;
constexpr std::int32_t TypeMismatch = 13;
constexpr std::int32_t OutOfStringSpace = 14;  // a text longer than kMaxTextLength
constexpr std::int32_t OutOfStackSpace = 28;
constexpr std::int32_t InvalidUseOfNull = 94;
constexpr std::int32_t WrongArguments = 450;
constexpr std::int32_t IllegalAssignment = 501;
constexpr std::int32_t Syntax = 1002;
constexpr std::int32_t ExpectedRightParen = 1006;
constexpr std::int32_t ExpectedStatement = 1024;
constexpr std::int32_t ExpectedEndOfStatement = 1025;
constexpr std::int32_t IdentifierTooLong = 1030;
constexpr std::int32_t InvalidNumber = 1031;
constexpr std::int32_t InvalidCharacter = 1032;
constexpr std::int32_t UnterminatedString = 1033;
// Hexadecimal 80020101: an error the engine has already reported.
constexpr std::int32_t AlreadyReported = -2147352319;
}  // namespace err

// The description of an error number ("Overflow", "Syntax error", ...); an empty
// text for a number the language does not know.
std::string_view errorDescription(std::int32_t number);

// True for 5, 6, 11 and -2147352319: f cannot be evaluated at that abscissa.
bool isTolerated(std::int32_t number);

// Whether the main window shows an engine error in a message box: every number
// except 5, 6, 11, 1025 and -2147352319.
bool mainWindowShowsError(std::int32_t number);

// What the engine tells about a failure: its number and description, where it
// happened (line always 1; 1-based column of a compile error, 0 for a run-time
// error) and the text that was being read (empty for a run-time error).
struct ScriptError {
    std::int32_t number = 0;
    std::string description;
    std::string source;
    int line = 0;
    int column = 0;
    std::string text;
};

// The message that tells an engine error with its place: source and number, the
// description, an empty line, then "At line L, col C: [TEXT]".
std::string errorMessage(const ScriptError& error);

// Source texts of the two kinds of error.
inline constexpr std::string_view kCompileErrorSource = "Expression compilation error";
inline constexpr std::string_view kRuntimeErrorSource = "Expression runtime error";

}  // namespace tessaly::engine
