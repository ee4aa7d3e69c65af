#include "platform/net/byte_io.h"

#include <bit>
#include <cstring>

namespace dfe::net {

void ByteWriter::U16(uint16_t v) {
    U8(static_cast<uint8_t>(v));
    U8(static_cast<uint8_t>(v >> 8));
}

void ByteWriter::U32(uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8)
        U8(static_cast<uint8_t>(v >> shift));
}

void ByteWriter::U64(uint64_t v) {
    for (int shift = 0; shift < 64; shift += 8)
        U8(static_cast<uint8_t>(v >> shift));
}

void ByteWriter::F64(double v) {
    U64(std::bit_cast<uint64_t>(v));
}

void ByteWriter::Bytes(std::string_view bytes) {
    if (bytes.size() > UINT32_MAX) throw WireError("valor grande demais para o protocolo");
    U32(static_cast<uint32_t>(bytes.size()));
    Raw(bytes);
}

void ByteReader::Need(size_t count) const {
    if (count > Remaining()) throw WireError("mensagem truncada");
}

uint8_t ByteReader::U8() {
    Need(1);
    return static_cast<uint8_t>(in_[pos_++]);
}

uint16_t ByteReader::U16() {
    Need(2);
    uint16_t v = 0;
    for (int i = 0; i < 2; ++i)
        v = static_cast<uint16_t>(v | (static_cast<uint8_t>(in_[pos_ + i]) << (8 * i)));
    pos_ += 2;
    return v;
}

uint32_t ByteReader::U32() {
    Need(4);
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v |= static_cast<uint32_t>(static_cast<uint8_t>(in_[pos_ + i])) << (8 * i);
    pos_ += 4;
    return v;
}

uint64_t ByteReader::U64() {
    Need(8);
    uint64_t v = 0;
    for (int i = 0; i < 8; ++i)
        v |= static_cast<uint64_t>(static_cast<uint8_t>(in_[pos_ + i])) << (8 * i);
    pos_ += 8;
    return v;
}

double ByteReader::F64() {
    return std::bit_cast<double>(U64());
}

std::string_view ByteReader::Raw(size_t count) {
    Need(count);
    std::string_view v = in_.substr(pos_, count);
    pos_ += count;
    return v;
}

std::string_view ByteReader::Bytes() {
    return Raw(U32());
}

} // namespace dfe::net
