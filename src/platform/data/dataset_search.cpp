#include "platform/data/data_error.h"
#include "platform/data/dataset.h"
#include "platform/data/field_value.h"
#include "platform/data/value_compare.h"

#include <algorithm>

namespace dfe {
namespace {

// Search values take the field's type, so 5 finds a float 5.0 and "31/12/2024" a date. Values already of
// the right type are used in place.
std::vector<const Variant*> ConvertKeys(const std::vector<Field*>& dataFields, const std::vector<int>& slots,
                                        const std::vector<Variant>& values, std::vector<Variant>& converted) {
    static constexpr VariantType kStored[] = {
        VariantType::Null,     VariantType::String,  VariantType::Integer, VariantType::Double,
        VariantType::DateTime, VariantType::Boolean, VariantType::String,  VariantType::String};
    converted.clear();
    converted.reserve(values.size());
    std::vector<const Variant*> keys;
    keys.reserve(values.size());
    for (size_t i = 0; i < slots.size(); ++i) {
        const FieldDef& def = dataFields[static_cast<size_t>(slots[i])]->Def();
        const auto type = static_cast<size_t>(def.type);
        if (values[i].Type() == VariantType::Null ||
            (type < std::size(kStored) && values[i].Type() == kStored[type])) {
            keys.push_back(&values[i]);
        } else {
            converted.push_back(ConvertForSearch(values[i], def));
            keys.push_back(&converted.back());
        }
    }
    return keys;
}

bool Matches(const Variant& stored, const Variant& key, const LocateOptions& options) {
    if (options.partialKey) {
        const std::string* text = stored.TextIf();
        const std::string* prefix = key.TextIf();
        if (text && prefix) return TextStartsWith(*text, *prefix, options.caseInsensitive);
    }
    return CompareValues(stored, key, options.caseInsensitive) == 0;
}

} // namespace

// The first view position whose fields match; binary search over the view when the active index starts
// with exactly these fields and orders text at least as loosely as the search compares it.
std::optional<size_t> DataSet::FindInView(const std::vector<int>& slots,
                                          const std::vector<const Variant*>& keys,
                                          LocateOptions options) const {
    const auto matchesAll = [&](uint32_t id) {
        const auto& values = Row(id).values;
        for (size_t i = 0; i < slots.size(); ++i) {
            if (!Matches(values[static_cast<size_t>(slots[i])], *keys[i], options)) return false;
        }
        return true;
    };
    std::vector<const Variant*> ordered;
    const bool indexUsable = index_.Active() && slots.size() <= index_.keys.size() && !options.partialKey &&
                             (index_.caseInsensitive || !options.caseInsensitive);
    for (size_t k = 0; indexUsable && k < slots.size(); ++k) {
        const auto it = std::find(slots.begin(), slots.end(), index_.keys[k].slot);
        if (it == slots.end()) break;
        ordered.push_back(keys[static_cast<size_t>(it - slots.begin())]);
    }
    if (indexUsable && ordered.size() == slots.size()) {
        const KeyPrefix prefix = index_.Prefix(ordered);
        size_t low = 0;
        size_t high = view_.size();
        while (low < high) { // first row not below the key
            const size_t mid = low + (high - low) / 2;
            const bool below = PrefixesReady() && viewPrefix_[mid] != prefix
                                   ? viewPrefix_[mid] < prefix
                                   : index_.CompareKeys(Row(view_[mid]).values, ordered) < 0;
            if (below) {
                low = mid + 1;
            } else {
                high = mid;
            }
        }
        for (size_t pos = low; pos < view_.size() && index_.CompareKeys(Row(view_[pos]).values, ordered) == 0;
             ++pos) {
            if (matchesAll(view_[pos])) return pos;
        }
        return std::nullopt;
    }
    for (size_t pos = 0; pos < view_.size(); ++pos) {
        if (matchesAll(view_[pos])) return pos;
    }
    return std::nullopt;
}

bool DataSet::Locate(std::string_view fieldNames, const std::vector<Variant>& values, LocateOptions options) {
    CheckBrowseMode();
    const std::vector<int>& slots = CachedFieldList(fieldNames);
    if (slots.size() != values.size()) {
        throw DataSetError(name_ + ": a busca por " + std::string(fieldNames) + " pede " +
                           std::to_string(slots.size()) + " valores e recebeu " +
                           std::to_string(values.size()));
    }
    std::vector<Variant> converted;
    const auto pos = FindInView(slots, ConvertKeys(dataFields_, slots, values, converted), options);
    if (!pos) return false;
    BeginScroll();
    MoveCursorTo(*pos);
    EndScroll();
    return true;
}

bool DataSet::Locate(std::string_view fieldName, const Variant& value, LocateOptions options) {
    return Locate(fieldName, std::vector<Variant>{value}, options);
}

Variant DataSet::Lookup(std::string_view keyFields, const std::vector<Variant>& values,
                        std::string_view resultFields) {
    CheckBrowseMode();
    const std::vector<int> slots = ResolveFieldList(keyFields);
    if (slots.size() != values.size()) {
        throw DataSetError(name_ + ": a consulta por " + std::string(keyFields) + " pede " +
                           std::to_string(slots.size()) + " valores e recebeu " +
                           std::to_string(values.size()));
    }
    const std::vector<int> results = ResolveFieldList(resultFields);
    std::vector<Variant> converted;
    const auto pos = FindInView(slots, ConvertKeys(dataFields_, slots, values, converted), {});
    if (!pos) return Variant::Null();
    const auto& row = Row(view_[*pos]).values;
    if (results.size() == 1) return row[static_cast<size_t>(results[0])];
    std::vector<Variant> items;
    for (int slot : results)
        items.push_back(row[static_cast<size_t>(slot)]);
    return Variant::Array(std::move(items));
}

} // namespace dfe
