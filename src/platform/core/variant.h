#pragma once

#include "platform/core/date_time.h"

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace dfe {

class Variant;

enum class VariantType { Unassigned, Null, Boolean, Integer, Double, String, DateTime, Array, Packet };

const char* VariantTypeName(VariantType type);

// A value that cannot be read as the type asked for ("abc" as a number, an array as text).
class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The encoded bytes of a dataset's data packet. The core only carries them; the dataset layer reads them.
class DataPacket {
public:
    DataPacket() = default;
    explicit DataPacket(std::string bytes) : bytes_(std::make_shared<const std::string>(std::move(bytes))) {}
    const std::string& Bytes() const;
    size_t Size() const { return bytes_ ? bytes_->size() : 0; }
    friend bool operator==(const DataPacket& a, const DataPacket& b) { return a.Bytes() == b.Bytes(); }

private:
    std::shared_ptr<const std::string> bytes_;
};

// An array of variants with its own low bound: server answers come 0-based or 1-based, and callers index
// them as documented for each method. Reading outside the bounds raises ConversionError, never reads memory.
class VariantArray {
public:
    VariantArray() = default;
    explicit VariantArray(std::vector<Variant> items, int lowBound = 0);
    VariantArray(const VariantArray&);
    VariantArray(VariantArray&&) noexcept;
    VariantArray& operator=(const VariantArray&);
    VariantArray& operator=(VariantArray&&) noexcept;
    ~VariantArray();
    int LowBound() const { return low_; }
    int HighBound() const;
    size_t Size() const;
    const Variant& operator[](int index) const;
    Variant& operator[](int index);
    const std::vector<Variant>& Items() const { return items_; }
    std::vector<Variant>& Items() { return items_; }
    friend bool operator==(const VariantArray& a, const VariantArray& b);

private:
    int low_ = 0;
    std::vector<Variant> items_;
};

class Variant {
public:
    Variant() = default; // unassigned
    Variant(bool v) : value_(v) {}
    Variant(int v) : value_(static_cast<int64_t>(v)) {}
    Variant(int64_t v) : value_(v) {}
    Variant(double v) : value_(v) {}
    Variant(std::string v) : value_(std::move(v)) {}
    Variant(std::string_view v) : value_(std::string(v)) {}
    Variant(const char* v) : value_(std::string(v)) {}
    Variant(DateTime v) : value_(v) {}
    Variant(VariantArray v) : value_(std::move(v)) {}
    Variant(DataPacket v) : value_(std::move(v)) {}

    static Variant Null();
    static Variant Array(std::vector<Variant> items, int lowBound = 0);

    VariantType Type() const { return static_cast<VariantType>(value_.index()); } // inline: datasets ask per value
    bool IsUnassigned() const { return value_.index() == 0; }
    // Unassigned counts as null, as the rules test "no value" either way.
    bool IsNull() const { return value_.index() <= 1; }
    bool IsArray() const { return Type() == VariantType::Array; }
    bool IsPacket() const { return Type() == VariantType::Packet; }
    bool IsNumeric() const { return Type() == VariantType::Integer || Type() == VariantType::Double; }

    // Null reads as "", 0, false, empty date.
    std::string AsString() const;
    double AsFloat() const;
    int64_t AsInteger() const;
    bool AsBoolean() const;
    DateTime AsDateTime() const;
    // The stored text without a copy; only for a String variant (ConversionError otherwise).
    const std::string& StringRef() const;
    const VariantArray& AsArray() const;
    VariantArray& AsArray();
    const DataPacket& AsPacket() const;
    // The text of a String value without copying it; nullptr for any other type. Sorting, filtering and
    // searching datasets read strings through this.
    const std::string* TextIf() const { return std::get_if<std::string>(&value_); }

    // Same type and value; an integer and a double compare by value.
    friend bool operator==(const Variant& a, const Variant& b);

private:
    struct UnassignedTag {
        friend bool operator==(UnassignedTag, UnassignedTag) { return true; }
    };
    struct NullTag {
        friend bool operator==(NullTag, NullTag) { return true; }
    };
    std::variant<UnassignedTag, NullTag, bool, int64_t, double, std::string, DateTime, VariantArray,
                 DataPacket>
        value_;
};

// Debug text of any variant ("Null", "[1, 'a']"); for logs and test failures.
std::string DescribeVariant(const Variant& v);

} // namespace dfe
