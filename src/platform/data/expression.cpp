#include "platform/data/expression.h"

#include "platform/core/decimal.h"
#include "platform/core/text.h"
#include "platform/data/expression_lexer.h"
#include "platform/data/value_compare.h"

namespace dfe {
namespace {

ExprType ExprTypeOfField(FieldType type) {
    switch (type) {
    case FieldType::Integer:
    case FieldType::Float:
        return ExprType::Number;
    case FieldType::DateTime:
        return ExprType::Date;
    case FieldType::Boolean:
        return ExprType::Boolean;
    default:
        return ExprType::Text;
    }
}

} // namespace

// Recursive descent over the tokens, building typed nodes; one instance per Parse.
class ExpressionParser {
public:
    using Node = Expression::Node;
    using Op = Expression::Op;

    ExpressionParser(std::string_view text, std::vector<ExprToken> tokens, const ExprFieldResolver& resolve,
                     Expression& out)
        : text_(text), tokens_(std::move(tokens)), resolve_(resolve), out_(out) {}

    // The whole text as one expression.
    int ParseAll() {
        const int root = ParseOr();
        if (Peek().kind != ExprToken::Kind::End) Fail(Peek(), "esperava o fim da expressão");
        return root;
    }

    const ExprToken& Peek() const { return tokens_[pos_]; }
    const ExprToken& Take() { return tokens_[pos_ < tokens_.size() - 1 ? pos_++ : pos_]; }
    bool IsSymbol(std::string_view s) const {
        return Peek().kind == ExprToken::Kind::Symbol && Peek().text == s;
    }
    bool IsKeyword(std::string_view word) const {
        return Peek().kind == ExprToken::Kind::Name && text::SameText(Peek().text, word);
    }
    void Expect(std::string_view symbol) {
        if (!IsSymbol(symbol)) Fail(Peek(), "esperava '" + std::string(symbol) + "'");
        Take();
    }
    [[noreturn]] void Fail(const ExprToken& at, const std::string& why) const {
        ThrowExpressionError(text_, at.offset, why);
    }

private:
    int Add(Node node) {
        out_.nodes_.push_back(std::move(node));
        return static_cast<int>(out_.nodes_.size()) - 1;
    }
    Node& At(int i) { return out_.nodes_[static_cast<size_t>(i)]; }
    ExprType TypeOf(int i) { return At(i).type; }

    int Binary(Op op, ExprType type, int left, int right) {
        Node n;
        n.op = op;
        n.type = type;
        n.left = left;
        n.right = right;
        return Add(std::move(n));
    }

    void RequireCondition(int node, const ExprToken& at) {
        if (TypeOf(node) != ExprType::Boolean) Fail(at, "esperava uma condição");
    }

    int ParseOr() {
        int left = ParseAnd();
        while (IsKeyword("OR")) {
            const ExprToken& op = Take();
            const int right = ParseAnd();
            RequireCondition(left, op);
            RequireCondition(right, op);
            left = Binary(Op::Or, ExprType::Boolean, left, right);
        }
        return left;
    }

    int ParseAnd() {
        int left = ParseNot();
        while (IsKeyword("AND")) {
            const ExprToken& op = Take();
            const int right = ParseNot();
            RequireCondition(left, op);
            RequireCondition(right, op);
            left = Binary(Op::And, ExprType::Boolean, left, right);
        }
        return left;
    }

    int ParseNot() {
        if (!IsKeyword("NOT")) return ParseComparison();
        const ExprToken& op = Take();
        const int operand = ParseNot();
        RequireCondition(operand, op);
        return Binary(Op::Not, ExprType::Boolean, operand, -1);
    }

    static Op ComparisonOp(const std::string& s) {
        if (s == "=") return Op::Equal;
        if (s == "<>") return Op::NotEqual;
        if (s == "<") return Op::Less;
        if (s == ">") return Op::Greater;
        if (s == "<=") return Op::LessEqual;
        return Op::GreaterEqual;
    }

    int ParseComparison() {
        const int left = ParseAdditive();
        if (IsKeyword("IS")) return ParseIsNull(left);
        static constexpr std::string_view ops[] = {"=", "<>", "<", ">", "<=", ">="};
        for (std::string_view s : ops) {
            if (!IsSymbol(s)) continue;
            const ExprToken& op = Take();
            const int right = ParseAdditive();
            CheckComparable(left, right, op);
            return Binary(ComparisonOp(op.text), ExprType::Boolean, left, right);
        }
        return left;
    }

    int ParseIsNull(int operand) {
        Take();
        bool negated = false;
        if (IsKeyword("NOT")) {
            Take();
            negated = true;
        }
        if (!IsKeyword("NULL")) Fail(Peek(), "esperava NULL depois de IS");
        Take();
        return Binary(negated ? Op::IsNotNull : Op::IsNull, ExprType::Boolean, operand, -1);
    }

