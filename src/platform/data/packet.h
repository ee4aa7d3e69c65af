#pragma once

#include "platform/core/variant.h"
#include "platform/data/field_type.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace dfe {

// How a row of a delta packet changed; rows of a data packet are all Unmodified.
enum class RowStatus : uint8_t {
    Unmodified = 0,
    Inserted = 1,
    Modified = 2, // `original` holds the values before the change
    Deleted = 3,  // `values` holds the values the row had
};

struct PacketRow {
    RowStatus status = RowStatus::Unmodified;
    std::vector<Variant> values;   // one per field, Null or of the field's type
    std::vector<Variant> original; // Modified rows only

    friend bool operator==(const PacketRow&, const PacketRow&) = default;
};

// The whole content of a dataset (or its change log, when isDelta) as it crosses the wire or is copied
// between datasets. Values of a String, Memo or Blob field are strings, Integer int64, Float double,
// DateTime DateTime, Boolean bool, or Null.
struct Packet {
    std::vector<FieldDef> fields;
    std::vector<PacketRow> rows;
    bool isDelta = false;

    int FieldIndex(std::string_view name) const; // -1 when absent (case-insensitive)
    friend bool operator==(const Packet&, const Packet&) = default;
};

// A packet that cannot be read: wrong magic, unknown version, truncated, inconsistent counts or values.
class PacketError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::string EncodePacket(const Packet& packet);
// Throws PacketError; never reads outside `bytes` nor allocates more than the input can justify.
Packet DecodePacket(std::string_view bytes);

DataPacket ToDataPacket(const Packet& packet);
Packet FromDataPacket(const DataPacket& packet);

// Checks that every row has one value per field and every value fits its field; throws PacketError.
void ValidatePacket(const Packet& packet);

} // namespace dfe
