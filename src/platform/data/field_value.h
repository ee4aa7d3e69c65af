#pragma once

#include "platform/core/variant.h"
#include "platform/data/field_type.h"

#include <string>
#include <string_view>

namespace dfe {

// Turns a value into what a field of `def` stores: Null, or a string (String, Memo, Blob), int64 (Integer),
// double (Float), DateTime or bool. Text typed by a clerk is read the Brazilian way ("1.234,56",
// "31/12/2024"); blank text stores Null in a non-text field. A string longer than the field's size (counted
// in characters) is refused, never cut: the rules build fixed-width keys, and a silently shortened key
// posts wrong data. Throws DataSetError naming the field.
Variant ConvertToField(const Variant& value, const FieldDef& def);

// Same conversion without the size check, for values that only look a row up (Locate, Lookup).
Variant ConvertForSearch(const Variant& value, const FieldDef& def);

// Human name of a field type for messages ("texto", "número", ...).
const char* FieldTypeCaption(FieldType type);

} // namespace dfe
