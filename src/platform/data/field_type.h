#pragma once

#include <cstdint>
#include <string>

namespace dfe {

// Storage types of dataset fields. Calculated fields have one of these types too but are never stored
// in a packet.
enum class FieldType : uint8_t {
    String = 1,   // size = maximum number of characters
    Integer = 2,  // 64-bit
    Float = 3,    // double
    DateTime = 4, // DateTime (days since 1899-12-30)
    Boolean = 5,
    Memo = 6, // unbounded text
    Blob = 7, // unbounded bytes (rich text, images)
};

const char* FieldTypeName(FieldType type);
bool IsKnownFieldType(uint8_t raw);

// The definition of one field as data packets carry it.
struct FieldDef {
    std::string name;
    FieldType type = FieldType::String;
    int size = 0; // characters, for String
    bool required = false;

    friend bool operator==(const FieldDef&, const FieldDef&) = default;
};

} // namespace dfe
