#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace dfe::db {

// How a backend writes the n-th (1-based) parameter: SQLite "?1", PostgreSQL "$1".
enum class PlaceholderStyle { QuestionNumber, DollarNumber };

// A statement with its ":NAME" parameters found. Names are compared without case; a name used twice is one
// parameter. Text inside quotes or comments and PostgreSQL "::" casts are not parameters.
class ParsedSql {
public:
    explicit ParsedSql(std::string_view sql);

    // Upper-case names, in order of first appearance.
    const std::vector<std::string>& Names() const { return names_; }
    bool Has(std::string_view name) const { return IndexOf(name) >= 0; }
    int IndexOf(std::string_view name) const; // 0-based, -1 when absent
    // The text with each parameter replaced by the backend's placeholder of its index.
    std::string Render(PlaceholderStyle style) const;

private:
    struct Piece {
        std::string text;
        int parameter = -1; // >= 0: this piece is a placeholder for that parameter
    };
    std::vector<Piece> pieces_;
    std::vector<std::string> names_;
};

} // namespace dfe::db
