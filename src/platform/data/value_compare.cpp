#include "platform/data/value_compare.h"

#include "platform/core/text.h"

namespace dfe {
namespace {

// One code point from UTF-8; a broken sequence reads as its lead byte so that comparing never fails.
char32_t NextCodePoint(std::string_view s, size_t& pos) {
    const auto lead = static_cast<unsigned char>(s[pos]);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    const size_t extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    if (extra == 0 || pos + extra >= s.size()) {
        ++pos;
        return lead;
    }
    char32_t cp = lead & (0x3F >> extra);
    for (size_t i = 1; i <= extra; ++i) {
        const auto c = static_cast<unsigned char>(s[pos + i]);
        if ((c & 0xC0) != 0x80) {
            ++pos;
            return lead;
        }
        cp = (cp << 6) | (c & 0x3F);
    }
    pos += extra + 1;
    return cp;
}

int Sign(int v) {
    return (v > 0) - (v < 0);
}

template <class T> int Order(T a, T b) {
    return (a > b) - (a < b);
}

} // namespace

int CompareText(std::string_view a, std::string_view b, bool caseInsensitive) {
    if (!caseInsensitive) return Sign(a.compare(b));
    size_t i = 0;
    size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const char32_t ca = text::UpperChar(NextCodePoint(a, i));
        const char32_t cb = text::UpperChar(NextCodePoint(b, j));
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    return Order(i < a.size() ? 1 : 0, j < b.size() ? 1 : 0);
}

bool TextStartsWith(std::string_view text, std::string_view prefix, bool caseInsensitive) {
    if (!caseInsensitive) return text.substr(0, prefix.size()) == prefix;
    size_t i = 0;
    size_t j = 0;
    while (j < prefix.size()) {
        if (i >= text.size()) return false;
        if (text::UpperChar(NextCodePoint(text, i)) != text::UpperChar(NextCodePoint(prefix, j)))
            return false;
    }
    return true;
}

int CompareValues(const Variant& a, const Variant& b, bool caseInsensitive) {
    const VariantType ta = a.Type();
    const VariantType tb = b.Type();
    const bool nullA = a.IsNull();
    const bool nullB = b.IsNull();
    if (nullA || nullB) return Order(nullA ? 0 : 1, nullB ? 0 : 1);
    const std::string* textA = a.TextIf();
    const std::string* textB = b.TextIf();
    if (textA && textB) return CompareText(*textA, *textB, caseInsensitive);
    if (ta == VariantType::Integer && tb == VariantType::Integer) return Order(a.AsInteger(), b.AsInteger());
    const auto numeric = [](VariantType t) {
        return t == VariantType::Integer || t == VariantType::Double || t == VariantType::DateTime ||
               t == VariantType::Boolean;
    };
    if (numeric(ta) && numeric(tb)) return Order(a.AsFloat(), b.AsFloat());
    return Order(static_cast<int>(ta), static_cast<int>(tb));
}

} // namespace dfe
