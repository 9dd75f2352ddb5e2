#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/errors.h"

namespace tessaly::engine {

class Class1;
class Engine;

// The user constants: statements of the form name=value, kept in the order they
// were added and run in that order before every command. A statement is stored
// as typed and not checked beyond its name; one that fails, fails each time it
// runs, inside the command that runs it.
class UserConstants {
public:
    static constexpr int kCapacity = 101;

    enum class AddResult {
        Added,    // stored at the end (a statement of the same name moved there)
        Ignored,  // not name=value with a valid name; nothing changed
        Full,     // 101 statements already, none of the same name: nothing changed
        Refused,  // name=value, but the engine cannot compile it: nothing changed
    };

    // A statement that failed when the constants ran: its slot and what the
    // engine told of it.
    struct Failure {
        int slot = -1;  // -1 when every statement ran
        ScriptError error;
        explicit operator bool() const { return slot >= 0; }
    };

    // The name of a statement: the text before its first "=" (the whole text when
    // there is none).
    static std::string_view nameOf(std::string_view statement);

    // Whether the text is name=value with a name of an ASCII letter followed by
    // ASCII letters or digits.
    static bool isStatement(std::string_view text);

    // Adds a statement. A stored statement whose name equals this one's, compared
    // with exact letter case, is removed first, so a redefinition moves to the end.
    AddResult add(std::string_view text);
    // As add, but a statement the engine cannot compile is refused, and what the
    // engine says of it (number, description, column) goes to refusal.
    AddResult add(std::string_view text, Engine& engine, ScriptError& refusal);

    // Removes the statement in slot k and returns the statement that puts its name
    // back: "name=0", or for pi, halfpi and e (any case) their start-up statement.
    // Returns an empty text when k is not a slot in use.
    std::string remove(int k);

    // Runs every statement in order on the engine; stops at the first failure and
    // returns it (its number as the engine raised it).
    Failure execute(Engine& engine) const;

    // Runs every statement in order, a failing one passed over (the failure is
    // told to the engine's error observer as usual) and trapped as a window's
    // trap does (the object's own number first). Returns the failures in order.
    std::vector<Failure> executeEach(Engine& engine, Class1& object) const;

    // What a command tells of a statement that failed: the statement, the
    // description and number, and the column of a text that cannot be read.
    std::string failureMessage(const Failure& failure) const;

    const std::vector<std::string>& statements() const { return m_statements; }
    int count() const { return static_cast<int>(m_statements.size()); }

    // Replaces all statements (a study read from a file); at most kCapacity are kept.
    void assign(std::vector<std::string> statements);

private:
    std::vector<std::string> m_statements;
};

}  // namespace tessaly::engine
