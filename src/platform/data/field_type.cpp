#include "platform/data/field_type.h"

namespace dfe {

const char* FieldTypeName(FieldType type) {
    switch (type) {
    case FieldType::String:
        return "String";
    case FieldType::Integer:
        return "Integer";
    case FieldType::Float:
        return "Float";
    case FieldType::DateTime:
        return "DateTime";
    case FieldType::Boolean:
        return "Boolean";
    case FieldType::Memo:
        return "Memo";
    case FieldType::Blob:
        return "Blob";
    }
    return "?";
}

bool IsKnownFieldType(uint8_t raw) {
    return raw >= 1 && raw <= 7;
}

} // namespace dfe
