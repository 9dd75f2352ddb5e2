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

enum class NodeKind : std::uint8_t { Constant, Variable, Field, LongField, Unary, Binary, Call, Method, Store, Raise };

struct Node {
    explicit Node(NodeKind k, Op o = Op::Raise, std::vector<int> operands = {})
        : kind(k), op(o), kids(std::move(operands))
    {
    }
    NodeKind kind;
    Op op;
    std::vector<int> kids;  // operands, arguments or the assigned expression
    Value constant;
    Instr instr{};          // the instruction emitted after the kids
};

// Parses a text into a tree, folding operations on constants as the tree grows,
// then lays the tree out as a flat program.
class Compiler {
public:
    Compiler(std::string_view text, NameScope& scope) : m_lexer(text), m_scope(scope) { advance(); }

    int expressionText()
    {
        if (m_tok.kind == Tok::End)
            return constant(Value());
        const int root = expression(1);
        expectEnd();
        return root;
    }

    int statementText()
    {
        if (m_tok.kind == Tok::End)
            return constant(Value());
        if (m_tok.kind != Tok::Identifier)
            throw CompileFailure{err::ExpectedStatement, m_tok.offset};
        const std::string name = lowerCase(m_tok.text);
        advance();
        const Binding target = m_scope.bind(name);

        if (m_tok.kind == Tok::Equal) {
            advance();
            const int value = expression(1);
            expectEnd();
            return store(target, value);
        }
        std::vector<int> args;
        if (m_tok.kind == Tok::LeftParen) {
            args = arguments();
            if (m_tok.kind == Tok::Equal) {  // name(...) = value
                advance();
                args.push_back(expression(1));
                expectEnd();
                const bool isFunction = target.kind == Binding::Kind::Builtin || target.kind == Binding::Kind::Method;
                return raise(isFunction ? err::IllegalAssignment : err::TypeMismatch, std::move(args));
            }
        } else if (m_tok.kind != Tok::End && m_tok.kind != Tok::Separator) {
            args.push_back(expression(1));  // name arg, arg, ...
            while (m_tok.kind == Tok::Comma) {
                advance();
                args.push_back(expression(1));
            }
        }
        expectEnd();
        return call(target, std::move(args));
    }

    std::unique_ptr<Program> emit(int root);

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

    int expression(int minLevel)
    {
        int left = unary();
        for (;;) {
            const int level = binaryLevel(m_tok.kind);
            if (level == 0 || level < minLevel)
                return left;
            const Op op = binaryOp(m_tok.kind);
            advance();
            const int right = expression(level + 1);
            left = operation(op, {left, right});
        }
    }

    int unary()
    {
        switch (m_tok.kind) {
        case Tok::Minus:
        case Tok::Plus: {
            const bool negate = m_tok.kind == Tok::Minus;
            enter();
            advance();
            const int operand = unary();
            leave();
            return negate ? operation(Op::Neg, {operand}) : operand;
        }
        case Tok::Not: {
            enter();
            advance();
            const int operand = expression(kNotOperandLevel);
            leave();
            return operation(Op::Not, {operand});
        }
        default: return primary();
        }
    }

    // The recursive path (expression, unary, primary, arguments) keeps its frames
    // small: everything that needs sizeable locals is in helpers that return
    // before the recursion goes deeper.
    int primary()
    {
        switch (m_tok.kind) {
        case Tok::LeftParen: {
            enter();
            advance();
            const int inner = expression(1);
            if (m_tok.kind != Tok::RightParen)
                throw CompileFailure{err::ExpectedRightParen, m_tok.offset};
            advance();
            leave();
            return inner;
        }
        case Tok::Identifier: {
            const std::string_view name = m_tok.text;
            advance();
            if (m_tok.kind == Tok::LeftParen) {
                std::vector<int> args = arguments();
                return callNamed(name, std::move(args));
            }
            return referenceNamed(name);
        }
        default: return literal();
        }
    }

    [[gnu::noinline]] int callNamed(std::string_view name, std::vector<int> args)
    {
        return call(m_scope.bind(lowerCase(name)), std::move(args));
    }

    [[gnu::noinline]] int referenceNamed(std::string_view name) { return reference(m_scope.bind(lowerCase(name))); }

