#pragma once

#include "platform/core/variant.h"
#include "platform/data/field_type.h"

#include <compare>
#include <cstdint>
#include <string>
#include <vector>

namespace dfe {

// The first 16 bytes of a row's key in a form that orders like the key: when two prefixes differ they
// decide the order, when equal the full values must. Binary searches and sorts compare these contiguous
// prefixes instead of chasing every row's values through memory.
struct KeyPrefix {
    uint64_t high = 0;
    uint64_t low = 0;
    friend auto operator<=>(const KeyPrefix&, const KeyPrefix&) = default;
};

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
    KeyPrefix Prefix(const std::vector<Variant>& row) const;
    // The prefix of search values for the first key.size() fields.
    KeyPrefix Prefix(const std::vector<const Variant*>& key) const;
};

// Fills order.keys from its field names against the stored fields `dataDefs` (in row order); throws
// DataSetError naming a field that does not exist. No names: no keys (insertion order).
void ResolveOrderKeys(RecordOrder& order, const std::vector<FieldDef>& dataDefs, const std::string& owner);

} // namespace dfe
