#pragma once

#include "platform/data/dataset.h"

#include <string>
#include <vector>

namespace dfe::testing {

// A posting-items dataset with one field of each kind the rules use.
inline std::vector<FieldDef> ItemFields() {
    return {
        {"NRSEQITPROD", FieldType::String, 4, false}, {"CDPRODUTO", FieldType::String, 10, false},
        {"QTITEMPROD", FieldType::Float, 0, false},   {"VRUNITITEM", FieldType::Float, 0, false},
        {"NRITENS", FieldType::Integer, 0, false},    {"DTENTRADA", FieldType::DateTime, 0, false},
        {"IDATIVO", FieldType::Boolean, 0, false},
    };
}

inline PacketRow Item(const std::string& seq, const std::string& product, double quantity, double price) {
    return {RowStatus::Unmodified,
            {Variant(seq), Variant(product), Variant(quantity), Variant(price), Variant(int64_t{1}),
             Variant(DateTime::FromDate(2024, 3, 1)), Variant(true)},
            {}};
}

inline Packet ItemPacket(std::vector<PacketRow> rows) {
    Packet p;
    p.fields = ItemFields();
    p.rows = std::move(rows);
    return p;
}

// Loaded with three items "001" A, "002" B, "003" C.
inline void LoadThreeItems(DataSet& ds) {
    ds.SetData(ItemPacket({Item("001", "A", 1, 10), Item("002", "B", 2, 20), Item("003", "C", 3, 30)}));
}

// The values of one field along the view, from the first row.
inline std::vector<std::string> Column(DataSet& ds, const std::string& field) {
    std::vector<std::string> out;
    for (int i = 1; i <= ds.RecordCount(); ++i) {
        ds.ReadRecordAt(i, [&] { out.push_back(ds.FieldByName(field).AsString()); });
    }
    return out;
}

} // namespace dfe::testing