    [[gnu::noinline]] int literal()
    {
        switch (m_tok.kind) {
        case Tok::Number: {
            const double v = m_tok.number;
            advance();
            return constant(Value::number(v));
        }
        case Tok::String: {
            std::string s = unquote(m_tok.text);
            advance();
            return constant(Value::text(std::move(s)));
        }
        case Tok::True: advance(); return constant(Value::boolean(true));
        case Tok::False: advance(); return constant(Value::boolean(false));
        case Tok::EmptyKw: advance(); return constant(Value());
        case Tok::NullKw: advance(); return constant(Value::null());
        default: throw CompileFailure{err::Syntax, m_tok.offset};
        }
    }

    // "(" [expression {"," expression}] ")"
    std::vector<int> arguments()
    {
        enter();
        advance();
        std::vector<int> args;
        if (m_tok.kind != Tok::RightParen) {
            args.push_back(expression(1));
            while (m_tok.kind == Tok::Comma) {
                advance();
                args.push_back(expression(1));
            }
        }
        if (m_tok.kind != Tok::RightParen)
            throw CompileFailure{err::ExpectedRightParen, m_tok.offset};
        advance();
        leave();
        return args;
    }

    int add(Node node)
    {
        m_nodes.push_back(std::move(node));
        return static_cast<int>(m_nodes.size() - 1);
    }

    int constant(Value v)
    {
        Node n{NodeKind::Constant};
        n.constant = std::move(v);
        return add(std::move(n));
    }

    int raise(std::int32_t number, std::vector<int> args)
    {
        Node n{NodeKind::Raise, Op::Raise, std::move(args)};
        n.instr.op = Op::Raise;
        n.instr.n = number;
        return add(std::move(n));
    }

    bool allConstant(const std::vector<int>& kids) const
    {
        for (int k : kids)
            if (m_nodes[static_cast<std::size_t>(k)].kind != NodeKind::Constant)
                return false;
        return true;
    }

    const Value& constantOf(int k) const { return m_nodes[static_cast<std::size_t>(k)].constant; }

    // An operator node, or its value when the operands are constants and the
    // operation succeeds (a failing one stays, to fail when it runs).
    [[gnu::noinline]] int operation(Op op, std::vector<int> kids)
    {
        if (allConstant(kids)) {
            Cell out;
            TextPool pool;
            std::int32_t e = 0;
            if (kids.size() == 1)
                e = applyUnary(op, cellOf(constantOf(kids[0])), out);
            else
                e = applyBinary(op, cellOf(constantOf(kids[0])), cellOf(constantOf(kids[1])), out, pool);
            if (e == 0)
                return constant(valueOf(out));
        }
        Node n{kids.size() == 1 ? NodeKind::Unary : NodeKind::Binary, op, std::move(kids)};
        n.instr.op = op;
        return add(std::move(n));
    }

    int reference(const Binding& b)
    {
        Node n{NodeKind::Variable};
        switch (b.kind) {
        case Binding::Kind::Builtin:
        case Binding::Kind::Method: return raise(err::WrongArguments, {});
        case Binding::Kind::Field:
            n.kind = NodeKind::Field;
            n.instr.op = Op::PushField;
            n.instr.u.ref = b.field;
            break;
        case Binding::Kind::LongField:
            n.kind = NodeKind::LongField;
            n.instr.op = Op::PushLong;
            n.instr.u.longRef = b.longField;
            break;
        case Binding::Kind::Variable:
            n.instr.op = Op::PushVar;
            n.instr.u.var = b.variable;
            m_variables.push_back(b.variable);
            break;
        }
        return add(std::move(n));
    }

