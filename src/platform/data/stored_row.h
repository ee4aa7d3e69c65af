#pragma once

#include "platform/core/variant.h"
#include "platform/data/packet.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace dfe {

// One row of a dataset with its change-log status.
struct StoredRow {
    std::vector<Variant> values; // current values, one per data field
    // The values as loaded, kept from the first change of a loaded row until the log is merged or cancelled.
    std::unique_ptr<std::vector<Variant>> original;
    uint32_t serial = 0; // identity for bookmarks
    uint32_t changeSeq =
        0; // when the row took its current status, to list changes in the order they happened
    RowStatus status = RowStatus::Unmodified;
    bool dead = false; // an inserted row that was deleted or reverted: gone, awaiting compaction

    const std::vector<Variant>& LoadedValues() const { return original ? *original : values; }
};

} // namespace dfe
