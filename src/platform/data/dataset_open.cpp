#include "platform/data/data_error.h"
#include "platform/data/dataset.h"

#include "platform/core/text.h"

#include <algorithm>
#include <numeric>
#include <set>

namespace dfe {
namespace {

std::optional<ExprField> FindInDefs(const std::vector<FieldDef>& defs, std::string_view name) {
    for (size_t i = 0; i < defs.size(); ++i) {
        if (text::SameText(defs[i].name, text::Trim(name)))
            return ExprField{static_cast<int>(i), defs[i].type};
    }
    return std::nullopt;
}

} // namespace

// Resolves the filter and the index against the fields the dataset is about to have, so that a name they
// use and the new fields lack fails before anything changes.
DataSet::ViewSettings DataSet::PrepareViewSettings(const std::vector<FieldDef>& dataDefs) const {
    ViewSettings settings;
    const ExprFieldResolver resolve = [&](std::string_view name) { return FindInDefs(dataDefs, name); };
    if (!filterText_.empty())
        settings.filter = Expression::ParseCondition(filterText_, resolve, filterCaseInsensitive_);
    settings.index = index_;
    ResolveOrderKeys(settings.index, dataDefs, name_);
    return settings;
}

// Replaces the fields taken from the last packet by these; one with the very same definition is kept, so
// handlers and properties set on it survive reloading the same layout.
void DataSet::InstallFields(const std::vector<FieldDef>& dynamicDefs) {
    std::vector<std::unique_ptr<Field>> kept;
    for (auto& f : fields_) {
        if (f->declared_) kept.push_back(std::move(f));
    }
    std::vector<std::unique_ptr<Field>> previous;
    for (auto& f : fields_) {
        if (f) previous.push_back(std::move(f));
    }
    for (const FieldDef& def : dynamicDefs) {
        auto same = std::find_if(previous.begin(), previous.end(),
                                 [&](const auto& f) { return f && !f->IsCalculated() && f->Def() == def; });
        if (same != previous.end()) {
            kept.push_back(std::move(*same));
        } else {
            kept.push_back(std::make_unique<Field>(*this, def, FieldKind::Data, false));
        }
    }
    fields_ = std::move(kept);
    RebuildFieldSlots();
}

void DataSet::ResetContent() {
    rows_.clear();
    order_.clear();
    view_.clear();
    viewPrefix_.clear();
    deadRows_ = 0;
    cursor_ = 0;
    eof_ = bof_ = true;
    editBuffer_.clear();
    modified_ = false;
    insertBefore_.reset();
    calcValues_.clear();
}

void DataSet::OpenWith(std::vector<StoredRow> rows, ViewSettings settings) {
    rows_ = std::move(rows);
    for (StoredRow& row : rows_)
        row.serial = nextSerial_++;
    order_.resize(rows_.size());
    std::iota(order_.begin(), order_.end(), 0U);
    filterExpr_ = std::move(settings.filter);
    index_ = std::move(settings.index);
    SetState(DataSetState::Browse);
    RebuildView();
    cursor_ = 0;
    bof_ = true;
    eof_ = view_.empty();
    CalculateFields();
    NotifyDataChange(nullptr);
    RunCheckedEvent(AfterOpen);
    if (!view_.empty()) RunCheckedEvent(AfterScroll);
}

void DataSet::CreateDataSet() {
    CreateDataSet({});
}

void DataSet::CreateDataSet(const std::vector<FieldDef>& defs) {
    std::vector<FieldDef> dataDefs;
    std::set<std::string> names;
    for (const auto& f : fields_) {
        if (f->declared_) names.insert(text::Upper(f->FieldName()));
        if (f->declared_ && !f->IsCalculated()) dataDefs.push_back(f->Def());
    }
    for (const FieldDef& def : defs) {
        if (text::Trim(def.name).empty()) throw DataSetError(name_ + ": campo sem nome");
        if (!names.insert(text::Upper(def.name)).second) {
            throw DataSetError(name_ + ": campo " + def.name + " definido duas vezes");
        }
        dataDefs.push_back(def);
    }
    CheckNotReading();
    if (names.empty()) throw DataSetError(name_ + ": não há campos para criar o conjunto de dados");
    ViewSettings settings = PrepareViewSettings(dataDefs);
    Close();
    InstallFields(defs);
    OpenWith({}, std::move(settings));
}

void DataSet::EmptyDataSet() {
    CheckActive();
    CheckNotReading();
    ResetContent();
    SetState(DataSetState::Browse);
    CalculateFields();
    NotifyDataChange(nullptr);
}

void DataSet::EmptyOrCreateDataSet() {
    if (Active()) {
        EmptyDataSet();
    } else {
        CreateDataSet();
    }
}

void DataSet::Close() {
    if (!Active()) return;
    CheckNotReading();
    ResetContent();
    RemoveUndeclaredFields();
    SetState(DataSetState::Inactive);
}

} // namespace dfe
