#include "engine/compiler.h"

#include <algorithm>
#include <string>
#include <vector>

#include "engine/errors.h"
#include "engine/lexer.h"

namespace tessaly::engine {
namespace {

// Binding strength of the binary operators, weakest first. Not (6) sits between
// And and the comparisons; the signs bind tighter than "^".
constexpr int kNotOperandLevel = 7;

int binaryLevel(Tok t)
{
    switch (t) {
    case Tok::Imp: return 1;
    case Tok::Eqv: return 2;
    case Tok::Xor: return 3;
    case Tok::Or: return 4;
    case Tok::And: return 5;
    case Tok::Equal:
    case Tok::NotEqual:
    case Tok::Less:
    case Tok::Greater:
    case Tok::LessEqual:
    case Tok::GreaterEqual: return 7;
    case Tok::Ampersand: return 8;
    case Tok::Plus:
    case Tok::Minus: return 9;
    case Tok::Mod: return 10;
    case Tok::Backslash: return 11;
    case Tok::Star:
    case Tok::Slash: return 12;
    case Tok::Caret: return 13;
    default: return 0;
    }
}

Op binaryOp(Tok t)
{
    switch (t) {
    case Tok::Imp: return Op::Imp;
    case Tok::Eqv: return Op::Eqv;
    case Tok::Xor: return Op::Xor;
    case Tok::Or: return Op::Or;
    case Tok::And: return Op::And;
    case Tok::Equal: return Op::Eq;
    case Tok::NotEqual: return Op::Ne;
    case Tok::Less: return Op::Lt;
    case Tok::Greater: return Op::Gt;
    case Tok::LessEqual: return Op::Le;
    case Tok::GreaterEqual: return Op::Ge;
    case Tok::Ampersand: return Op::Concat;
    case Tok::Plus: return Op::Add;
    case Tok::Minus: return Op::Sub;
    case Tok::Mod: return Op::Mod;
    case Tok::Backslash: return Op::IntDiv;
    case Tok::Star: return Op::Mul;
    case Tok::Slash: return Op::Div;
    default: return Op::Pow;
    }
}

std::string lowerCase(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string unquote(std::string_view raw)
{
    std::string out;
    out.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        out.push_back(raw[i]);
        if (raw[i] == '"')
            ++i;  // "" stands for one quote
    }
    return out;
}

// Parses a text and lays its program out as it goes: the code of an operand
// ends where the code of its operator begins (post-order), so no tree is built.
// An operation on constants is computed at once and its code replaced by the
// value (constant folding).
class Compiler {
public:
    Compiler(std::string_view text, NameScope& scope) : m_lexer(text), m_scope(scope) { advance(); }

    void expressionText()
    {
        if (m_tok.kind == Tok::End) {
            constant(Value());
            return;
        }
        expression(1);
        expectEnd();
    }

    void statementText()
    {
        if (m_tok.kind == Tok::End) {
            constant(Value());
            return;
        }
        if (m_tok.kind != Tok::Identifier)
            throw CompileFailure{err::ExpectedStatement, m_tok.offset};
        const std::string name = lowerCase(m_tok.text);
        advance();
        const Binding target = m_scope.bind(name);
        const std::size_t start = m_code.size();

        if (m_tok.kind == Tok::Equal) {
            advance();
            expression(1);
            expectEnd();
            store(target);
            return;
        }
        int count = 0;
        if (m_tok.kind == Tok::LeftParen) {
            count = arguments();
            if (m_tok.kind == Tok::Equal) {  // name(...) = value
                advance();
                expression(1);
                expectEnd();
                const bool isFunction = target.kind == Binding::Kind::Builtin || target.kind == Binding::Kind::Method;
                raise(isFunction ? err::IllegalAssignment : err::TypeMismatch, count + 1);
                return;
            }
        } else if (m_tok.kind != Tok::End && m_tok.kind != Tok::Separator) {
            expression(1);  // name arg, arg, ...
            ++count;
            while (m_tok.kind == Tok::Comma) {
                advance();
                expression(1);
                ++count;
            }
        }
        expectEnd();
        call(target, start, count);
    }

    std::unique_ptr<Program> finish()
    {
        std::sort(m_variables.begin(), m_variables.end());
        m_variables.erase(std::unique(m_variables.begin(), m_variables.end()), m_variables.end());
        return std::make_unique<Program>(std::move(m_code), std::move(m_constants), std::move(m_variables),
                                         m_scope.object(), m_maxHeight);
    }

private:
    [[gnu::noinline]] void advance() { m_tok = m_lexer.next(); }

    void enter()
    {
        if (++m_depth > kMaxNesting)
            throw CompileFailure{err::OutOfStackSpace, m_tok.offset};
    }
    void leave() { --m_depth; }

    // After a complete expression only line ends or ":" may follow.
    void expectEnd()
    {
        if (m_tok.kind == Tok::End)
            return;
        const std::size_t at = m_tok.offset;
        while (m_tok.kind == Tok::Separator)
            advance();
        if (m_tok.kind != Tok::End)
            throw CompileFailure{err::ExpectedEndOfStatement, at};
    }

