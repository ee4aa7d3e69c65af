#pragma once

#include "platform/data/field_type.h"

#include <optional>
#include <string_view>

namespace dfe::db {

struct DeclaredType {
    FieldType type = FieldType::String;
    int size = 0; // characters of CHAR(n) / VARCHAR(n); 0 when not declared
};

// The field type of a column's declared SQL type ("VARCHAR(4)", "NUMERIC(15,2)", "DATE", "TEXT"...); nothing
// for an empty or unknown declaration, when the values decide.
std::optional<DeclaredType> FieldTypeOfDeclaration(std::string_view declaration);

} // namespace dfe::db
