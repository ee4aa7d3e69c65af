#include "platform/data/record_order.h"

#include "platform/core/text.h"
#include "platform/data/data_error.h"
#include "platform/data/value_compare.h"

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
