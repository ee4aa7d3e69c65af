#include "sample_packet.h"

#include <string>

namespace dfe::bench {

Packet MakeSamplePacket(size_t rows) {
    Packet p;
    for (int i = 0; i < 10; ++i)
        p.fields.push_back({"CD" + std::to_string(i), FieldType::String, 10, false});
    for (int i = 0; i < 4; ++i)
        p.fields.push_back({"NM" + std::to_string(i), FieldType::String, 40, false});
    for (int i = 0; i < 6; ++i)
        p.fields.push_back({"NR" + std::to_string(i), FieldType::Integer, 0, false});
    for (int i = 0; i < 6; ++i)
        p.fields.push_back({"VR" + std::to_string(i), FieldType::Float, 0, false});
    for (int i = 0; i < 3; ++i)
        p.fields.push_back({"DT" + std::to_string(i), FieldType::DateTime, 0, false});
    p.fields.push_back({"IDATIVO", FieldType::Boolean, 0, false});
    p.rows.reserve(rows);
    for (size_t r = 0; r < rows; ++r) {
        PacketRow row;
        row.values.reserve(p.fields.size());
        const auto n = static_cast<int64_t>(r);
        for (int i = 0; i < 10; ++i)
            row.values.emplace_back(std::to_string((n * 7 + i) % 100000));
        for (int i = 0; i < 4; ++i)
            row.values.emplace_back("FORNECEDOR DE TESTE LTDA " + std::to_string(n % 977 + i));
        for (int i = 0; i < 6; ++i)
            row.values.emplace_back(n * 31 + i);
        for (int i = 0; i < 6; ++i)
            row.values.emplace_back(static_cast<double>(n % 10000) * 1.25 + i);
        for (int i = 0; i < 3; ++i)
            row.values.emplace_back(DateTime(46000.0 + static_cast<double>(n % 365 + i)));
        row.values.emplace_back(r % 3 == 0);
        p.rows.push_back(std::move(row));
    }
    return p;
}

} // namespace dfe::bench
