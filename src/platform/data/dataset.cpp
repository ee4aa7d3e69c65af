#include "platform/data/dataset.h"

#include "platform/core/text.h"
#include "platform/data/data_error.h"
#include "platform/data/data_source.h"
#include "platform/data/dataset_record_scope.h"

#include <algorithm>

namespace dfe {

bool StatusFilter::Shows(RowStatus status) const {
    switch (status) {
    case RowStatus::Unmodified:
        return unmodified;
    case RowStatus::Inserted:
        return inserted;
    case RowStatus::Modified:
        return modified;
    case RowStatus::Deleted:
        return deleted;
    }
    return false;
}

DataSet::DataSet(std::string name) : name_(std::move(name)) {}

DataSet::~DataSet() {
    for (DataSource* source : sources_)
        source->ForgetDataSet();
}

// ---- Fields

Field& DataSet::DeclareField(const FieldDef& def) {
    return AddField(def, FieldKind::Data, true);
}

Field& DataSet::DeclareCalculatedField(const FieldDef& def) {
    return AddField(def, FieldKind::Calculated, true);
}

Field& DataSet::AddField(const FieldDef& def, FieldKind kind, bool declared) {
    if (declared && Active()) {
        throw DataSetError(name_ + ": os campos são declarados com o conjunto de dados fechado");
    }
    if (text::Trim(def.name).empty()) throw DataSetError(name_ + ": campo sem nome");
    if (FindField(def.name)) throw DataSetError(name_ + ": campo " + def.name + " declarado duas vezes");
    FieldDef clean = def;
    clean.size = std::max(clean.size, 0);
    auto field = std::make_unique<Field>(*this, std::move(clean), kind, declared);
    Field& added = *field;
    // Declared fields stay ahead of those taken from packets, so their row positions never move.
    auto firstUndeclared =
        std::find_if(fields_.begin(), fields_.end(), [](auto& f) { return !f->declared_; });
    fields_.insert(declared ? firstUndeclared : fields_.end(), std::move(field));
    RebuildFieldSlots();
    return added;
}

void DataSet::RebuildFieldSlots() {
    fieldIndex_.clear();
    dataFields_.clear();
    cachedListNames_.clear();
    cachedListSlots_.clear();
    recentNames_.fill({});
    dataFieldCount_ = 0;
    calcFieldCount_ = 0;
    for (size_t i = 0; i < fields_.size(); ++i) {
        Field& f = *fields_[i];
        f.index_ = static_cast<int>(i);
        f.slot_ = f.IsCalculated() ? calcFieldCount_++ : dataFieldCount_++;
        if (!f.IsCalculated()) dataFields_.push_back(&f);
        fieldIndex_[text::Upper(f.FieldName())] = static_cast<int>(i);
    }
}

void DataSet::RemoveUndeclaredFields() {
    std::erase_if(fields_, [](const std::unique_ptr<Field>& f) { return !f->declared_; });
    RebuildFieldSlots();
}

Field& DataSet::FieldAt(int index) const {
    if (index < 0 || index >= FieldCount()) {
        throw DataSetError(name_ + ": índice de campo " + std::to_string(index) + " fora dos limites");
    }
    return *fields_[static_cast<size_t>(index)];
}

Field* DataSet::FindField(std::string_view name) const {
    // Rules name the same fields with the same literals over and over (a calculated field is worked out on
    // every write): a name at an address seen before is checked against that field's own name, not hashed.
    RecentName& recent = recentNames_[(reinterpret_cast<uintptr_t>(name.data()) >> 3) % recentNames_.size()];
    if (recent.text == name.data() && recent.index < fields_.size() &&
        fields_[recent.index]->FieldName() == name)
        return fields_[recent.index].get();
    // Names are nearly always written as declared: only the others pay for folding.
    auto it = fieldIndex_.find(name);
    if (it == fieldIndex_.end()) it = fieldIndex_.find(text::Upper(text::Trim(name)));
    if (it == fieldIndex_.end()) return nullptr;
    recent = {name.data(), static_cast<size_t>(it->second)};
    return fields_[static_cast<size_t>(it->second)].get();
}

Field& DataSet::FieldByName(std::string_view name) const {
    if (Field* f = FindField(name)) return *f;
    throw DataSetError(name_ + ": campo " + std::string(name) + " não encontrado");
}

std::vector<FieldDef> DataSet::DataFieldDefs() const {
    std::vector<FieldDef> defs;
    defs.reserve(static_cast<size_t>(dataFieldCount_));
    for (const auto& f : fields_) {
        if (!f->IsCalculated()) defs.push_back(f->Def());
    }
    return defs;
}

std::vector<int> DataSet::ResolveFieldList(std::string_view names) const {
    std::vector<int> result;
    for (const std::string& part : text::Split(names, ';')) {
        const Field& f = FieldByName(text::Trim(part));
        if (f.IsCalculated()) {
            throw DataSetError(name_ + ": o campo calculado " + f.FieldName() +
                               " não pode ser chave de busca");
        }
        result.push_back(f.slot_);
    }
    return result;
}

// Rules locate by the same field list over and over.
const std::vector<int>& DataSet::CachedFieldList(std::string_view names) {
    if (cachedListSlots_.empty() || names != cachedListNames_) {
        cachedListSlots_ = ResolveFieldList(names);
        cachedListNames_ = std::string(names);
    }
    return cachedListSlots_;
}

std::optional<ExprField> DataSet::ResolveExprField(std::string_view name) const {
    const Field* f = FindField(name);
    if (!f || f->IsCalculated()) return std::nullopt;
    return ExprField{f->slot_, f->DataType()};
}

// ---- Reading and writing field values

void DataSet::CheckActive() const {
    if (!Active()) throw DataSetError(name_ + ": o conjunto de dados está fechado");
}

// While a filter, a calculation or a grid reads a row aside, the rows must stay where they are.
void DataSet::CheckNotReading() const {
    if (probe_ || transientState_) {
        throw DataSetError(
            name_ +
            ": o conjunto de dados não pode ser alterado nem percorrido durante a leitura de um registro");
    }
}

const Variant& DataSet::ReadSlot(const Field& field) const {
    static const Variant null = Variant::Null();
    if (field.pending_) return *field.pending_;
    CheckActive();
    const auto slot = static_cast<size_t>(field.slot_);
    if (field.IsCalculated()) return slot < calcValues_.size() ? calcValues_[slot] : null;
    if (probe_) return (*probe_)[slot];
    if (IsEditing(state_)) return EditValue(slot);
    return HasCurrent() ? Row(CurrentId()).values[slot] : null;
}

const Variant& DataSet::StoredSlot(const Field& field) const {
    CheckActive();
    if (field.IsCalculated() || probe_ || state_ != DataSetState::Edit) return ReadSlot(field);
    return Row(editRowId_).values[static_cast<size_t>(field.slot_)];
}

Variant DataSet::OriginalSlot(const Field& field) const {
    CheckActive();
    if (field.IsCalculated() || probe_) return ReadSlot(field);
    if (state_ == DataSetState::Insert || !HasCurrent()) return Variant::Null();
    const StoredRow& row = Row(state_ == DataSetState::Edit ? editRowId_ : CurrentId());
    if (row.status == RowStatus::Inserted) return Variant::Null();
    return row.LoadedValue(static_cast<size_t>(field.slot_));
}

void DataSet::CheckWritable(const Field& field) const {
    CheckActive();
    if (transientState_ == DataSetState::CalcFields) {
        if (field.IsCalculated()) return;
        throw DataSetError(name_ + ": o campo " + field.FieldName() + " não pode ser alterado no cálculo");
    }
    if (probe_) throw DataSetError(name_ + ": o registro lido fora do cursor não pode ser alterado");
    if (!IsEditing(state_)) {
        throw DataSetError(name_ + ": o conjunto de dados não está em edição nem em inclusão");
    }
    if (field.ReadOnly() && !field.IsCalculated()) {
        throw DataSetError(name_ + ": o campo " + field.FieldName() + " é somente leitura");
    }
}

void DataSet::WriteField(Field& field, Variant value) {
    CheckWritable(field);
    const bool calculating = transientState_ == DataSetState::CalcFields;
    if (field.OnValidate && !calculating) {
        field.pending_ = &value;
        try {
            field.OnValidate(field);
        } catch (...) {
            field.pending_ = nullptr;
            throw;
        }
        field.pending_ = nullptr;
    }
    const auto slot = static_cast<size_t>(field.slot_);
    if (field.IsCalculated()) {
        if (calcValues_.size() < static_cast<size_t>(calcFieldCount_)) ResetCalcValues();
        calcValues_[slot] = std::move(value);
    } else {
        editBuffer_[slot] = std::move(value);
        modified_ = true;
    }
    if (calculating) return;
    // A handler writing its own field again would recurse without end; the nested write just stores.
    if (field.OnChange && !field.inOnChange_) {
        field.inOnChange_ = true;
        try {
            field.OnChange(field);
        } catch (...) {
            field.inOnChange_ = false;
            throw;
        }
        field.inOnChange_ = false;
    }
    if (!field.IsCalculated()) CalculateFields();
    NotifyDataChange(&field);
}

// ---- Calculated fields

void DataSet::ResetCalcValues() {
    calcValues_.assign(static_cast<size_t>(calcFieldCount_), Variant::Null());
}

void DataSet::CalculateFields() {
    if (calcFieldCount_ == 0) return;
    ResetCalcValues();
    if (!OnCalcFields || transientState_) return;
    if (!IsEditing(state_) && !HasCurrent()) return;
    // No probe: the fields read the current row, or the row being edited through its pending values.
    RecordScope scope(*this, nullptr, DataSetState::CalcFields);
    OnCalcFields(*this);
}

void DataSet::ReadRecordAt(int recNo, const std::function<void()>& reader) {
    CheckActive();
    if (recNo < 1 || recNo > RecordCount()) {
        throw DataSetError(name_ + ": registro " + std::to_string(recNo) + " fora dos limites");
    }
    const std::vector<Variant>& values = Row(view_[static_cast<size_t>(recNo - 1)]).values;
    std::vector<Variant> savedCalc = std::move(calcValues_);
    struct RestoreCalc {
        DataSet& ds;
        std::vector<Variant>& saved;
        ~RestoreCalc() { ds.calcValues_ = std::move(saved); }
    } restore{*this, savedCalc};
    ResetCalcValues();
    if (OnCalcFields && calcFieldCount_ > 0) {
        RecordScope calc(*this, &values, DataSetState::CalcFields);
        OnCalcFields(*this);
    }
    RecordScope scope(*this, &values, std::nullopt);
    reader();
}

// ---- State and notifications

void DataSet::SetState(DataSetState state) {
    if (state_ == state) return;
    state_ = state;
    if (disableCount_ > 0) return;
    const std::vector<DataSource*> sources = sources_;
    for (DataSource* s : sources) {
        if (std::find(sources_.begin(), sources_.end(), s) != sources_.end()) s->NotifyStateChange();
    }
}

void DataSet::NotifyDataChange(Field* field) {
    if (disableCount_ > 0) return;
    const std::vector<DataSource*> sources = sources_;
    for (DataSource* s : sources) {
        if (std::find(sources_.begin(), sources_.end(), s) != sources_.end()) s->NotifyDataChange(field);
    }
}

void DataSet::UpdateRecord() {
    if (IsEditing(State())) NotifyUpdateData();
}

void DataSet::NotifyUpdateData() {
    if (disableCount_ > 0) return;
    const std::vector<DataSource*> sources = sources_;
    for (DataSource* s : sources) {
        if (std::find(sources_.begin(), sources_.end(), s) != sources_.end()) s->NotifyUpdateData();
    }
}

void DataSet::Attach(DataSource* source) {
    if (std::find(sources_.begin(), sources_.end(), source) == sources_.end()) sources_.push_back(source);
}

void DataSet::Detach(DataSource* source) {
    std::erase(sources_, source);
}

void DataSet::DisableControls() {
    ++disableCount_;
}

void DataSet::EnableControls() {
    if (disableCount_ == 0 || --disableCount_ > 0) return;
    const std::vector<DataSource*> sources = sources_;
    for (DataSource* s : sources) {
        if (std::find(sources_.begin(), sources_.end(), s) == sources_.end()) continue;
        s->NotifyStateChange();
        if (Active()) s->NotifyDataChange(nullptr);
    }
}

void DataSet::RunCheckedEvent(const Handler& handler) {
    if (!handler) return;
    // Handlers that set each other off (an AfterScroll that scrolls) would otherwise end in a stack overflow.
    if (eventDepth_ >= kMaxEventDepth) {
        throw DataSetError(name_ + ": eventos encadeados demais (um evento provoca a si mesmo?)");
    }
    ++eventDepth_;
    struct Leave {
        int& depth;
        ~Leave() { --depth; }
    } leave{eventDepth_};
    handler(*this);
}

// A Before* handler that closed, moved or changed the state of its own dataset leaves nothing for the
// operation to work on.
void DataSet::RequireUnchanged(DataSetState state, std::optional<uint32_t> current, const char* event) const {
    const bool moved = current && (!HasCurrent() || CurrentId() != *current);
    if (state_ != state || moved) {
        throw DataSetError(name_ + ": o conjunto de dados mudou durante " + event + "; operação abandonada");
    }
}

} // namespace dfe