    // A text literal facing a number, date or logical value is read as one.
    bool CoerceLiteral(int node, ExprType target) {
        Node& n = At(node);
        if (n.op != Op::Literal || n.type != ExprType::Text) return false;
        if (target == ExprType::Number) {
            const auto v = decimal::Parse(n.text);
            if (!v) return false;
            n.number = *v;
        } else if (target == ExprType::Date) {
            const auto d = DateTime::Parse(n.text);
            if (!d) return false;
            n.number = d->Days();
        } else if (target == ExprType::Boolean) {
            try {
                n.boolean = Variant(n.text).AsBoolean();
            } catch (const ConversionError&) {
                return false;
            }
        } else {
            return false;
        }
        n.type = target;
        return true;
    }

    void CheckComparable(int left, int right, const ExprToken& op) {
        const ExprType lt = TypeOf(left);
        const ExprType rt = TypeOf(right);
        if (lt == ExprType::Null || rt == ExprType::Null) Fail(op, "compare com NULL usando IS NULL");
        if (lt == rt) return;
        if (CoerceLiteral(right, lt) || CoerceLiteral(left, rt)) return;
        const auto numeric = [](ExprType t) { return t == ExprType::Number || t == ExprType::Date; };
        if (numeric(lt) && numeric(rt)) return;
        Fail(op, "não é possível comparar valores de tipos diferentes");
    }

    void RequireNumber(int node, const ExprToken& at) {
        if (TypeOf(node) == ExprType::Number || TypeOf(node) == ExprType::Null) return;
        if (CoerceLiteral(node, ExprType::Number)) return;
        Fail(at, "a operação '" + at.text + "' pede números");
    }

    int ParseAdditive() {
        int left = ParseTerm();
        while (IsSymbol("+") || IsSymbol("-")) {
            const ExprToken& op = Take();
            const int right = ParseTerm();
            RequireNumber(left, op);
            RequireNumber(right, op);
            left = Binary(op.text == "+" ? Op::Add : Op::Subtract, ExprType::Number, left, right);
        }
        return left;
    }

    int ParseTerm() {
        int left = ParseUnary();
        while (IsSymbol("*") || IsSymbol("/")) {
            const ExprToken& op = Take();
            const int right = ParseUnary();
            RequireNumber(left, op);
            RequireNumber(right, op);
            left = Binary(op.text == "*" ? Op::Multiply : Op::Divide, ExprType::Number, left, right);
        }
        return left;
    }

    int ParseUnary() {
        if (IsSymbol("-")) {
            const ExprToken& op = Take();
            const int operand = ParseUnary();
            RequireNumber(operand, op);
            return Binary(Op::Negate, ExprType::Number, operand, -1);
        }
        if (IsSymbol("+")) {
            const ExprToken& op = Take();
            const int operand = ParseUnary();
            RequireNumber(operand, op);
            return operand;
        }
        return ParsePrimary();
    }

    int Literal(ExprType type) {
        Node n;
        n.op = Op::Literal;
        n.type = type;
        return Add(std::move(n));
    }

    int ParsePrimary() {
        const ExprToken& token = Peek();
        switch (token.kind) {
        case ExprToken::Kind::Number: {
            Take();
            const int node = Literal(ExprType::Number);
            At(node).number = decimal::Parse(token.text).value_or(0.0);
            return node;
        }
        case ExprToken::Kind::Text: {
            Take();
            const int node = Literal(ExprType::Text);
            At(node).text = token.text;
            return node;
        }
        case ExprToken::Kind::Name:
            return ParseName();
        case ExprToken::Kind::Symbol:
            if (token.text == "(") {
                Take();
                const int inner = ParseOr();
                Expect(")");
                return inner;
            }
            Fail(token, "esperava um valor e encontrou '" + token.text + "'");
        case ExprToken::Kind::End:
            break;
        }
        Fail(token, "esperava um valor, mas a expressão terminou");
    }

    int ParseName() {
        const ExprToken& token = Take();
        if (text::SameText(token.text, "TRUE") || text::SameText(token.text, "FALSE")) {
            const int node = Literal(ExprType::Boolean);
            At(node).boolean = text::SameText(token.text, "TRUE");
            return node;
        }
        if (text::SameText(token.text, "NULL")) return Literal(ExprType::Null);
        static constexpr std::string_view reserved[] = {"AND", "OR", "NOT", "IS"};
        for (std::string_view word : reserved) {
            if (text::SameText(token.text, word)) Fail(token, "esperava um valor e encontrou " + token.text);
        }
        if (IsSymbol("(")) Fail(token, "função desconhecida " + token.text);
        const auto field = resolve_(token.text);
        if (!field) Fail(token, "campo " + token.text + " não encontrado");
        Node n;
        n.op = Op::Field;
        n.slot = field->slot;
        n.fieldType = field->type;
        n.type = ExprTypeOfField(field->type);
        return Add(std::move(n));
    }

    std::string_view text_;
    std::vector<ExprToken> tokens_;
    size_t pos_ = 0;
    const ExprFieldResolver& resolve_;
    Expression& out_;
};

// Reads a parsed expression over one row without allocating.
class ExpressionEvaluator {
public:
    using Op = Expression::Op;
    struct Value {
        ExprType type = ExprType::Null;
        double number = 0.0;
        bool boolean = false;
        std::string_view text;
    };

    ExpressionEvaluator(const Expression& e, const std::vector<Variant>& row) : e_(e), row_(row) {}

