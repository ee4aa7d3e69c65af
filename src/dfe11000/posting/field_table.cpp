#include "dfe11000/posting/field_table.h"

namespace dfe::dfe11000 {

void DeclareFields(DataSet& dataSet, std::span<const FieldRow> rows) {
    if (dataSet.FieldCount() > 0 || dataSet.Active()) return;
    for (const FieldRow& row : rows) {
        const FieldDef def{row.name, row.type, row.type == FieldType::String ? row.size : 0};
        Field& field = row.calculated ? dataSet.DeclareCalculatedField(def) : dataSet.DeclareField(def);
        if (*row.caption) field.SetDisplayLabel(row.caption);
        if (*row.format) field.SetDisplayFormat(row.format);
    }
}

} // namespace dfe::dfe11000
