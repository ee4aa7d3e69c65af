#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace dfe {

// An edit mask such as ">aaaa;0; " or "999.999.999-99;0;_": the picture, whether the literals are part of
// the value (the 0 or 1 after the first ';') and the character shown in empty positions.
// Picture characters: L/l letter, A/a letter or digit, C/c any character, 0/9 digit, # digit or sign
// (upper case required, lower case optional); '>' upper-cases what follows, '<' lower-cases it, "<>" stops
// converting; '\' makes the next character a literal; '!' is accepted and ignored; the rest are literals.
class EditMask {
public:
    EditMask() = default;
    explicit EditMask(std::string_view mask);

    bool Empty() const { return positions_.empty(); }
    const std::string& Source() const { return source_; }
    bool SaveLiterals() const { return saveLiterals_; }
    char32_t BlankChar() const { return blank_; }
    // The positions that take a typed character.
    size_t InputCount() const { return inputCount_; }

    // Whether input position `index` (0-based among input positions) takes the character, and as what
    // (upper-cased under '>'); 0 when refused.
    char32_t Accept(size_t index, char32_t ch) const;
    bool IsRequired(size_t index) const;

    // The text shown: literals in place, typed characters, blanks for empty positions.
    std::u32string Display(const std::u32string& inputs) const;
    // The value: the typed characters without the empty ones, with the literals when they are saved.
    std::u32string Value(const std::u32string& inputs) const;
    // Spreads a value over the input positions; characters a position refuses are skipped. A value with
    // saved literals is read position by position.
    std::u32string InputsFromValue(std::u32string_view value) const;
    // True when every required position is filled, or nothing at all was typed.
    bool IsComplete(const std::u32string& inputs) const;

private:
    enum class Kind { Literal, Letter, AlphaNum, Any, Digit, DigitOrSign };
    enum class Case { None, Upper, Lower };
    struct Position {
        Kind kind = Kind::Literal;
        bool required = false;
        Case charCase = Case::None;
        char32_t literal = 0;
    };
    const Position& InputPosition(size_t index) const;

    std::string source_;
    std::vector<Position> positions_;
    std::vector<size_t> inputIndex_; // position of each input
    size_t inputCount_ = 0;
    bool saveLiterals_ = true;
    char32_t blank_ = U'_';
};

} // namespace dfe
