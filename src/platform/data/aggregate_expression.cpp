#include "platform/data/expression.h"

#include "platform/core/text.h"
#include "platform/data/expression_lexer.h"
#include "platform/data/value_compare.h"

namespace dfe {
namespace {

struct AggregateName {
    std::string_view name;
    AggregateKind kind;
};
constexpr AggregateName kAggregates[] = {{"SUM", AggregateKind::Sum},
                                         {"AVG", AggregateKind::Avg},
                                         {"MIN", AggregateKind::Min},
                                         {"MAX", AggregateKind::Max},
                                         {"COUNT", AggregateKind::Count}};

// The tokens between the outer parentheses of NAME ( ... ), closed by an End token at the ')'.
std::vector<ExprToken> ArgumentTokens(std::string_view text, const std::vector<ExprToken>& tokens) {
    if (tokens.size() < 2 || tokens[1].kind != ExprToken::Kind::Symbol || tokens[1].text != "(") {
        ThrowExpressionError(text, tokens[tokens.size() > 1 ? 1 : 0].offset, "esperava '(' depois da função");
    }
    int depth = 0;
    for (size_t i = 1; i < tokens.size(); ++i) {
        const ExprToken& t = tokens[i];
        if (t.kind != ExprToken::Kind::Symbol) continue;
        if (t.text == "(") ++depth;
        if (t.text == ")" && --depth == 0) {
            if (tokens[i + 1].kind != ExprToken::Kind::End) {
                ThrowExpressionError(text, tokens[i + 1].offset, "esperava o fim da expressão");
            }
            std::vector<ExprToken> inner(tokens.begin() + 2, tokens.begin() + static_cast<std::ptrdiff_t>(i));
            inner.push_back({ExprToken::Kind::End, "", t.offset});
            return inner;
        }
    }
    ThrowExpressionError(text, text.size(), "falta o ')' que fecha a função");
}

} // namespace

AggregateExpression AggregateExpression::Parse(std::string_view text, const ExprFieldResolver& resolve) {
    const std::vector<ExprToken> tokens = TokenizeExpression(text);
    AggregateExpression a;
    a.text_ = std::string(text);
    const ExprToken& head = tokens.front();
    const AggregateName* found = nullptr;
    for (const AggregateName& n : kAggregates) {
        if (head.kind == ExprToken::Kind::Name && text::SameText(head.text, n.name)) found = &n;
    }
    if (!found) ThrowExpressionError(text, head.offset, "esperava SUM, AVG, MIN, MAX ou COUNT");
    a.kind_ = found->kind;
    std::vector<ExprToken> argument = ArgumentTokens(text, tokens);
    const size_t argumentOffset = argument.front().offset;
    if (argument.size() == 2 && argument[0].kind == ExprToken::Kind::Symbol && argument[0].text == "*") {
        if (a.kind_ != AggregateKind::Count)
            ThrowExpressionError(text, argumentOffset, "* só vale em COUNT(*)");
        return a;
    }
    a.argument_ = Expression::FromTokens(text, std::move(argument), resolve, false);
    const ExprType type = a.argument_->ResultType();
    const bool numeric = type == ExprType::Number || type == ExprType::Null;
    if ((a.kind_ == AggregateKind::Sum || a.kind_ == AggregateKind::Avg) && !numeric) {
        ThrowExpressionError(text, argumentOffset, std::string(found->name) + " pede um valor numérico");
    }
    return a;
}

void AggregateExpression::Accumulator::Add(const std::vector<Variant>& row) {
    if (!aggregate_.argument_) {
        ++count_;
        return;
    }
    Variant v = aggregate_.argument_->Evaluate(row);
    if (v.IsNull()) return;
    ++count_;
    switch (aggregate_.kind_) {
    case AggregateKind::Sum:
    case AggregateKind::Avg:
        sum_ += v.AsFloat();
        break;
    case AggregateKind::Min:
        if (best_.IsNull() || CompareValues(v, best_) < 0) best_ = std::move(v);
        break;
    case AggregateKind::Max:
        if (best_.IsNull() || CompareValues(v, best_) > 0) best_ = std::move(v);
        break;
    case AggregateKind::Count:
        break;
    }
}

Variant AggregateExpression::Accumulator::Result() const {
    switch (aggregate_.kind_) {
    case AggregateKind::Count:
        return Variant(count_);
    case AggregateKind::Sum:
        return count_ ? Variant(sum_) : Variant::Null();
    case AggregateKind::Avg:
        return count_ ? Variant(sum_ / static_cast<double>(count_)) : Variant::Null();
    case AggregateKind::Min:
    case AggregateKind::Max:
        return best_.IsNull() ? Variant::Null() : best_;
    }
    return Variant::Null();
}

} // namespace dfe
