#include "platform/data/data_error.h"
#include "platform/data/dataset.h"
#include "platform/data/dataset_record_scope.h"

#include <algorithm>
#include <limits>

namespace dfe {

bool DataSet::PassesFilter(const std::vector<Variant>& values) {
    if (!filtered_) return true;
    if (filterExpr_ && !filterExpr_->Matches(values)) return false;
    if (!OnFilterRecord) return true;
    RecordScope scope(*this, &values, DataSetState::Filter);
    return OnFilterRecord(*this);
}

bool DataSet::Visible(const StoredRow& row) {
    return !row.dead && statusFilter_.Shows(row.status) && PassesFilter(row.values);
}

// Builds the view aside and swaps it in, so a filter handler that throws leaves the old view standing.
void DataSet::RebuildView() {
    std::vector<uint32_t> fresh;
    fresh.reserve(order_.size());
    const bool plain = !filtered_ && statusFilter_.IsDefault();
    for (uint32_t id : order_) {
        const StoredRow& row = Row(id);
        if (plain ? row.status != RowStatus::Deleted : Visible(row)) fresh.push_back(id);
    }
    std::vector<KeyPrefix> prefixes;
    if (index_.Active()) {
        std::vector<std::pair<KeyPrefix, uint32_t>> keyed;
        keyed.reserve(fresh.size());
        for (uint32_t id : fresh)
            keyed.emplace_back(index_.Prefix(Row(id).values), id);
        std::stable_sort(keyed.begin(), keyed.end(), [&](const auto& a, const auto& b) {
            if (a.first != b.first) return a.first < b.first;
            return index_.Compare(Row(a.second).values, Row(b.second).values) < 0;
        });
        prefixes.reserve(keyed.size());
        for (size_t i = 0; i < keyed.size(); ++i) {
            fresh[i] = keyed[i].second;
            prefixes.push_back(keyed[i].first);
        }
    }
    view_.swap(fresh);
    viewPrefix_.swap(prefixes);
    if (cursor_ >= static_cast<int>(view_.size()))
        cursor_ = view_.empty() ? 0 : static_cast<int>(view_.size()) - 1;
}

void DataSet::RecomputeViewPrefixes() {
    viewPrefix_.clear();
    if (!index_.Active()) return;
    viewPrefix_.reserve(view_.size());
    for (uint32_t id : view_)
        viewPrefix_.push_back(index_.Prefix(Row(id).values));
}

void DataSet::ViewInsert(size_t pos, uint32_t id) {
    view_.insert(view_.begin() + static_cast<std::ptrdiff_t>(pos), id);
    if (index_.Active() && viewPrefix_.size() + 1 != view_.size()) {
        RecomputeViewPrefixes();
    } else if (index_.Active()) {
        viewPrefix_.insert(viewPrefix_.begin() + static_cast<std::ptrdiff_t>(pos),
                           index_.Prefix(Row(id).values));
    }
}

void DataSet::ViewErase(size_t pos) {
    view_.erase(view_.begin() + static_cast<std::ptrdiff_t>(pos));
    if (PrefixesReady(1)) {
        viewPrefix_.erase(viewPrefix_.begin() + static_cast<std::ptrdiff_t>(pos));
    } else {
        RecomputeViewPrefixes();
    }
}

// Whether row a (with its prefix) sorts before the view's row at posB.
bool DataSet::ViewRowLess(uint32_t a, const KeyPrefix& prefixA, size_t posB) const {
    if (PrefixesReady() && prefixA != viewPrefix_[posB]) return prefixA < viewPrefix_[posB];
    return index_.Compare(Row(a).values, Row(view_[posB]).values) < 0;
}

size_t DataSet::ViewPositionOf(uint32_t id) const {
    return static_cast<size_t>(std::find(view_.begin(), view_.end(), id) - view_.begin());
}

size_t DataSet::OrderPositionOf(uint32_t id) const {
    return static_cast<size_t>(std::find(order_.begin(), order_.end(), id) - order_.begin());
}

// Puts a posted row where the view's order wants it and makes it current.
void DataSet::PlaceInView(uint32_t id, size_t naturalPos, bool keepCursorRow) {
    size_t pos = std::min(naturalPos, view_.size());
    if (index_.Active()) {
        const KeyPrefix prefix = index_.Prefix(Row(id).values);
        size_t low = 0;
        size_t high = view_.size();
        while (low < high) { // first row that sorts after the new one
            const size_t mid = low + (high - low) / 2;
            if (ViewRowLess(id, prefix, mid)) {
                high = mid;
            } else {
                low = mid + 1;
            }
        }
        pos = low;
    }
    ViewInsert(pos, id);
    if (keepCursorRow) cursor_ = static_cast<int>(pos);
}

void DataSet::RemoveFromView(uint32_t id) {
    const size_t pos = ViewPositionOf(id);
    if (pos == view_.size()) return;
    ViewErase(pos);
    if (static_cast<int>(pos) < cursor_) --cursor_;
}

void DataSet::MarkDead(uint32_t id) {
    StoredRow& row = Row(id);
    row.dead = true;
    row.values.clear();
    row.originals.clear();
    ++deadRows_;
}

void DataSet::KillRow(uint32_t id) {
    MarkDead(id);
    const size_t pos = OrderPositionOf(id);
    if (pos < order_.size()) order_.erase(order_.begin() + static_cast<std::ptrdiff_t>(pos));
}

// Drops dead rows from storage once they are many; row ids change, so every list of ids is renumbered.
void DataSet::Compact() {
    if (deadRows_ == 0) return;
    constexpr uint32_t gone = std::numeric_limits<uint32_t>::max();
    std::vector<uint32_t> remap(rows_.size(), gone);
    std::vector<StoredRow> kept;
    kept.reserve(rows_.size() - deadRows_);
    for (uint32_t id = 0; id < rows_.size(); ++id) {
        if (rows_[id].dead) continue;
        remap[id] = static_cast<uint32_t>(kept.size());
        kept.push_back(std::move(rows_[id]));
    }
    rows_ = std::move(kept);
    const auto renumber = [&](std::vector<uint32_t>& ids) {
        std::erase_if(ids, [&](uint32_t id) { return remap[id] == gone; });
        for (uint32_t& id : ids)
            id = remap[id];
    };
    renumber(order_);
    renumber(view_);
    RecomputeViewPrefixes();
    if (state_ == DataSetState::Edit) editRowId_ = remap[editRowId_];
    if (insertBefore_) {
        insertBefore_ =
            remap[*insertBefore_] == gone ? std::nullopt : std::optional<uint32_t>(remap[*insertBefore_]);
    }
    deadRows_ = 0;
}

// ---- Filters

void DataSet::SetFilter(std::string_view expression) {
    CheckNotReading();
    std::optional<Expression> parsed;
    if (Active() && !expression.empty()) {
        parsed = Expression::ParseCondition(
            expression, [this](std::string_view n) { return ResolveExprField(n); }, filterCaseInsensitive_);
    }
    if (Active() && filtered_) CheckBrowseMode();
    filterText_ = std::string(expression);
    filterExpr_ = std::move(parsed);
    if (Active() && filtered_) {
        RebuildView();
        First();
    }
}

void DataSet::SetFilterCaseInsensitive(bool caseInsensitive) {
    if (filterCaseInsensitive_ == caseInsensitive) return;
    filterCaseInsensitive_ = caseInsensitive;
    SetFilter(std::string(filterText_));
}

void DataSet::SetFiltered(bool filtered) {
    if (filtered_ == filtered) return;
    if (!Active()) {
        filtered_ = filtered;
        return;
    }
    CheckBrowseMode();
    filtered_ = filtered;
    try {
        RebuildView();
    } catch (...) {
        filtered_ = !filtered;
        throw;
    }
    First();
}

void DataSet::SetStatusFilter(const StatusFilter& filter) {
    if (!Active()) {
        statusFilter_ = filter;
        return;
    }
    CheckBrowseMode();
    const StatusFilter previous = statusFilter_;
    statusFilter_ = filter;
    try {
        RebuildView();
    } catch (...) {
        statusFilter_ = previous;
        throw;
    }
    First();
}

void DataSet::CheckEditableView() const {
    if (!statusFilter_.IsDefault()) {
        throw DataSetError(name_ + ": a visão por situação das alterações não pode ser editada");
    }
}

// ---- Indexes

void DataSet::ApplyIndex(RecordOrder order, std::string name) {
    if (Active()) {
        ResolveOrderKeys(order, DataFieldDefs(), name_);
        CheckBrowseMode();
    }
    const std::optional<uint32_t> current =
        Active() && HasCurrent() ? std::optional(CurrentId()) : std::nullopt;
    RecordOrder previous = std::exchange(index_, std::move(order));
    std::string previousName = std::exchange(indexName_, std::move(name));
    if (!Active()) return;
    try {
        RebuildView();
    } catch (...) { // a filter handler threw: the old order still matches the view
        index_ = std::move(previous);
        indexName_ = std::move(previousName);
        throw;
    }
    if (current) {
        const size_t pos = ViewPositionOf(*current);
        if (pos < view_.size()) cursor_ = static_cast<int>(pos);
    }
    NotifyDataChange(nullptr);
}

void DataSet::SetIndexFieldNames(std::string_view fieldNames, std::string_view descendingFields) {
    RecordOrder order;
    order.fieldNames = std::string(fieldNames);
    order.descendingFields = std::string(descendingFields);
    ApplyIndex(std::move(order), {});
}

void DataSet::AddIndex(const std::string& name, std::string_view fieldNames,
                       std::string_view descendingFields, bool caseInsensitive) {
    RecordOrder order;
    order.fieldNames = std::string(fieldNames);
    order.descendingFields = std::string(descendingFields);
    order.caseInsensitive = caseInsensitive;
    if (Active()) ResolveOrderKeys(order, DataFieldDefs(), name_);
    namedIndexes_[name] = order;
    if (!indexName_.empty() && indexName_ == name) ApplyIndex(std::move(order), name);
}

void DataSet::SetIndexName(std::string_view name) {
    if (name.empty()) {
        ApplyIndex({}, {});
        return;
    }
    const auto it = namedIndexes_.find(name);
    if (it == namedIndexes_.end())
        throw DataSetError(name_ + ": índice " + std::string(name) + " não existe");
    ApplyIndex(it->second, std::string(name));
}

} // namespace dfe
