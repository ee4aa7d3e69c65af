#pragma once

#include "platform/core/variant.h"
#include "platform/data/field_type.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dfe {

struct ExprToken;

enum class ExprType : uint8_t { Null, Number, Text, Date, Boolean };

// Where a field named in an expression lives in a row, and its type.
struct ExprField {
    int slot = -1;
    FieldType type = FieldType::String;
};
using ExprFieldResolver = std::function<std::optional<ExprField>(std::string_view name)>;

// A filter or aggregate expression over one row: field names, numbers, 'text' ('' for a quote), TRUE, FALSE,
// + - * / on numbers, = <> < > <= >=, AND OR NOT, IS [NOT] NULL and parentheses. Names and keywords ignore
// letter case. Types are checked when parsing, so a wrong expression fails once, with its position, and never
// while rows are read. A comparison with a Null value is false; arithmetic with Null or division by zero is
// Null.
class Expression {
public:
    // Throws DataSetError "Expressão inválida na posição N: ..." (N counts characters from 1).
    static Expression Parse(std::string_view text, const ExprFieldResolver& resolve,
                            bool caseInsensitive = false);

    // Same, for a filter: the expression must be a condition.
    static Expression ParseCondition(std::string_view text, const ExprFieldResolver& resolve,
                                     bool caseInsensitive = false);

    ExprType ResultType() const { return nodes_[root_].type; }
    const std::string& Text() const { return text_; }

    // For a condition: true only when it holds (Null counts as false).
    bool Matches(const std::vector<Variant>& row) const;
    Variant Evaluate(const std::vector<Variant>& row) const;

private:
    friend class ExpressionParser;
    static Expression FromTokens(std::string_view text, std::vector<ExprToken> tokens,
                                 const ExprFieldResolver& resolve, bool caseInsensitive);
    friend class ExpressionEvaluator;
    friend class AggregateExpression;

    enum class Op : uint8_t {
        Literal,
        Field,
        Negate,
        Add,
        Subtract,
        Multiply,
        Divide,
        Equal,
        NotEqual,
        Less,
        Greater,
        LessEqual,
        GreaterEqual,
        And,
        Or,
        Not,
        IsNull,
        IsNotNull
    };
    struct Node {
        Op op = Op::Literal;
        ExprType type = ExprType::Null;
        int left = -1;
        int right = -1;
        int slot = -1;
        FieldType fieldType = FieldType::String;
        double number = 0.0;
        bool boolean = false;
        std::string text;
    };

    std::string text_;
    std::vector<Node> nodes_;
    int root_ = 0;
    bool caseInsensitive_ = false;
};

enum class AggregateKind : uint8_t { Sum, Avg, Min, Max, Count };

// SUM(expr), AVG(expr), MIN(expr), MAX(expr), COUNT(expr) or COUNT(*). Nulls are skipped; over no values
// SUM, AVG, MIN and MAX give Null and COUNT gives 0. MIN and MAX also order text and dates.
class AggregateExpression {
public:
    static AggregateExpression Parse(std::string_view text, const ExprFieldResolver& resolve);

    AggregateKind Kind() const { return kind_; }
    const std::string& Text() const { return text_; }

    // Feed it the rows one by one, then read the result.
    class Accumulator {
    public:
        explicit Accumulator(const AggregateExpression& aggregate) : aggregate_(aggregate) {}
        void Add(const std::vector<Variant>& row);
        Variant Result() const;

    private:
        const AggregateExpression& aggregate_;
        int64_t count_ = 0;
        double sum_ = 0.0;
        Variant best_;
    };

private:
    std::string text_;
    AggregateKind kind_ = AggregateKind::Count;
    std::optional<Expression> argument_; // empty for COUNT(*)
};

} // namespace dfe
