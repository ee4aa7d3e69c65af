#include "platform/data/packet_encoder.h"

#include "platform/core/text.h"

#include <bit>
#include <cstring>

namespace dfe {
namespace {

void Varint(std::string& out, uint64_t v) {
    while (v >= 0x80) {
        out.push_back(static_cast<char>((v & 0x7F) | 0x80));
        v >>= 7;
    }
    out.push_back(static_cast<char>(v));
}

void Double(std::string& out, double v) {
    static_assert(std::endian::native == std::endian::little, "packets hold doubles in little-endian order");
    char bytes[sizeof v];
    std::memcpy(bytes, &v, sizeof v);
    out.append(bytes, sizeof v);
}

bool IsText(FieldType type) {
    return type == FieldType::String || type == FieldType::Memo || type == FieldType::Blob;
}

} // namespace

PacketEncoder::PacketEncoder(std::vector<FieldDef> fields) : fields_(std::move(fields)) {
    // An empty packet of these fields ends with its row count, a single 0: the rows go after what precedes
    // it.
    Packet empty;
    empty.fields = fields_;
    header_ = EncodePacket(empty);
    header_.pop_back();
}

void PacketEncoder::BeginRow() {
    if (inRow_) throw PacketError("Linha do pacote iniciada antes do fim da anterior");
    inRow_ = true;
    column_ = 0;
    body_.push_back(static_cast<char>(RowStatus::Unmodified));
    bitmap_ = body_.size();
    body_.append((fields_.size() + 7) / 8, '\0');
}

const FieldDef& PacketEncoder::Next() {
    if (!inRow_ || column_ >= fields_.size()) throw PacketError("Valor fora da linha do pacote");
    return fields_[column_++];
}

void PacketEncoder::Null() {
    Next();
    const size_t i = column_ - 1;
    char& bits = body_[bitmap_ + i / 8];
    bits = static_cast<char>(static_cast<uint8_t>(bits) | (1u << (i % 8)));
}

void PacketEncoder::Text(std::string_view utf8) {
    const FieldDef& f = Next();
    if (!IsText(f.type)) throw PacketError("Texto no campo " + f.name);
    // Byte length bounds the character count: only long texts need counting.
    if (f.type == FieldType::String && f.size > 0 && utf8.size() > static_cast<size_t>(f.size) &&
        text::Length(utf8) > static_cast<size_t>(f.size)) {
        const std::string cut = text::Left(utf8, static_cast<size_t>(f.size));
        Varint(body_, cut.size());
        body_.append(cut);
        return;
    }
    Varint(body_, utf8.size());
    body_.append(utf8);
}

void PacketEncoder::Integer(int64_t value) {
    const FieldDef& f = Next();
    if (f.type != FieldType::Integer) throw PacketError("Inteiro no campo " + f.name);
    Varint(body_, (static_cast<uint64_t>(value) << 1) ^ static_cast<uint64_t>(value >> 63));
}

void PacketEncoder::Float(double value) {
    const FieldDef& f = Next();
    if (f.type != FieldType::Float) throw PacketError("Número no campo " + f.name);
    Double(body_, value);
}

void PacketEncoder::Date(double days) {
    const FieldDef& f = Next();
    if (f.type != FieldType::DateTime) throw PacketError("Data no campo " + f.name);
    Double(body_, days);
}

void PacketEncoder::Boolean(bool value) {
    const FieldDef& f = Next();
    if (f.type != FieldType::Boolean) throw PacketError("Lógico no campo " + f.name);
    body_.push_back(value ? 1 : 0);
}

void PacketEncoder::EndRow() {
    if (!inRow_ || column_ != fields_.size()) throw PacketError("Linha do pacote incompleta");
    inRow_ = false;
    ++rows_;
}

DataPacket PacketEncoder::Finish() {
    if (inRow_) throw PacketError("Linha do pacote incompleta");
    std::string bytes = std::move(header_);
    Varint(bytes, rows_);
    bytes.reserve(bytes.size() + body_.size());
    bytes.append(body_);
    body_.clear();
    return DataPacket(std::move(bytes));
}

} // namespace dfe
