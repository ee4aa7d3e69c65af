#include "platform/db/sql_parameters.h"

#include "platform/core/text.h"

namespace dfe::db {
namespace {

bool IsNameStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool IsNameChar(char c) {
    return IsNameStart(c) || (c >= '0' && c <= '9');
}

// Length of the quoted literal or comment starting at `i`, or 0 when none starts there.
size_t SkipLiteralOrComment(std::string_view sql, size_t i) {
    const char c = sql[i];
    if (c == '\'' || c == '"') {
        size_t j = i + 1;
        while (j < sql.size()) {
            if (sql[j] == c) {
                if (j + 1 < sql.size() && sql[j + 1] == c) { // doubled quote inside the literal
                    j += 2;
                    continue;
                }
                return j + 1 - i;
            }
            ++j;
        }
        return sql.size() - i;
    }
    if (c == '-' && i + 1 < sql.size() && sql[i + 1] == '-') {
        const size_t end = sql.find('\n', i);
        return (end == std::string_view::npos ? sql.size() : end) - i;
    }
    if (c == '/' && i + 1 < sql.size() && sql[i + 1] == '*') {
        const size_t end = sql.find("*/", i + 2);
        return (end == std::string_view::npos ? sql.size() : end + 2) - i;
    }
    return 0;
}

} // namespace

ParsedSql::ParsedSql(std::string_view sql) {
    std::string current;
    size_t i = 0;
    while (i < sql.size()) {
        if (const size_t skip = SkipLiteralOrComment(sql, i)) {
            current.append(sql.substr(i, skip));
            i += skip;
            continue;
        }
        const char c = sql[i];
        if (c == ':' && i + 1 < sql.size() && sql[i + 1] == ':') { // a cast, not a parameter
            current.append("::");
            i += 2;
            continue;
        }
        if (c == ':' && i + 1 < sql.size() && IsNameStart(sql[i + 1])) {
            size_t end = i + 1;
            while (end < sql.size() && IsNameChar(sql[end]))
                ++end;
            const std::string name = text::Upper(sql.substr(i + 1, end - i - 1));
            int index = IndexOf(name);
            if (index < 0) {
                index = static_cast<int>(names_.size());
                names_.push_back(name);
            }
            pieces_.push_back({std::move(current), -1});
            current.clear();
            pieces_.push_back({{}, index});
            i = end;
            continue;
        }
        current.push_back(c);
        ++i;
    }
    pieces_.push_back({std::move(current), -1});
}

int ParsedSql::IndexOf(std::string_view name) const {
    for (size_t i = 0; i < names_.size(); ++i) {
        if (text::SameText(names_[i], name)) return static_cast<int>(i);
    }
    return -1;
}

std::string ParsedSql::Render(PlaceholderStyle style) const {
    std::string out;
    for (const Piece& piece : pieces_) {
        if (piece.parameter < 0) {
            out += piece.text;
            continue;
        }
        out += style == PlaceholderStyle::QuestionNumber ? '?' : '$';
        out += std::to_string(piece.parameter + 1);
    }
    return out;
}

} // namespace dfe::db
