// Binary layout of a data packet (all integers little-endian, "varint" = LEB128):
//
//   magic "DFEP" | version u16 | flags u16 (bit 0: delta)
//   field count varint, then per field: name (varint length + UTF-8) | type u8 | size varint | attributes u8
//   row count varint, then per row: status u8 | values | (Modified rows only) original values
//   values: a null bitmap of ceil(fields/8) bytes (bit set = null), then each non-null value by its field
//   type:
//     String/Memo/Blob varint length + bytes, Integer zig-zag varint, Float/DateTime 8-byte IEEE double,
//     Boolean one byte 0/1.
//
// Decoding trusts nothing: every count is checked against the bytes left before anything is allocated.

#include "platform/data/packet.h"

#include "platform/core/text.h"

#include <bit>
#include <cstring>

namespace dfe {
namespace {

constexpr char kMagic[4] = {'D', 'F', 'E', 'P'};
constexpr uint16_t kVersion = 1;
constexpr uint16_t kFlagDelta = 1;
constexpr uint8_t kAttrRequired = 1;
constexpr size_t kMaxFields = 4096;

static_assert(std::endian::native == std::endian::little, "the packet codec writes doubles in native order");

class Writer {
public:
    explicit Writer(std::string& out) : out_(out) {}
    void Bytes(const void* data, size_t n) { out_.append(static_cast<const char*>(data), n); }
    void U8(uint8_t v) { out_.push_back(static_cast<char>(v)); }
    void U16(uint16_t v) {
        U8(static_cast<uint8_t>(v & 0xFF));
        U8(static_cast<uint8_t>(v >> 8));
    }
    void Varint(uint64_t v) {
        while (v >= 0x80) {
            out_.push_back(static_cast<char>((v & 0x7F) | 0x80));
            v >>= 7;
        }
        out_.push_back(static_cast<char>(v));
    }
    void Text(std::string_view s) {
        Varint(s.size());
        out_.append(s);
    }
    void Double(double v) { Bytes(&v, sizeof v); }

private:
    std::string& out_;
};

class Reader {
public:
    explicit Reader(std::string_view in) : in_(in) {}
    size_t Left() const { return in_.size() - pos_; }
    void Need(size_t n, const char* what) const {
        if (Left() < n) throw PacketError(std::string("Pacote de dados truncado: faltam bytes em ") + what);
    }
    uint8_t U8(const char* what) {
        Need(1, what);
        return static_cast<uint8_t>(in_[pos_++]);
    }
    uint16_t U16(const char* what) {
        const uint16_t lo = U8(what);
        return static_cast<uint16_t>(lo | (U8(what) << 8));
    }
    uint64_t Varint(const char* what) {
        uint64_t v = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            const uint8_t b = U8(what);
            v |= static_cast<uint64_t>(b & 0x7F) << shift;
            if (!(b & 0x80)) return v;
        }
        throw PacketError(std::string("Pacote de dados inválido: número mal formado em ") + what);
    }
    std::string_view Span(size_t n, const char* what) {
        Need(n, what);
        const std::string_view s = in_.substr(pos_, n);
        pos_ += n;
        return s;
    }
    std::string_view Text(const char* what) {
        const uint64_t n = Varint(what);
        if (n > Left())
            throw PacketError(std::string("Pacote de dados truncado: texto maior que o pacote em ") + what);
        return Span(static_cast<size_t>(n), what);
    }
    double Double(const char* what) {
        const std::string_view s = Span(sizeof(double), what);
        double v = 0;
        std::memcpy(&v, s.data(), sizeof v);
        return v;
    }

private:
    std::string_view in_;
    size_t pos_ = 0;
};

uint64_t ZigZag(int64_t v) {
    return (static_cast<uint64_t>(v) << 1) ^ static_cast<uint64_t>(v >> 63);
}
int64_t UnZigZag(uint64_t v) {
    return static_cast<int64_t>(v >> 1) ^ -static_cast<int64_t>(v & 1);
}

bool ValueFits(const FieldDef& field, const Variant& v) {
    if (v.IsNull()) return true;
    switch (field.type) {
    case FieldType::String:
    case FieldType::Memo:
    case FieldType::Blob:
        return v.Type() == VariantType::String;
    case FieldType::Integer:
        return v.Type() == VariantType::Integer;
    case FieldType::Float:
        return v.Type() == VariantType::Double;
    case FieldType::DateTime:
        return v.Type() == VariantType::DateTime;
    case FieldType::Boolean:
        return v.Type() == VariantType::Boolean;
    }
    return false;
}

size_t VarintSize(uint64_t v) {
    size_t n = 1;
    while (v >= 0x80) {
        v >>= 7;
        ++n;
    }
    return n;
}

// The exact encoded size of a row's values, so the output is allocated once.
size_t ValuesSize(const std::vector<FieldDef>& fields, const std::vector<Variant>& values) {
    size_t n = (fields.size() + 7) / 8;
    for (size_t i = 0; i < fields.size(); ++i) {
        const Variant& v = values[i];
        if (v.IsNull()) continue;
        switch (fields[i].type) {
        case FieldType::String:
        case FieldType::Memo:
        case FieldType::Blob:
            n += VarintSize(v.StringRef().size()) + v.StringRef().size();
            break;
        case FieldType::Integer:
            n += VarintSize(ZigZag(v.AsInteger()));
            break;
        case FieldType::Float:
        case FieldType::DateTime:
            n += sizeof(double);
            break;
        case FieldType::Boolean:
            n += 1;
            break;
        }
    }
    return n;
}

std::string Describe(const FieldDef& field) {
    return "campo " + field.name + " (" + FieldTypeName(field.type) + ")";
}

void WriteValues(Writer& w, const std::vector<FieldDef>& fields, const std::vector<Variant>& values) {
    const size_t n = fields.size();
    uint8_t bitmap[kMaxFields / 8] = {};
    for (size_t i = 0; i < n; ++i) {
        if (values[i].IsNull()) bitmap[i / 8] = static_cast<uint8_t>(bitmap[i / 8] | (1u << (i % 8)));
    }
    w.Bytes(bitmap, (n + 7) / 8);
    for (size_t i = 0; i < n; ++i) {
        const Variant& v = values[i];
        if (v.IsNull()) continue;
        switch (fields[i].type) {
        case FieldType::String:
        case FieldType::Memo:
        case FieldType::Blob:
            w.Text(v.StringRef());
            break;
        case FieldType::Integer:
            w.Varint(ZigZag(v.AsInteger()));
            break;
        case FieldType::Float:
            w.Double(v.AsFloat());
            break;
        case FieldType::DateTime:
            w.Double(v.AsDateTime().Days());
            break;
        case FieldType::Boolean:
            w.U8(v.AsBoolean() ? 1 : 0);
            break;
        }
    }
}

void ReadValues(Reader& r, const std::vector<FieldDef>& fields, std::vector<Variant>& values) {
    const size_t n = fields.size();
    const std::string_view bitmap = r.Span((n + 7) / 8, "mapa de nulos");
    values.clear();
    values.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        if (static_cast<uint8_t>(bitmap[i / 8]) & (1u << (i % 8))) {
            values.push_back(Variant::Null());
            continue;
        }
        const FieldDef& f = fields[i];
        switch (f.type) {
        case FieldType::String:
        case FieldType::Memo:
        case FieldType::Blob: {
            const std::string_view s = r.Text("valor de texto");
            if (f.type != FieldType::Blob && !text::IsValidUtf8(s)) {
                throw PacketError("Pacote de dados inválido: texto que não é UTF-8 no " + Describe(f));
            }
            values.emplace_back(std::string(s));
            break;
        }
        case FieldType::Integer:
            values.emplace_back(UnZigZag(r.Varint("valor inteiro")));
            break;
        case FieldType::Float:
            values.emplace_back(r.Double("valor decimal"));
            break;
        case FieldType::DateTime:
            values.emplace_back(DateTime(r.Double("valor de data")));
            break;
        case FieldType::Boolean: {
            const uint8_t b = r.U8("valor lógico");
            if (b > 1)
                throw PacketError("Pacote de dados inválido: valor lógico fora de 0/1 no " + Describe(f));
            values.emplace_back(b == 1);
            break;
        }
        }
    }
}

} // namespace

