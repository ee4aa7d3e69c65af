#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace dfe::text {

// Field widths and masks count characters, not bytes: "Lançamento" is 10 characters long.
size_t Length(std::string_view utf8);
bool IsValidUtf8(std::string_view bytes);
// Replaces every invalid sequence with U+FFFD so that stored text is always valid UTF-8.
std::string Sanitize(std::string_view bytes);

// The first `count` characters (all of it when shorter).
std::string Left(std::string_view utf8, size_t count);
std::string Right(std::string_view utf8, size_t count);
// Characters [start, start + count), 0-based.
std::string Mid(std::string_view utf8, size_t start, size_t count = std::string_view::npos);
// The code points of the text, one per character.
std::u32string Decode(std::string_view utf8);
std::string Encode(std::u32string_view codePoints);
void AppendCodePoint(std::string& out, char32_t cp);

// Upper- and lower-casing keep Portuguese accents: "ação" becomes "AÇÃO".
std::string Upper(std::string_view utf8);
std::string Lower(std::string_view utf8);
char32_t UpperChar(char32_t cp);
char32_t LowerChar(char32_t cp);
// Equal when they differ only in letter case.
bool SameText(std::string_view a, std::string_view b);
// "ação" becomes "acao": for searches that ignore accents.
std::string RemoveAccents(std::string_view utf8);

std::string Trim(std::string_view s);
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);

// Left-pads to `width` characters with `fill`; longer text is returned unchanged.
std::string PadLeft(std::string_view utf8, size_t width, char fill = ' ');
std::string PadRight(std::string_view utf8, size_t width, char fill = ' ');

// Splits on every occurrence of the separator; "a||b" gives "a", "", "b".
std::vector<std::string> Split(std::string_view s, char separator);
std::string Replace(std::string_view s, std::string_view from, std::string_view to);
bool StartsWith(std::string_view s, std::string_view prefix);
bool EndsWith(std::string_view s, std::string_view suffix);
bool IsDigits(std::string_view s); // non-empty and only 0-9

} // namespace dfe::text