    void expression(int minLevel)
    {
        const std::size_t start = m_code.size();
        unary();
        for (;;) {
            const int level = binaryLevel(m_tok.kind);
            if (level == 0 || level < minLevel)
                return;
            const Op op = binaryOp(m_tok.kind);
            advance();
            expression(level + 1);
            operation(op, start, 2);
        }
    }

    void unary()
    {
        const std::size_t start = m_code.size();
        switch (m_tok.kind) {
        case Tok::Minus:
        case Tok::Plus: {
            const bool negate = m_tok.kind == Tok::Minus;
            enter();
            advance();
            unary();
            leave();
            if (negate)
                operation(Op::Neg, start, 1);
            return;
        }
        case Tok::Not:
            enter();
            advance();
            expression(kNotOperandLevel);
            leave();
            operation(Op::Not, start, 1);
            return;
        default: primary(); return;
        }
    }

    // The recursive path (expression, unary, primary, arguments) keeps its frames
    // small: everything that needs sizeable locals is in helpers that return
    // before the recursion goes deeper.
    void primary()
    {
        switch (m_tok.kind) {
        case Tok::LeftParen:
            enter();
            advance();
            expression(1);
            if (m_tok.kind != Tok::RightParen)
                throw CompileFailure{err::ExpectedRightParen, m_tok.offset};
            advance();
            leave();
            return;
        case Tok::Identifier: {
            const std::size_t start = m_code.size();
            const std::string_view name = m_tok.text;
            advance();
            if (m_tok.kind == Tok::LeftParen) {
                const int count = arguments();
                callNamed(name, start, count);
                return;
            }
            referenceNamed(name);
            return;
        }
        default: literal(); return;
        }
    }

    [[gnu::noinline]] void callNamed(std::string_view name, std::size_t start, int count)
    {
        call(m_scope.bind(lowerCase(name)), start, count);
    }

    [[gnu::noinline]] void referenceNamed(std::string_view name) { reference(m_scope.bind(lowerCase(name))); }

    [[gnu::noinline]] void literal()
    {
        switch (m_tok.kind) {
        case Tok::Number: {
            const double v = m_tok.number;
            advance();
            constant(Value::number(v));
            return;
        }
        case Tok::String: {
            std::string s = unquote(m_tok.text);
            advance();
            if (textLength(s) > kMaxTextLength)
                raise(err::OutOfStringSpace, 0);  // a text no value may hold
            else
                constant(Value::text(std::move(s)));
            return;
        }
        case Tok::True:
            advance();
            constant(Value::boolean(true));
            return;
        case Tok::False:
            advance();
            constant(Value::boolean(false));
            return;
        case Tok::EmptyKw:
            advance();
            constant(Value());
            return;
        case Tok::NullKw:
            advance();
            constant(Value::null());
            return;
        default: throw CompileFailure{err::Syntax, m_tok.offset};
        }
    }

    // "(" [expression {"," expression}] ")"; returns the number of arguments.
    int arguments()
    {
        enter();
        advance();
        int count = 0;
        if (m_tok.kind != Tok::RightParen) {
            expression(1);
            ++count;
            while (m_tok.kind == Tok::Comma) {
                advance();
                expression(1);
                ++count;
            }
        }
        if (m_tok.kind != Tok::RightParen)
            throw CompileFailure{err::ExpectedRightParen, m_tok.offset};
        advance();
        leave();
        return count;
    }

    // Appends an instruction that takes `operands` values off the stack and
    // leaves one.
    void emit(const Instr& in, int operands)
    {
        m_code.push_back(in);
        m_height = m_height + 1 - static_cast<std::size_t>(operands);
        m_maxHeight = std::max(m_maxHeight, m_height);
    }

    void constant(Value v, std::size_t made = 0)
    {
        Instr in{};
        if (v.kind() == Kind::Number) {
            in.op = Op::PushNumber;
            in.u.d = v.numeric();
        } else {
            in.op = Op::PushConst;
            in.n = static_cast<std::int32_t>(m_constants.size());
            m_constants.push_back({std::move(v), made});
        }
        emit(in, 0);
    }

    void raise(std::int32_t number, int operands)
    {
        Instr in{};
        in.op = Op::Raise;
        in.n = number;
        emit(in, operands);
    }

    // The operand that the instruction at i pushes, when it pushes a constant.
    Cell constantOperand(std::size_t i) const
    {
        const Instr& in = m_code[i];
        if (in.op == Op::PushNumber)
            return Cell{in.u.d, nullptr, Kind::Number};
        return cellOf(m_constants[static_cast<std::size_t>(in.n)].value);
    }