    Value Eval(int index) const {
        const Expression::Node& n = e_.nodes_[static_cast<size_t>(index)];
        switch (n.op) {
        case Op::Literal:
            return {n.type, n.number, n.boolean, n.text};
        case Op::Field:
            return ReadField(n);
        case Op::Negate:
            return Arithmetic(n, Eval(n.left), {ExprType::Number, 0.0, false, {}});
        case Op::Add:
        case Op::Subtract:
        case Op::Multiply:
        case Op::Divide:
            return Arithmetic(n, Eval(n.left), Eval(n.right));
        case Op::And:
            return Bool(Eval(n.left).boolean && Eval(n.right).boolean);
        case Op::Or:
            return Bool(Eval(n.left).boolean || Eval(n.right).boolean);
        case Op::Not:
            return Bool(!Eval(n.left).boolean);
        case Op::IsNull:
            return Bool(Eval(n.left).type == ExprType::Null);
        case Op::IsNotNull:
            return Bool(Eval(n.left).type != ExprType::Null);
        default:
            return Compare(n.op, Eval(n.left), Eval(n.right));
        }
    }

private:
    static Value Bool(bool b) { return {ExprType::Boolean, 0.0, b, {}}; }

    Value ReadField(const Expression::Node& n) const {
        const Variant& v = row_[static_cast<size_t>(n.slot)];
        if (v.IsNull()) return {};
        switch (n.type) {
        case ExprType::Text: {
            const std::string* s = v.TextIf();
            return s ? Value{ExprType::Text, 0.0, false, *s} : Value{};
        }
        case ExprType::Number:
            return {ExprType::Number, v.AsFloat(), false, {}};
        case ExprType::Date:
            return {ExprType::Date, v.AsDateTime().Days(), false, {}};
        case ExprType::Boolean:
            return Bool(v.AsBoolean());
        case ExprType::Null:
            break;
        }
        return {};
    }

    static Value Arithmetic(const Expression::Node& n, const Value& a, const Value& b) {
        if (a.type == ExprType::Null || b.type == ExprType::Null) return {};
        double r = 0.0;
        switch (n.op) {
        case Op::Negate:
            r = -a.number;
            break;
        case Op::Add:
            r = a.number + b.number;
            break;
        case Op::Subtract:
            r = a.number - b.number;
            break;
        case Op::Multiply:
            r = a.number * b.number;
            break;
        default:
            if (b.number == 0.0) return {};
            r = a.number / b.number;
        }
        return {ExprType::Number, r, false, {}};
    }

    Value Compare(Op op, const Value& a, const Value& b) const {
        if (a.type == ExprType::Null || b.type == ExprType::Null) return Bool(false);
        int c = 0;
        if (a.type == ExprType::Text) {
            c = CompareText(a.text, b.text, e_.caseInsensitive_);
        } else if (a.type == ExprType::Boolean) {
            c = (a.boolean > b.boolean) - (a.boolean < b.boolean);
        } else {
            c = (a.number > b.number) - (a.number < b.number);
        }
        switch (op) {
        case Op::Equal:
            return Bool(c == 0);
        case Op::NotEqual:
            return Bool(c != 0);
        case Op::Less:
            return Bool(c < 0);
        case Op::Greater:
            return Bool(c > 0);
        case Op::LessEqual:
            return Bool(c <= 0);
        default:
            return Bool(c >= 0);
        }
    }

    const Expression& e_;
    const std::vector<Variant>& row_;
};

Expression Expression::Parse(std::string_view text, const ExprFieldResolver& resolve, bool caseInsensitive) {
    return FromTokens(text, TokenizeExpression(text), resolve, caseInsensitive);
}

Expression Expression::ParseCondition(std::string_view text, const ExprFieldResolver& resolve,
                                      bool caseInsensitive) {
    Expression e = Parse(text, resolve, caseInsensitive);
    if (e.ResultType() != ExprType::Boolean) ThrowExpressionError(text, 0, "o filtro deve ser uma condição");
    return e;
}

Expression Expression::FromTokens(std::string_view text, std::vector<ExprToken> tokens,
                                  const ExprFieldResolver& resolve, bool caseInsensitive) {
    Expression e;
    e.text_ = std::string(text);
    e.caseInsensitive_ = caseInsensitive;
    ExpressionParser parser(text, std::move(tokens), resolve, e);
    e.root_ = parser.ParseAll();
    return e;
}

bool Expression::Matches(const std::vector<Variant>& row) const {
    const auto v = ExpressionEvaluator(*this, row).Eval(root_);
    return v.type == ExprType::Boolean && v.boolean;
}

Variant Expression::Evaluate(const std::vector<Variant>& row) const {
    const auto v = ExpressionEvaluator(*this, row).Eval(root_);
    switch (v.type) {
    case ExprType::Null:
        return Variant::Null();
    case ExprType::Number:
        return v.number;
    case ExprType::Text:
        return std::string(v.text);
    case ExprType::Date:
        return DateTime(v.number);
    case ExprType::Boolean:
        return v.boolean;
    }
    return Variant::Null();
}

} // namespace dfe
