#pragma once

#include "platform/core/variant.h"
#include "platform/data/field_type.h"

#include <string>
#include <vector>

namespace dfe {

struct OrderKey {
    int slot = 0; // position in the row
    bool descending = false;
};

// An index: the fields that order the view, as named ("DTORIGVENPAG;NRSEQVENPAG") and as resolved against
// the dataset's current fields.
struct RecordOrder {
    std::string fieldNames;
    std::string descendingFields;
    bool caseInsensitive = false;
    std::vector<OrderKey> keys;

    bool Active() const { return !keys.empty(); }
    int Compare(const std::vector<Variant>& a, const std::vector<Variant>& b) const;
    // Compares a row's first keys.size() fields with search values given in key order.
    int CompareKeys(const std::vector<Variant>& row, const std::vector<const Variant*>& key) const;
};

// Fills order.keys from its field names against the stored fields `dataDefs` (in row order); throws
// DataSetError naming a field that does not exist. No names: no keys (insertion order).
void ResolveOrderKeys(RecordOrder& order, const std::vector<FieldDef>& dataDefs, const std::string& owner);

} // namespace dfe