    // Puts the value of an operation in place of its operands' code, when that
    // code (from start on) is `count` constants and apply computes the value from
    // them. Otherwise (false) the operation is left to run: a failing one fails
    // when it runs, and one that makes a number out of texts made in advance is
    // kept so that each run counts the making of those texts (see Constant).
    template <typename Apply>
    [[gnu::noinline]] bool fold(std::size_t start, std::size_t count, Apply apply)
    {
        if (m_code.size() - start != count)
            return false;
        std::size_t made = 0;
        for (std::size_t i = start; i < m_code.size(); ++i) {
            if (m_code[i].op == Op::PushConst)
                made += m_constants[static_cast<std::size_t>(m_code[i].n)].made;
            else if (m_code[i].op != Op::PushNumber)
                return false;
        }
        m_pool.clear();
        Cell out;
        if (m_pool.charge(made) || apply(out))
            return false;
        Value value = valueOf(out);
        if (value.kind() != Kind::String && m_pool.used() > 0)
            return false;
        while (m_code.size() > start) {
            if (m_code.back().op == Op::PushConst)
                m_constants.pop_back();  // the constants of the operands are the last ones
            m_code.pop_back();
            --m_height;
        }
        constant(std::move(value), m_pool.used());
        return true;
    }

    void operation(Op op, std::size_t start, int operands)
    {
        const bool folded =
            operands == 1 ? fold(start, 1, [&](Cell& out) { return applyUnary(op, constantOperand(start), out); })
                          : fold(start, 2, [&](Cell& out) {
                                return applyBinary(op, constantOperand(start), constantOperand(start + 1), out, m_pool);
                            });
        if (folded)
            return;
        Instr in{};
        in.op = op;
        emit(in, operands);
    }

    void reference(const Binding& b)
    {
        Instr in{};
        switch (b.kind) {
        case Binding::Kind::Builtin:
        case Binding::Kind::Method: raise(err::WrongArguments, 0); return;
        case Binding::Kind::Field:
            in.op = Op::PushField;
            in.u.ref = b.field;
            break;
        case Binding::Kind::LongField:
            in.op = Op::PushLong;
            in.u.longRef = b.longField;
            break;
        case Binding::Kind::Variable:
            in.op = Op::PushVar;
            in.u.var = b.variable;
            m_variables.push_back(b.variable);
            break;
        }
        emit(in, 0);
    }

    // A call of b with `count` arguments, whose code begins at start.
    void call(const Binding& b, std::size_t start, int count)
    {
        if (b.kind == Binding::Kind::Builtin) {
            if (count < b.builtin->minArgs || count > b.builtin->maxArgs) {
                raise(err::WrongArguments, count);
                return;
            }
            const bool folded = fold(start, static_cast<std::size_t>(count), [&](Cell& out) {
                return count == 1 ? applyCall1(b.builtin->fn, constantOperand(start), out)
                                  : applyRound2(constantOperand(start), constantOperand(start + 1), out);
            });
            if (folded)
                return;
            Instr in{};
            in.op = count == 1 ? Op::Call1 : Op::Round2;
            in.u.fn = b.builtin->fn;
            emit(in, count);
            return;
        }
        if (b.kind == Binding::Kind::Method) {
            if (count != 1) {
                raise(err::WrongArguments, count);
                return;
            }
            Instr in{};
            in.op = Op::CallMethod;
            in.n = b.method;
            emit(in, 1);
            return;
        }
        raise(err::TypeMismatch, count);  // not a function
    }

    // Assigns the value just compiled to b.
    void store(const Binding& b)
    {
        Instr in{};
        switch (b.kind) {
        case Binding::Kind::Builtin:
        case Binding::Kind::Method: raise(err::IllegalAssignment, 1); return;
        case Binding::Kind::Field:
            in.op = Op::StoreField;
            in.u.ref = b.field;
            break;
        case Binding::Kind::LongField:
            in.op = Op::StoreLong;
            in.u.longRef = b.longField;
            break;
        case Binding::Kind::Variable:
            in.op = Op::StoreVar;
            in.u.var = b.variable;
            break;
        }
        emit(in, 1);
    }

    Lexer m_lexer;
    NameScope& m_scope;
    Token m_tok;
    int m_depth = 0;
    std::vector<Instr> m_code;
    std::vector<Constant> m_constants;
    std::vector<Variable*> m_variables;
    std::size_t m_height = 0;
    std::size_t m_maxHeight = 0;
    TextPool m_pool;  // the texts of one folding
};

template <typename Parse>
CompileOutcome compile(std::string_view text, NameScope& scope, Parse parse)
{
    CompileOutcome out;
    try {
        Compiler c(text, scope);
        parse(c);
        out.program = c.finish();
    } catch (const CompileFailure& f) {
        out.error = f.number;
        out.offset = f.offset;
    }
    return out;
}

}  // namespace

CompileOutcome compileExpression(std::string_view text, NameScope& scope)
{
    return compile(text, scope, [](Compiler& c) { c.expressionText(); });
}

CompileOutcome compileStatement(std::string_view text, NameScope& scope)
{
    return compile(text, scope, [](Compiler& c) { c.statementText(); });
}

}  // namespace tessaly::engine
