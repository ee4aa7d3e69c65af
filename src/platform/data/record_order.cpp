#include "platform/data/record_order.h"

#include "platform/core/text.h"
#include "platform/data/data_error.h"
#include "platform/data/value_compare.h"

#include <bit>
#include <cstring>
#include <set>

namespace dfe {

int RecordOrder::Compare(const std::vector<Variant>& a, const std::vector<Variant>& b) const {
    for (const OrderKey& k : keys) {
        const auto slot = static_cast<size_t>(k.slot);
        const int c = CompareValues(a[slot], b[slot], caseInsensitive);
        if (c != 0) return k.descending ? -c : c;
    }
    return 0;
}

int RecordOrder::CompareKeys(const std::vector<Variant>& row, const std::vector<const Variant*>& key) const {
    for (size_t i = 0; i < key.size() && i < keys.size(); ++i) {
        const int c = CompareValues(row[static_cast<size_t>(keys[i].slot)], *key[i], caseInsensitive);
        if (c != 0) return keys[i].descending ? -c : c;
    }
    return 0;
}

namespace {

// Writes the order-preserving bytes of key values until 16 bytes are full. Text is its bytes (or its
// upper-cased characters) and a 0 terminator, numbers 8 big-endian bytes whose unsigned order is the
// numeric order, Null a 0 byte where a value starts with 1. Encoding stops at the first descending field.
class PrefixWriter {
public:
    explicit PrefixWriter(bool caseInsensitive) : caseInsensitive_(caseInsensitive) {}

    bool Full() const { return size_ == sizeof bytes_; }

    void Value(const Variant& v) {
        if (v.IsNull()) return Byte(0);
        Byte(1);
        if (const std::string* s = v.TextIf()) return Text(*s);
        switch (v.Type()) {
        case VariantType::Integer:
            return Word(std::bit_cast<uint64_t>(v.AsInteger()) ^ (uint64_t{1} << 63));
        case VariantType::Boolean:
            return Byte(v.AsBoolean() ? 1 : 0);
        default: {
            double d = v.AsFloat();
            if (d == 0.0) d = 0.0; // -0 orders as 0
            const uint64_t bits = std::bit_cast<uint64_t>(d);
            return Word(bits >> 63 ? ~bits : bits | (uint64_t{1} << 63));
        }
        }
    }

    KeyPrefix Result() const {
        KeyPrefix p;
        for (size_t i = 0; i < 8; ++i)
            p.high = (p.high << 8) | bytes_[i];
        for (size_t i = 8; i < 16; ++i)
            p.low = (p.low << 8) | bytes_[i];
        return p;
    }

private:
    void Byte(uint8_t b) {
        if (!Full()) bytes_[size_++] = b;
    }
    void Word(uint64_t w) {
        for (int shift = 56; shift >= 0 && !Full(); shift -= 8)
            Byte(static_cast<uint8_t>(w >> shift));
    }
    void Text(const std::string& s) {
        if (!caseInsensitive_) {
            for (size_t i = 0; i < s.size() && !Full(); ++i)
                Byte(static_cast<uint8_t>(s[i]));
        } else {
            for (size_t i = 0; i < s.size() && !Full(); ++i) {
                const auto c = static_cast<unsigned char>(s[i]);
                if (c >= 0x80) { // beyond ASCII the full comparison decides
                    while (!Full())
                        Byte(0xFF);
                    return;
                }
                Byte(static_cast<uint8_t>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c));
            }
        }
        Byte(0);
    }

    uint8_t bytes_[16] = {};
    size_t size_ = 0;
    bool caseInsensitive_;
};

} // namespace

KeyPrefix RecordOrder::Prefix(const std::vector<Variant>& row) const {
    PrefixWriter w(caseInsensitive);
    for (const OrderKey& k : keys) {
        if (k.descending || w.Full()) break;
        w.Value(row[static_cast<size_t>(k.slot)]);
    }
    return w.Result();
}

KeyPrefix RecordOrder::Prefix(const std::vector<const Variant*>& key) const {
    PrefixWriter w(caseInsensitive);
    for (size_t i = 0; i < key.size() && i < keys.size(); ++i) {
        if (keys[i].descending || w.Full()) break;
        w.Value(*key[i]);
    }
    return w.Result();
}

void ResolveOrderKeys(RecordOrder& order, const std::vector<FieldDef>& dataDefs, const std::string& owner) {
    order.keys.clear();
    if (text::Trim(order.fieldNames).empty()) return;
    std::set<std::string> descending;
    for (const std::string& d : text::Split(order.descendingFields, ';'))
        descending.insert(text::Upper(text::Trim(d)));
    for (const std::string& part : text::Split(order.fieldNames, ';')) {
        const std::string name = text::Trim(part);
        size_t slot = 0;
        while (slot < dataDefs.size() && !text::SameText(dataDefs[slot].name, name))
            ++slot;
        if (slot == dataDefs.size())
            throw DataSetError(owner + ": o índice usa o campo " + name + ", que não existe");
        order.keys.push_back({static_cast<int>(slot), descending.count(text::Upper(name)) > 0});
    }
}

} // namespace dfe