    int call(const Binding& b, std::vector<int> args)
    {
        const int count = static_cast<int>(args.size());
        if (b.kind == Binding::Kind::Builtin) {
            if (count < b.builtin->minArgs || count > b.builtin->maxArgs)
                return raise(err::WrongArguments, std::move(args));
            if (allConstant(args)) {
                Cell out;
                const std::int32_t e = count == 1 ? applyCall1(b.builtin->fn, cellOf(constantOf(args[0])), out)
                                                  : applyRound2(cellOf(constantOf(args[0])), cellOf(constantOf(args[1])), out);
                if (e == 0)
                    return constant(valueOf(out));
            }
            Node n{NodeKind::Call, count == 1 ? Op::Call1 : Op::Round2, std::move(args)};
            n.instr.op = n.op;
            n.instr.u.fn = b.builtin->fn;
            return add(std::move(n));
        }
        if (b.kind == Binding::Kind::Method) {
            if (count != 1)
                return raise(err::WrongArguments, std::move(args));
            Node n{NodeKind::Method, Op::CallMethod, std::move(args)};
            n.instr.op = Op::CallMethod;
            n.instr.n = b.method;
            return add(std::move(n));
        }
        return raise(err::TypeMismatch, std::move(args));  // not a function
    }

    int store(const Binding& b, int value)
    {
        Node n{NodeKind::Store, Op::StoreVar, {value}};
        switch (b.kind) {
        case Binding::Kind::Builtin:
        case Binding::Kind::Method: return raise(err::IllegalAssignment, {value});
        case Binding::Kind::Field:
            n.instr.op = Op::StoreField;
            n.instr.u.ref = b.field;
            break;
        case Binding::Kind::LongField:
            n.instr.op = Op::StoreLong;
            n.instr.u.longRef = b.longField;
            break;
        case Binding::Kind::Variable:
            n.instr.op = Op::StoreVar;
            n.instr.u.var = b.variable;
            break;
        }
        return add(std::move(n));
    }

    Lexer m_lexer;
    NameScope& m_scope;
    Token m_tok;
    int m_depth = 0;
    std::vector<Node> m_nodes;
    std::vector<Variable*> m_variables;
};

// Lays the tree out in post-order without recursion (a long chain such as
// 1+1+1+... makes a tree as deep as the text is long).
std::unique_ptr<Program> Compiler::emit(int root)
{
    std::vector<Instr> code;
    std::vector<Value> constants;
    std::size_t height = 0, maxHeight = 0;
    struct Frame {
        int node;
        std::size_t next;
    };
    std::vector<Frame> stack{{root, 0}};
    while (!stack.empty()) {
        Frame& f = stack.back();
        Node& n = m_nodes[static_cast<std::size_t>(f.node)];
        if (f.next < n.kids.size()) {
            const int kid = n.kids[f.next++];
            stack.push_back({kid, 0});
            continue;
        }
        Instr in = n.instr;
        switch (n.kind) {
        case NodeKind::Constant:
            if (n.constant.kind() == Kind::Number) {
                in.op = Op::PushNumber;
                in.u.d = n.constant.numeric();
            } else {
                in.op = Op::PushConst;
                in.n = static_cast<std::int32_t>(constants.size());
                constants.push_back(n.constant);
            }
            ++height;
            break;
        case NodeKind::Variable:
        case NodeKind::Field:
        case NodeKind::LongField: ++height; break;
        case NodeKind::Binary: --height; break;
        case NodeKind::Call:
            if (in.op == Op::Round2)
                --height;
            break;
        case NodeKind::Raise: height = height - n.kids.size() + 1; break;  // counted as if it gave a value
        case NodeKind::Unary:
        case NodeKind::Method:
        case NodeKind::Store: break;
        }
        maxHeight = std::max(maxHeight, height);
        code.push_back(in);
        stack.pop_back();
    }
    return std::make_unique<Program>(std::move(code), std::move(constants), std::move(m_variables),
                                     m_scope.object(), maxHeight);
}

template <typename Parse>
CompileOutcome compile(std::string_view text, NameScope& scope, Parse parse)
{
    CompileOutcome out;
    try {
        Compiler c(text, scope);
        const int root = parse(c);
        out.program = c.emit(root);
    } catch (const CompileFailure& f) {
        out.error = f.number;
        out.offset = f.offset;
    }
    return out;
}

}  // namespace

CompileOutcome compileExpression(std::string_view text, NameScope& scope)
{
    return compile(text, scope, [](Compiler& c) { return c.expressionText(); });
}

CompileOutcome compileStatement(std::string_view text, NameScope& scope)
{
    return compile(text, scope, [](Compiler& c) { return c.statementText(); });
}

}  // namespace tessaly::engine
