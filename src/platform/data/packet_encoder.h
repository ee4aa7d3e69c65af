#pragma once

#include "platform/data/packet.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dfe {

// Writes a data packet row by row, value by value, straight from where the values are read (a database
// cursor), without building a Packet of Variants first. The bytes are those EncodePacket writes.
class PacketEncoder {
public:
    explicit PacketEncoder(std::vector<FieldDef> fields);

    const std::vector<FieldDef>& Fields() const { return fields_; }

    // Each row takes exactly one value per field, in the fields' order, of the field's type.
    void BeginRow();
    void Null();
    // A String field keeps at most its width in characters: a longer text is cut there.
    void Text(std::string_view utf8);
    void Integer(int64_t value);
    void Float(double value);
    void Date(double days);
    void Boolean(bool value);
    void EndRow();

    size_t RowCount() const { return rows_; }
    // The whole packet; the encoder is spent, as it is after any error.
    DataPacket Finish();

private:
    const FieldDef& Next(); // the field of the value being written; throws PacketError when out of step

    std::vector<FieldDef> fields_;
    std::string header_; // the encoding of the fields, up to the row count
    std::string body_;   // the rows written so far, the current one included
    size_t bitmap_ = 0;  // where the current row's null bitmap is in body_
    size_t column_ = 0;
    size_t rows_ = 0;
    bool inRow_ = false;
};

} // namespace dfe
