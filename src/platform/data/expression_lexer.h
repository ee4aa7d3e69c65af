#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace dfe {

// The words of a filter or aggregate expression.
struct ExprToken {
    enum class Kind { Name, Number, Text, Symbol, End };
    Kind kind = Kind::End;
    std::string text;  // the name, the number as written, the unquoted text or the symbol
    size_t offset = 0; // byte offset in the expression
};

// Splits an expression into tokens; throws DataSetError naming the position of a character it cannot read.
// Names are letters, digits and '_' (a letter or '_' first), or anything between [ and ].
std::vector<ExprToken> TokenizeExpression(std::string_view text);

// "Expressão inválida na posição N: why", N counting characters from 1.
[[noreturn]] void ThrowExpressionError(std::string_view text, size_t offset, const std::string& why);

} // namespace dfe
