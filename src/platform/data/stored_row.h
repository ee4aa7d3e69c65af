#pragma once

#include "platform/core/variant.h"
#include "platform/data/packet.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace dfe {

// One row of a dataset with its change-log status.
struct StoredRow {
    std::vector<Variant> values; // current values, one per data field
    // For a loaded row changed since: the loaded value of each field that changed (slot, value). Only the
    // changed fields are kept, so editing one field of a wide row copies one value.
    std::vector<std::pair<uint32_t, Variant>> originals;
    uint32_t serial = 0; // identity for bookmarks
    uint32_t changeSeq =
        0; // when the row took its current status, to list changes in the order they happened
    RowStatus status = RowStatus::Unmodified;
    bool dead = false; // an inserted row that was deleted or reverted: gone, awaiting compaction

    // The value a field had when loaded (or last merged).
    const Variant& LoadedValue(size_t slot) const {
        for (const auto& [s, v] : originals) {
            if (s == slot) return v;
        }
        return values[slot];
    }
    std::vector<Variant> LoadedValues() const {
        std::vector<Variant> out = values;
        for (const auto& [s, v] : originals)
            out[s] = v;
        return out;
    }
    // Puts the loaded values back.
    void Revert() {
        for (auto& [s, v] : originals)
            values[s] = std::move(v);
        originals.clear();
    }
};

} // namespace dfe