int Packet::FieldIndex(std::string_view name) const {
    for (size_t i = 0; i < fields.size(); ++i) {
        if (text::SameText(fields[i].name, name)) return static_cast<int>(i);
    }
    return -1;
}

// The field list alone: names present and unique, sizes possible.
static void ValidateFields(const Packet& packet) {
    if (packet.fields.size() > kMaxFields) throw PacketError("Pacote de dados com campos demais");
    for (const FieldDef& f : packet.fields) {
        if (f.name.empty()) throw PacketError("Pacote de dados com campo sem nome");
        if (f.size < 0) throw PacketError("Pacote de dados com tamanho negativo no campo " + f.name);
    }
    for (size_t i = 0; i < packet.fields.size(); ++i) {
        for (size_t j = i + 1; j < packet.fields.size(); ++j) {
            if (text::SameText(packet.fields[i].name, packet.fields[j].name)) {
                throw PacketError("Pacote de dados com campo repetido: " + packet.fields[i].name);
            }
        }
    }
}

void ValidatePacket(const Packet& packet) {
    ValidateFields(packet);
    const auto check = [&](const std::vector<Variant>& values, size_t row) {
        if (values.size() != packet.fields.size()) {
            throw PacketError("Linha " + std::to_string(row + 1) + " do pacote com " +
                              std::to_string(values.size()) + " valores para " +
                              std::to_string(packet.fields.size()) + " campos");
        }
        for (size_t i = 0; i < values.size(); ++i) {
            if (!ValueFits(packet.fields[i], values[i])) {
                throw PacketError("Linha " + std::to_string(row + 1) + ": valor " +
                                  DescribeVariant(values[i]) + " não cabe no " + Describe(packet.fields[i]));
            }
        }
    };
    for (size_t r = 0; r < packet.rows.size(); ++r) {
        const PacketRow& row = packet.rows[r];
        if (!packet.isDelta && row.status != RowStatus::Unmodified) {
            throw PacketError("Linha " + std::to_string(r + 1) +
                              " alterada num pacote que não é de alterações");
        }
        check(row.values, r);
        if (row.status == RowStatus::Modified) {
            check(row.original, r);
        } else if (!row.original.empty()) {
            throw PacketError("Linha " + std::to_string(r + 1) + " com valores originais sem ser alterada");
        }
    }
}

