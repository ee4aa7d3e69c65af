#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace dfe::net {

// Input that does not follow the wire format: truncated, inconsistent or out of range.
class WireError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Little-endian writer of the wire formats.
class ByteWriter {
public:
    void U8(uint8_t v) { out_.push_back(static_cast<char>(v)); }
    void U16(uint16_t v);
    void U32(uint32_t v);
    void I32(int32_t v) { U32(static_cast<uint32_t>(v)); }
    void U64(uint64_t v);
    void I64(int64_t v) { U64(static_cast<uint64_t>(v)); }
    void F64(double v);
    void Raw(std::string_view bytes) { out_.append(bytes); }
    // Length-prefixed (u32) bytes.
    void Bytes(std::string_view bytes);

    std::string& Out() { return out_; }
    std::string Take() { return std::move(out_); }

private:
    std::string out_;
};

// Bounds-checked reader: every read past the end throws WireError and never touches memory outside the input.
class ByteReader {
public:
    explicit ByteReader(std::string_view in) : in_(in) {}
    uint8_t U8();
    uint16_t U16();
    uint32_t U32();
    int32_t I32() { return static_cast<int32_t>(U32()); }
    uint64_t U64();
    int64_t I64() { return static_cast<int64_t>(U64()); }
    double F64();
    std::string_view Raw(size_t count);
    std::string_view Bytes();

    size_t Remaining() const { return in_.size() - pos_; }
    bool AtEnd() const { return pos_ == in_.size(); }

private:
    void Need(size_t count) const;
    std::string_view in_;
    size_t pos_ = 0;
};

} // namespace dfe::net
