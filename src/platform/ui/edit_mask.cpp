#include "platform/ui/edit_mask.h"

#include "platform/core/text.h"

namespace dfe {
namespace {

bool IsLetter(char32_t ch) {
    if ((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z')) return true;
    return ch >= 0xC0 && text::UpperChar(ch) != text::LowerChar(ch);
}
bool IsDigit(char32_t ch) {
    return ch >= '0' && ch <= '9';
}

// The last two unescaped ';' split off the literal flag and the blank character.
std::vector<std::u32string> SplitFields(const std::u32string& mask) {
    std::vector<std::u32string> fields(1);
    for (size_t i = 0; i < mask.size(); ++i) {
        if (mask[i] == U'\\' && i + 1 < mask.size()) {
            fields.back() += mask[i];
            fields.back() += mask[++i];
        } else if (mask[i] == U';') {
            fields.emplace_back();
        } else {
            fields.back() += mask[i];
        }
    }
    if (fields.size() > 3) {
        // More separators than fields: the extra ones belong to the picture.
        std::u32string picture = fields[0];
        for (size_t i = 1; i + 2 < fields.size(); ++i)
            picture += U';' + fields[i];
        fields = {picture, fields[fields.size() - 2], fields.back()};
    }
    return fields;
}

} // namespace

EditMask::EditMask(std::string_view mask) : source_(mask) {
    auto fields = SplitFields(text::Decode(mask));
    if (fields.size() >= 2) saveLiterals_ = !(fields[1] == U"0");
    if (fields.size() >= 3 && !fields[2].empty()) blank_ = fields[2][0];
    const std::u32string& picture = fields[0];
    Case charCase = Case::None;
    for (size_t i = 0; i < picture.size(); ++i) {
        char32_t ch = picture[i];
        Position p;
        switch (ch) {
        case '>':
            charCase = Case::Upper;
            continue;
        case '<':
            if (i + 1 < picture.size() && picture[i + 1] == '>') {
                ++i;
                charCase = Case::None;
            } else {
                charCase = Case::Lower;
            }
            continue;
        case '!':
            continue;
        case '\\':
            if (i + 1 < picture.size()) ch = picture[++i];
            p.literal = ch;
            break;
        case 'L':
            p = {Kind::Letter, true, charCase, 0};
            break;
        case 'l':
            p = {Kind::Letter, false, charCase, 0};
            break;
        case 'A':
            p = {Kind::AlphaNum, true, charCase, 0};
            break;
        case 'a':
            p = {Kind::AlphaNum, false, charCase, 0};
            break;
        case 'C':
            p = {Kind::Any, true, charCase, 0};
            break;
        case 'c':
            p = {Kind::Any, false, charCase, 0};
            break;
        case '0':
            p = {Kind::Digit, true, charCase, 0};
            break;
        case '9':
            p = {Kind::Digit, false, charCase, 0};
            break;
        case '#':
            p = {Kind::DigitOrSign, false, charCase, 0};
            break;
        default:
            p.literal = ch;
            break;
        }
        if (p.kind != Kind::Literal) {
            inputIndex_.push_back(positions_.size());
            ++inputCount_;
        }
        positions_.push_back(p);
    }
}

const EditMask::Position& EditMask::InputPosition(size_t index) const {
    return positions_[inputIndex_[index]];
}

char32_t EditMask::Accept(size_t index, char32_t ch) const {
    if (index >= inputCount_ || ch < 32) return 0;
    const Position& p = InputPosition(index);
    bool ok = false;
    switch (p.kind) {
    case Kind::Letter:
        ok = IsLetter(ch);
        break;
    case Kind::AlphaNum:
        ok = IsLetter(ch) || IsDigit(ch);
        break;
    case Kind::Any:
        ok = true;
        break;
    case Kind::Digit:
        ok = IsDigit(ch);
        break;
    case Kind::DigitOrSign:
        ok = IsDigit(ch) || ch == '+' || ch == '-';
        break;
    case Kind::Literal:
        ok = false;
        break;
    }
    if (!ok) return 0;
    if (p.charCase == Case::Upper) return text::UpperChar(ch);
    if (p.charCase == Case::Lower) return text::LowerChar(ch);
    return ch;
}

bool EditMask::IsRequired(size_t index) const {
    return index < inputCount_ && InputPosition(index).required;
}

std::u32string EditMask::Display(const std::u32string& inputs) const {
    std::u32string out;
    size_t input = 0;
    for (const Position& p : positions_) {
        if (p.kind == Kind::Literal) {
            out += p.literal;
        } else {
            char32_t ch = input < inputs.size() ? inputs[input] : 0;
            out += ch ? ch : blank_;
            ++input;
        }
    }
    return out;
}

std::u32string EditMask::Value(const std::u32string& inputs) const {
    if (saveLiterals_) {
        bool any = false;
        for (char32_t ch : inputs)
            any = any || ch != 0;
        return any ? Display(inputs) : std::u32string();
    }
    std::u32string out;
    for (char32_t ch : inputs)
        if (ch) out += ch;
    return out;
}

std::u32string EditMask::InputsFromValue(std::u32string_view value) const {
    std::u32string inputs(inputCount_, 0);
    if (saveLiterals_) {
        size_t input = 0;
        for (size_t i = 0; i < positions_.size() && i < value.size(); ++i) {
            if (positions_[i].kind == Kind::Literal) continue;
            inputs[input] = Accept(input, value[i]);
            ++input;
        }
        return inputs;
    }
    size_t input = 0;
    for (char32_t ch : value) {
        if (input >= inputCount_) break;
        if (char32_t accepted = Accept(input, ch)) inputs[input++] = accepted;
    }
    return inputs;
}

bool EditMask::IsComplete(const std::u32string& inputs) const {
    bool any = false;
    for (char32_t ch : inputs)
        any = any || ch != 0;
    if (!any) return true;
    for (size_t i = 0; i < inputCount_; ++i)
        if (IsRequired(i) && (i >= inputs.size() || inputs[i] == 0)) return false;
    return true;
}

} // namespace dfe