std::string EncodePacket(const Packet& packet) {
    ValidatePacket(packet);
    size_t size = 32;
    for (const FieldDef& f : packet.fields)
        size += f.name.size() + 16;
    for (const PacketRow& row : packet.rows) {
        size += 1 + ValuesSize(packet.fields, row.values);
        if (row.status == RowStatus::Modified) size += ValuesSize(packet.fields, row.original);
    }
    std::string out;
    out.reserve(size);
    Writer w(out);
    w.Bytes(kMagic, sizeof kMagic);
    w.U16(kVersion);
    w.U16(packet.isDelta ? kFlagDelta : 0);
    w.Varint(packet.fields.size());
    for (const FieldDef& f : packet.fields) {
        w.Text(f.name);
        w.U8(static_cast<uint8_t>(f.type));
        w.Varint(static_cast<uint64_t>(f.size));
        w.U8(f.required ? kAttrRequired : 0);
    }
    w.Varint(packet.rows.size());
    for (const PacketRow& row : packet.rows) {
        w.U8(static_cast<uint8_t>(row.status));
        WriteValues(w, packet.fields, row.values);
        if (row.status == RowStatus::Modified) WriteValues(w, packet.fields, row.original);
    }
    return out;
}

Packet DecodePacket(std::string_view bytes) {
    Reader r(bytes);
    const std::string_view magic = r.Span(sizeof kMagic, "cabeçalho");
    if (magic != std::string_view(kMagic, sizeof kMagic))
        throw PacketError("Os dados recebidos não são um pacote de dados");
    const uint16_t version = r.U16("cabeçalho");
    if (version != kVersion) {
        throw PacketError("Versão de pacote de dados desconhecida: " + std::to_string(version));
    }
    const uint16_t flags = r.U16("cabeçalho");
    if (flags & ~kFlagDelta) throw PacketError("Pacote de dados com indicadores desconhecidos");

    Packet packet;
    packet.isDelta = (flags & kFlagDelta) != 0;
    const uint64_t fieldCount = r.Varint("número de campos");
    // Each field takes at least four bytes: name length, type, size, attributes.
    if (fieldCount > kMaxFields || fieldCount * 4 > r.Left()) {
        throw PacketError("Pacote de dados inválido: número de campos impossível (" +
                          std::to_string(fieldCount) + ")");
    }
    packet.fields.reserve(static_cast<size_t>(fieldCount));
    for (uint64_t i = 0; i < fieldCount; ++i) {
        FieldDef f;
        const std::string_view name = r.Text("nome de campo");
        if (name.empty() || !text::IsValidUtf8(name))
            throw PacketError("Pacote de dados com nome de campo inválido");
        f.name = std::string(name);
        const uint8_t type = r.U8("tipo de campo");
        if (!IsKnownFieldType(type)) {
            throw PacketError("Pacote de dados com tipo desconhecido (" + std::to_string(type) +
                              ") no campo " + f.name);
        }
        f.type = static_cast<FieldType>(type);
        const uint64_t size = r.Varint("tamanho de campo");
        if (size > 1u << 30) throw PacketError("Pacote de dados com tamanho impossível no campo " + f.name);
        f.size = static_cast<int>(size);
        const uint8_t attrs = r.U8("atributos de campo");
        if (attrs & ~kAttrRequired)
            throw PacketError("Pacote de dados com atributos desconhecidos no campo " + f.name);
        f.required = (attrs & kAttrRequired) != 0;
        packet.fields.push_back(std::move(f));
    }
    const uint64_t rowCount = r.Varint("número de linhas");
    // Each row takes at least its status byte and its null bitmap.
    const uint64_t minRowBytes = 1 + (fieldCount + 7) / 8;
    if (rowCount > r.Left() / minRowBytes) {
        throw PacketError("Pacote de dados inválido: número de linhas impossível (" +
                          std::to_string(rowCount) + ")");
    }
    packet.rows.resize(static_cast<size_t>(rowCount));
    for (PacketRow& row : packet.rows) {
        const uint8_t status = r.U8("situação da linha");
        if (status > static_cast<uint8_t>(RowStatus::Deleted) || (!packet.isDelta && status != 0)) {
            throw PacketError("Pacote de dados com situação de linha inválida (" + std::to_string(status) +
                              ")");
        }
        row.status = static_cast<RowStatus>(status);
        ReadValues(r, packet.fields, row.values);
        if (row.status == RowStatus::Modified) ReadValues(r, packet.fields, row.original);
    }
    if (r.Left() != 0) throw PacketError("Pacote de dados com bytes a mais depois da última linha");
    // The rows were read by their fields' types and statuses: only the field list is left to check.
    ValidateFields(packet);
    return packet;
}

DataPacket ToDataPacket(const Packet& packet) {
    return DataPacket(EncodePacket(packet));
}

Packet FromDataPacket(const DataPacket& packet) {
    return DecodePacket(packet.Bytes());
}

} // namespace dfe
