#include "platform/core/text.h"

#include <cstdint>
#include <cstring>

namespace dfe::text {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one code point at `pos`; returns false (and consumes one byte) for an invalid sequence.
bool DecodeOne(std::string_view s, size_t& pos, char32_t& cp) {
    const auto b0 = static_cast<unsigned char>(s[pos]);
    if (b0 < 0x80) {
        cp = b0;
        ++pos;
        return true;
    }
    int extra = 0;
    char32_t min = 0;
    if ((b0 & 0xE0) == 0xC0) {
        extra = 1;
        cp = b0 & 0x1F;
        min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        extra = 2;
        cp = b0 & 0x0F;
        min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        extra = 3;
        cp = b0 & 0x07;
        min = 0x10000;
    } else {
        ++pos;
        return false;
    }
    if (pos + static_cast<size_t>(extra) >= s.size()) {
        ++pos;
        return false;
    }
    for (int i = 1; i <= extra; ++i) {
        const auto b = static_cast<unsigned char>(s[pos + static_cast<size_t>(i)]);
        if ((b & 0xC0) != 0x80) {
            ++pos;
            return false;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++pos;
        return false;
    }
    pos += static_cast<size_t>(extra) + 1;
    return true;
}

// Byte offset of the character number `index` (or the end).
size_t ByteOffset(std::string_view s, size_t index) {
    size_t pos = 0;
    char32_t cp = 0;
    while (index > 0 && pos < s.size()) {
        DecodeOne(s, pos, cp);
        --index;
    }
    return pos;
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

// How many leading bytes are ASCII, read eight at a time: most texts are, and need no decoding.
size_t AsciiPrefix(std::string_view s) {
    size_t pos = 0;
    constexpr uint64_t kHighBits = 0x8080808080808080ull;
    while (pos + 8 <= s.size()) {
        uint64_t word = 0;
        std::memcpy(&word, s.data() + pos, sizeof word);
        if (word & kHighBits) break;
        pos += 8;
    }
    while (pos < s.size() && static_cast<unsigned char>(s[pos]) < 0x80)
        ++pos;
    return pos;
}
} // namespace

size_t Length(std::string_view s) {
    size_t pos = AsciiPrefix(s);
    size_t count = pos;
    char32_t cp = 0;
    while (pos < s.size()) {
        DecodeOne(s, pos, cp);
        ++count;
    }
    return count;
}

bool IsValidUtf8(std::string_view s) {
    size_t pos = AsciiPrefix(s);
    char32_t cp = 0;
    while (pos < s.size()) {
        if (!DecodeOne(s, pos, cp)) return false;
    }
    return true;
}

void AppendCodePoint(std::string& out, char32_t cp) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = kReplacement;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::string Sanitize(std::string_view s) {
    if (IsValidUtf8(s)) return std::string(s);
    std::string out;
    out.reserve(s.size() + 8);
    size_t pos = 0;
    char32_t cp = 0;
    while (pos < s.size()) {
        AppendCodePoint(out, DecodeOne(s, pos, cp) ? cp : kReplacement);
    }
    return out;
}

std::u32string Decode(std::string_view s) {
    std::u32string out;
    out.reserve(s.size());
    size_t pos = 0;
    char32_t cp = 0;
    while (pos < s.size())
        out += DecodeOne(s, pos, cp) ? cp : kReplacement;
    return out;
}

std::string Encode(std::u32string_view cps) {
    std::string out;
    out.reserve(cps.size());
    for (char32_t cp : cps)
        AppendCodePoint(out, cp);
    return out;
}

std::string Left(std::string_view s, size_t count) {
    return std::string(s.substr(0, ByteOffset(s, count)));
}

std::string Right(std::string_view s, size_t count) {
    const size_t length = Length(s);
    return count >= length ? std::string(s) : Mid(s, length - count);
}

std::string Mid(std::string_view s, size_t start, size_t count) {
    const size_t begin = ByteOffset(s, start);
    if (count == std::string_view::npos) return std::string(s.substr(begin));
    const size_t end = begin + ByteOffset(s.substr(begin), count);
    return std::string(s.substr(begin, end - begin));
}

// Latin Extended-A letters come in (upper, lower) pairs; in these ranges the upper one is even, elsewhere
// odd.
static bool UpperIsEvenInExtendedA(char32_t cp) {
    return (cp >= 0x100 && cp <= 0x137) || (cp >= 0x14A && cp <= 0x177);
}
static bool UpperIsOddInExtendedA(char32_t cp) {
    return (cp >= 0x139 && cp <= 0x148) || (cp >= 0x179 && cp <= 0x17E);
}

char32_t UpperChar(char32_t cp) {
    if (cp >= 'a' && cp <= 'z') return cp - 32;
    // Latin-1 letters à..þ except the division sign; ÿ upper-cases outside Latin-1.
    if (cp >= 0xE0 && cp <= 0xFE && cp != 0xF7) return cp - 32;
    if (cp == 0xFF) return 0x178;
    if (UpperIsEvenInExtendedA(cp) && (cp & 1)) return cp - 1;
    if (UpperIsOddInExtendedA(cp) && !(cp & 1)) return cp - 1;
    return cp;
}

char32_t LowerChar(char32_t cp) {
    if (cp >= 'A' && cp <= 'Z') return cp + 32;
    if (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7) return cp + 32;
    if (cp == 0x178) return 0xFF;
    if (UpperIsEvenInExtendedA(cp) && !(cp & 1)) return cp + 1;
    if (UpperIsOddInExtendedA(cp) && (cp & 1)) return cp + 1;
    return cp;
}

std::string Upper(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    // Names and codes are plain ASCII: those need no decoding.
    size_t ascii = 0;
    while (ascii < s.size() && static_cast<unsigned char>(s[ascii]) < 0x80)
        ++ascii;
    for (size_t i = 0; i < ascii; ++i)
        out.push_back(s[i] >= 'a' && s[i] <= 'z' ? static_cast<char>(s[i] - 32) : s[i]);
    size_t pos = ascii;
    char32_t cp = 0;
    while (pos < s.size())
        AppendCodePoint(out, DecodeOne(s, pos, cp) ? UpperChar(cp) : kReplacement);
    return out;
}

std::string Lower(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    size_t pos = 0;
    char32_t cp = 0;
    while (pos < s.size())
        AppendCodePoint(out, DecodeOne(s, pos, cp) ? LowerChar(cp) : kReplacement);
    return out;
}

bool SameText(std::string_view a, std::string_view b) {
    size_t pa = 0, pb = 0;
    // Plain ASCII on both sides needs no decoding.
    for (; pa < a.size() && pa < b.size(); ++pa, ++pb) {
        const unsigned char x = static_cast<unsigned char>(a[pa]), y = static_cast<unsigned char>(b[pb]);
        if ((x | y) >= 0x80) break;
        if (x != y && (x & 0xDF) != (y & 0xDF)) return false;
        if (x != y && !((x | 0x20) >= 'a' && (x | 0x20) <= 'z')) return false;
    }
    char32_t ca = 0, cb = 0;
    while (pa < a.size() && pb < b.size()) {
        if (!DecodeOne(a, pa, ca)) ca = kReplacement;
        if (!DecodeOne(b, pb, cb)) cb = kReplacement;
        if (UpperChar(ca) != UpperChar(cb)) return false;
    }
    return pa == a.size() && pb == b.size();
}

std::string RemoveAccents(std::string_view s) {
    // Latin-1 letters from U+00C0 to U+00FF, each mapped to its base letter ('\0' keeps the original).
    static constexpr char kBase[] = "AAAAAAACEEEEIIII"
                                    "DNOOOOO\0OUUUUYTs"
                                    "aaaaaaaceeeeiiii"
                                    "dnooooo\0ouuuuyty";
    std::string out;
    out.reserve(s.size());
    size_t pos = 0;
    char32_t cp = 0;
    while (pos < s.size()) {
        if (!DecodeOne(s, pos, cp)) cp = kReplacement;
        if (cp >= 0xC0 && cp <= 0xFF && kBase[cp - 0xC0] != '\0') {
            out += kBase[cp - 0xC0];
        } else {
            AppendCodePoint(out, cp);
        }
    }
    return out;
}

std::string TrimLeft(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && IsSpace(s[i]))
        ++i;
    return std::string(s.substr(i));
}

std::string TrimRight(std::string_view s) {
    size_t n = s.size();
    while (n > 0 && IsSpace(s[n - 1]))
        --n;
    return std::string(s.substr(0, n));
}

std::string Trim(std::string_view s) {
    return TrimLeft(TrimRight(s));
}

std::string PadLeft(std::string_view s, size_t width, char fill) {
    const size_t length = Length(s);
    if (length >= width) return std::string(s);
    return std::string(width - length, fill) + std::string(s);
}

std::string PadRight(std::string_view s, size_t width, char fill) {
    const size_t length = Length(s);
    if (length >= width) return std::string(s);
    return std::string(s) + std::string(width - length, fill);
}

std::vector<std::string> Split(std::string_view s, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (true) {
        const size_t at = s.find(separator, start);
        if (at == std::string_view::npos) {
            parts.emplace_back(s.substr(start));
            return parts;
        }
        parts.emplace_back(s.substr(start, at - start));
        start = at + 1;
    }
}

std::string Replace(std::string_view s, std::string_view from, std::string_view to) {
    if (from.empty()) return std::string(s);
    std::string out;
    size_t start = 0;
    while (true) {
        const size_t at = s.find(from, start);
        if (at == std::string_view::npos) break;
        out.append(s.substr(start, at - start));
        out.append(to);
        start = at + from.size();
    }
    out.append(s.substr(start));
    return out;
}

bool StartsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

bool EndsWith(std::string_view s, std::string_view suffix) {
    return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

bool IsDigits(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

} // namespace dfe::text
