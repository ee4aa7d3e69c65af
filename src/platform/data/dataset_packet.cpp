#include "platform/data/data_error.h"
#include "platform/data/dataset.h"
#include "platform/data/field_value.h"

#include "platform/core/text.h"

#include <algorithm>
#include <set>

namespace dfe {
namespace {

[[noreturn]] void Malformed(const std::string& why) {
    throw PacketError("Pacote de dados inválido: " + why);
}

bool IsKnown(FieldType type) {
    switch (type) {
    case FieldType::String:
    case FieldType::Integer:
    case FieldType::Float:
    case FieldType::DateTime:
    case FieldType::Boolean:
    case FieldType::Memo:
    case FieldType::Blob:
        return true;
    }
    return false;
}

VariantType StoredType(FieldType type) {
    switch (type) {
    case FieldType::Integer:
        return VariantType::Integer;
    case FieldType::Float:
        return VariantType::Double;
    case FieldType::DateTime:
        return VariantType::DateTime;
    case FieldType::Boolean:
        return VariantType::Boolean;
    default:
        return VariantType::String;
    }
}

void CheckFields(const Packet& packet) {
    if (packet.isDelta) Malformed("um pacote de alterações não pode ser carregado como dados");
    std::set<std::string> names;
    for (const FieldDef& def : packet.fields) {
        if (text::Trim(def.name).empty()) Malformed("campo sem nome");
        if (!names.insert(text::Upper(def.name)).second) Malformed("campo " + def.name + " repetido");
        if (!IsKnown(def.type)) Malformed("campo " + def.name + " de tipo desconhecido");
        if (def.size < 0) Malformed("campo " + def.name + " com tamanho negativo");
    }
}

// Where each stored field of the dataset comes from in the packet, and how to read it.
struct LoadPlan {
    std::vector<FieldDef> targetDefs;  // per row slot
    std::vector<size_t> sourceColumn;  // per row slot
    std::vector<FieldDef> dynamicDefs; // packet fields the dataset did not declare
    bool identity = true;              // slot i is column i with the same storage type
};

LoadPlan PlanLoad(const Packet& packet, const std::vector<FieldDef>& declared) {
    LoadPlan plan;
    std::vector<bool> used(packet.fields.size(), false);
    for (const FieldDef& def : declared) {
        size_t column = packet.fields.size();
        for (size_t c = 0; c < packet.fields.size(); ++c) {
            if (text::SameText(packet.fields[c].name, def.name)) column = c;
        }
        if (column == packet.fields.size()) Malformed("o campo " + def.name + " não está no pacote");
        used[column] = true;
        plan.targetDefs.push_back(def);
        plan.sourceColumn.push_back(column);
    }
    for (size_t c = 0; c < packet.fields.size(); ++c) {
        if (used[c]) continue;
        plan.dynamicDefs.push_back(packet.fields[c]);
        plan.targetDefs.push_back(packet.fields[c]);
        plan.sourceColumn.push_back(c);
    }
    for (size_t slot = 0; slot < plan.targetDefs.size(); ++slot) {
        const FieldDef& source = packet.fields[plan.sourceColumn[slot]];
        if (plan.sourceColumn[slot] != slot ||
            StoredType(source.type) != StoredType(plan.targetDefs[slot].type)) {
            plan.identity = false;
        }
    }
    if (plan.targetDefs.size() != packet.fields.size()) plan.identity = false;
    return plan;
}

// Checks one value against its packet field; true when it must still be converted to the dataset's type.
bool CheckValue(const Variant& value, const FieldDef& source, const FieldDef& target, size_t row) {
    if (value.IsNull()) return false;
    const auto where = [&] { return "linha " + std::to_string(row + 1) + ", campo " + source.name; };
    if (value.Type() != StoredType(source.type)) {
        Malformed(where() + ": valor " + VariantTypeName(value.Type()) + " num campo " +
                  FieldTypeCaption(source.type));
    }
    if (const std::string* s = value.TextIf(); s && source.type == FieldType::String && source.size > 0) {
        // A text of no more bytes than the width has no more characters either.
        if (s->size() > static_cast<size_t>(source.size) &&
            text::Length(*s) > static_cast<size_t>(source.size)) {
            Malformed(where() + ": texto maior que o tamanho do campo (" + std::to_string(source.size) + ")");
        }
    }
    return StoredType(source.type) != StoredType(target.type);
}

Variant Converted(const Variant& value, const FieldDef& source, const FieldDef& target, size_t row) {
    try {
        return ConvertForSearch(value, target);
    } catch (const DataSetError& e) {
        Malformed("linha " + std::to_string(row + 1) + ", campo " + source.name + ": " + e.what());
    }
}

// Checks one value against its packet field and converts it to the dataset's field type in place.
void AcceptValue(Variant& value, const FieldDef& source, const FieldDef& target, size_t row) {
    if (value.IsUnassigned()) value = Variant::Null();
    if (CheckValue(value, source, target, row)) value = Converted(value, source, target, row);
}

void CheckRowShape(const PacketRow& source, size_t row, size_t width) {
    if (source.values.size() != width) {
        Malformed("linha " + std::to_string(row + 1) + " com " + std::to_string(source.values.size()) +
                  " valores para " + std::to_string(width) + " campos");
    }
    if (source.status != RowStatus::Unmodified) {
        Malformed("linha " + std::to_string(row + 1) + " marcada como alteração");
    }
}

std::vector<StoredRow> TakeRows(Packet& packet, const LoadPlan& plan) {
    std::vector<StoredRow> rows(packet.rows.size());
    const size_t width = packet.fields.size();
    for (size_t r = 0; r < packet.rows.size(); ++r) {
        PacketRow& source = packet.rows[r];
        CheckRowShape(source, r, width);
        if (plan.identity) {
            for (size_t c = 0; c < width; ++c)
                AcceptValue(source.values[c], packet.fields[c], plan.targetDefs[c], r);
            rows[r].values = std::move(source.values);
            continue;
        }
        std::vector<Variant>& values = rows[r].values;
        values.resize(plan.targetDefs.size());
        for (size_t slot = 0; slot < plan.targetDefs.size(); ++slot) {
            const size_t c = plan.sourceColumn[slot];
            AcceptValue(source.values[c], packet.fields[c], plan.targetDefs[slot], r);
            values[slot] = std::move(source.values[c]);
        }
    }
    return rows;
}

} // namespace

void DataSet::CheckData(const Packet& packet) const {
    CheckFields(packet);
    std::vector<FieldDef> declared;
    for (const auto& f : fields_) {
        if (f->declared_ && !f->IsCalculated()) declared.push_back(f->Def());
    }
    const LoadPlan plan = PlanLoad(packet, declared);
    PrepareViewSettings(plan.targetDefs);
    for (size_t r = 0; r < packet.rows.size(); ++r) {
        CheckRowShape(packet.rows[r], r, packet.fields.size());
        for (size_t slot = 0; slot < plan.targetDefs.size(); ++slot) {
            const size_t c = plan.sourceColumn[slot];
            const Variant& value = packet.rows[r].values[c];
            if (CheckValue(value, packet.fields[c], plan.targetDefs[slot], r))
                Converted(value, packet.fields[c], plan.targetDefs[slot], r);
        }
    }
}

void DataSet::SetData(Packet packet) {
    CheckNotReading();
    CheckFields(packet);
    std::vector<FieldDef> declared;
    for (const auto& f : fields_) {
        if (f->declared_ && !f->IsCalculated()) declared.push_back(f->Def());
    }
    const LoadPlan plan = PlanLoad(packet, declared);
    ViewSettings settings = PrepareViewSettings(plan.targetDefs);
    std::vector<StoredRow> rows = TakeRows(packet, plan);
    // Nothing can fail from here on but the handlers the opening runs.
    ResetContent();
    SetState(DataSetState::Inactive);
    InstallFields(plan.dynamicDefs);
    OpenWith(std::move(rows), std::move(settings));
}

void DataSet::CopyDataFrom(const DataSet& source) {
    SetData(source.Data());
}

Packet DataSet::Data() const {
    CheckActive();
    Packet packet;
    packet.fields = DataFieldDefs();
    packet.rows.reserve(order_.size());
    for (uint32_t id : order_) {
        const StoredRow& row = Row(id);
        if (row.dead || row.status == RowStatus::Deleted) continue;
        packet.rows.push_back({RowStatus::Unmodified, row.values, {}});
    }
    return packet;
}

namespace {

// The values of the sent fields: all of them when every field is sent.
std::vector<Variant> Pick(const std::vector<Variant>& values, const std::vector<size_t>& slots) {
    if (slots.size() == values.size()) return values;
    std::vector<Variant> out;
    out.reserve(slots.size());
    for (size_t s : slots)
        out.push_back(values[s]);
    return out;
}

std::vector<Variant> PickLoaded(const StoredRow& row, const std::vector<size_t>& slots) {
    std::vector<Variant> out;
    out.reserve(slots.size());
    for (size_t s : slots)
        out.push_back(row.LoadedValue(s));
    return out;
}

} // namespace

Packet DataSet::DataForServer() const {
    CheckActive();
    Packet packet;
    std::vector<size_t> slots;
    for (const auto& f : fields_) {
        if (f->IsCalculated() || !f->SentToServer()) continue;
        slots.push_back(static_cast<size_t>(f->slot_));
        packet.fields.push_back(f->Def());
    }
    for (uint32_t id : order_) {
        const StoredRow& row = Row(id);
        if (row.dead || row.status == RowStatus::Deleted) continue;
        packet.rows.push_back({RowStatus::Unmodified, Pick(row.values, slots), {}});
    }
    return packet;
}

Packet DataSet::Delta() const {
    CheckActive();
    Packet packet;
    packet.isDelta = true;
    std::vector<size_t> slots;
    for (const auto& f : fields_) {
        if (f->IsCalculated() || !f->SentToServer()) continue;
        slots.push_back(static_cast<size_t>(f->slot_));
        packet.fields.push_back(f->Def());
    }
    std::vector<uint32_t> changed;
    for (uint32_t id = 0; id < rows_.size(); ++id) {
        if (!rows_[id].dead && rows_[id].status != RowStatus::Unmodified) changed.push_back(id);
    }
    std::sort(changed.begin(), changed.end(),
              [&](uint32_t a, uint32_t b) { return rows_[a].changeSeq < rows_[b].changeSeq; });
    for (uint32_t id : changed) {
        const StoredRow& row = rows_[id];
        PacketRow out;
        out.status = row.status;
        if (row.status == RowStatus::Deleted) {
            out.values = PickLoaded(row, slots);
        } else {
            out.values = Pick(row.values, slots);
            if (row.status == RowStatus::Modified) out.original = PickLoaded(row, slots);
        }
        packet.rows.push_back(std::move(out));
    }
    return packet;
}

int DataSet::ChangeCount() const {
    int count = 0;
    for (const StoredRow& row : rows_)
        count += !row.dead && row.status != RowStatus::Unmodified;
    return count;
}

} // namespace dfe
