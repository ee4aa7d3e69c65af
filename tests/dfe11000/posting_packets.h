#pragma once

#include "platform/data/dataset.h"
#include "platform/data/packet.h"

#include <map>
#include <string>
#include <vector>

namespace dfe::dfe11000::testing {

using Values = std::map<std::string, Variant>;

// A packet as the server sends it for `ds`: every field the dataset declares, plus `extra` where it declares
// none, one row per entry of `rows` (missing values are null).
inline Packet PacketFor(const DataSet& ds, const std::vector<FieldDef>& extra,
                        const std::vector<Values>& rows) {
    Packet packet;
    packet.fields = ds.DataFieldDefs();
    for (const FieldDef& def : extra) {
        if (packet.FieldIndex(def.name) < 0) packet.fields.push_back(def);
    }
    for (const Values& values : rows) {
        PacketRow row;
        for (const FieldDef& def : packet.fields) {
            auto it = values.find(def.name);
            row.values.push_back(it == values.end() ? Variant::Null() : it->second);
        }
        packet.rows.push_back(std::move(row));
    }
    return packet;
}

inline Variant PacketVariant(const DataSet& ds, const std::vector<FieldDef>& extra,
                             const std::vector<Values>& rows) {
    return Variant(ToDataPacket(PacketFor(ds, extra, rows)));
}

inline FieldDef Text(const char* name, int size) {
    return FieldDef{name, FieldType::String, size};
}

// The list row's fields, as the list loads them.
inline std::vector<FieldDef> ListRowFields() {
    return {Text("NRNOTAFISC", 20),
            Text("NRINSJURNF", 20),
            Text("NMRAZSOCFORN", 40),
            Text("CDSERIEENTR", 5),
            FieldDef{"DTEMISSAO", FieldType::DateTime},
            FieldDef{"DTENTRSAID", FieldType::DateTime},
            FieldDef{"VRNOTAFISC", FieldType::Float},
            Text("CDFILIAL", 4),
            Text("NRLANCTONF", 10),
            Text("CDEMPRESA", 2),
            Text("CDFILIRECE", 4),
            Text("IDTPIJURNF", 1),
            Text("IDSTATUS", 1),
            Text("IDENTRSAIDOP", 1),
            Text("IDBLOQUEADO", 1),
            Text("CDTIPOOPER", 2),
            Text("NMTIPOOPER", 30),
            Text("CDFILIEMIT", 4),
            Text("CDCLIENTE", 21),
            Text("IDORIGDESTNF", 1),
            Text("NMRAZSOCCLIE", 50),
            Text("NMFILIAL", 30),
            Text("NRLANCESTQ", 10),
            Text("NMRAZSOCEMPR", 80),
            Text("IDUTILVENC", 1),
            Text("IDNFDEVOOL", 1),
            Text("DSNOTAFISORIGOL", 30),
            Text("IDDOCREPLIC", 14),
            Text("IDNFGERADAVIAXML", 1),
            Text("IDSTATUSMANIF", 1),
            Text("IDDOCCREDST", 14),
            Text("CDFORNECED", 21)};
}

} // namespace dfe::dfe11000::testing
