#include "platform/db/declared_type.h"

#include "platform/core/text.h"

#include <charconv>

namespace dfe::db {
namespace {

int SizeInParentheses(std::string_view decl) {
    const size_t open = decl.find('(');
    if (open == std::string_view::npos) return 0;
    int size = 0;
    const char* begin = decl.data() + open + 1;
    std::from_chars(begin, decl.data() + decl.size(), size);
    return size > 0 ? size : 0;
}

bool Contains(std::string_view s, std::string_view part) {
    return s.find(part) != std::string_view::npos;
}

} // namespace

std::optional<DeclaredType> FieldTypeOfDeclaration(std::string_view declaration) {
    const std::string decl = text::Upper(text::Trim(declaration));
    if (decl.empty()) return std::nullopt;
    if (Contains(decl, "CHAR")) return DeclaredType{FieldType::String, SizeInParentheses(decl)};
    if (Contains(decl, "INT")) return DeclaredType{FieldType::Integer, 0};
    if (Contains(decl, "NUMERIC") || Contains(decl, "DECIMAL") || Contains(decl, "REAL") ||
        Contains(decl, "DOUBLE") || Contains(decl, "FLOAT")) {
        return DeclaredType{FieldType::Float, 0};
    }
    if (Contains(decl, "DATE") || Contains(decl, "TIME")) return DeclaredType{FieldType::DateTime, 0};
    if (Contains(decl, "BOOL")) return DeclaredType{FieldType::Boolean, 0};
    if (Contains(decl, "TEXT") || Contains(decl, "CLOB")) return DeclaredType{FieldType::Memo, 0};
    if (Contains(decl, "BLOB") || Contains(decl, "BYTEA")) return DeclaredType{FieldType::Blob, 0};
    return std::nullopt;
}

} // namespace dfe::db
