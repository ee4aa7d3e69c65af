#include "platform/data/expression_lexer.h"

#include "platform/core/text.h"
#include "platform/data/data_error.h"

namespace dfe {
namespace {

bool IsNameStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsNamePart(char c) {
    return IsNameStart(c) || IsDigit(c);
}

class Lexer {
public:
    explicit Lexer(std::string_view text) : text_(text) {}

    std::vector<ExprToken> Run() {
        std::vector<ExprToken> tokens;
        while (true) {
            SkipSpaces();
            if (pos_ >= text_.size()) break;
            tokens.push_back(Next());
        }
        tokens.push_back({ExprToken::Kind::End, "", text_.size()});
        return tokens;
    }

private:
    void SkipSpaces() {
        while (pos_ < text_.size() &&
               (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\r' || text_[pos_] == '\n')) {
            ++pos_;
        }
    }

    ExprToken Next() {
        const char c = text_[pos_];
        if (IsNameStart(c)) return Name();
        if (IsDigit(c) || (c == '.' && pos_ + 1 < text_.size() && IsDigit(text_[pos_ + 1]))) return Number();
        if (c == '\'') return Quoted();
        if (c == '[') return Bracketed();
        return Symbol();
    }

    ExprToken Name() {
        const size_t start = pos_;
        while (pos_ < text_.size() && IsNamePart(text_[pos_]))
            ++pos_;
        return {ExprToken::Kind::Name, std::string(text_.substr(start, pos_ - start)), start};
    }

    ExprToken Bracketed() {
        const size_t start = pos_;
        const size_t close = text_.find(']', pos_);
        if (close == std::string_view::npos) ThrowExpressionError(text_, start, "falta o ] que fecha o nome");
        pos_ = close + 1;
        const std::string name(text_.substr(start + 1, close - start - 1));
        if (name.empty()) ThrowExpressionError(text_, start, "nome de campo vazio");
        return {ExprToken::Kind::Name, name, start};
    }

    ExprToken Number() {
        const size_t start = pos_;
        bool point = false;
        while (pos_ < text_.size() && (IsDigit(text_[pos_]) || (text_[pos_] == '.' && !point))) {
            point = point || text_[pos_] == '.';
            ++pos_;
        }
        if (pos_ < text_.size() && IsNameStart(text_[pos_])) {
            ThrowExpressionError(text_, pos_, "número mal formado");
        }
        return {ExprToken::Kind::Number, std::string(text_.substr(start, pos_ - start)), start};
    }

    ExprToken Quoted() {
        const size_t start = pos_++;
        std::string value;
        while (true) {
            if (pos_ >= text_.size()) ThrowExpressionError(text_, start, "texto sem o apóstrofo que o fecha");
            const char c = text_[pos_++];
            if (c != '\'') {
                value += c;
            } else if (pos_ < text_.size() && text_[pos_] == '\'') {
                value += '\'';
                ++pos_;
            } else {
                break;
            }
        }
        return {ExprToken::Kind::Text, value, start};
    }

    ExprToken Symbol() {
        const size_t start = pos_;
        static constexpr std::string_view twoChar[] = {"<>", "<=", ">=", "!="};
        for (std::string_view s : twoChar) {
            if (text_.substr(pos_, 2) == s) {
                pos_ += 2;
                return {ExprToken::Kind::Symbol, s == "!=" ? "<>" : std::string(s), start};
            }
        }
        const char c = text_[pos_];
        if (std::string_view("=<>+-*/(),").find(c) == std::string_view::npos) {
            ThrowExpressionError(text_, start,
                                 "caractere inesperado '" + text::Left(text_.substr(pos_), 1) + "'");
        }
        ++pos_;
        return {ExprToken::Kind::Symbol, std::string(1, c), start};
    }

    std::string_view text_;
    size_t pos_ = 0;
};

} // namespace

std::vector<ExprToken> TokenizeExpression(std::string_view text) {
    return Lexer(text).Run();
}

void ThrowExpressionError(std::string_view text, size_t offset, const std::string& why) {
    const size_t column = text::Length(text.substr(0, std::min(offset, text.size()))) + 1;
    throw DataSetError("Expressão inválida na posição " + std::to_string(column) + ": " + why + " (\"" +
                       std::string(text) + "\")");
}

} // namespace dfe
