#include "platform/data/data_error.h"
#include "platform/data/dataset.h"

namespace dfe {

RowStatus DataSet::UpdateStatus() const {
    if (!Active()) return RowStatus::Unmodified;
    if (state_ == DataSetState::Insert) return RowStatus::Inserted;
    if (!HasCurrent()) return RowStatus::Unmodified;
    return Row(CurrentId()).status;
}

void DataSet::RevertRow(uint32_t id, bool bulk) {
    StoredRow& row = Row(id);
    if (row.status == RowStatus::Inserted) {
        if (bulk) {
            MarkDead(id);
        } else {
            KillRow(id);
        }
        return;
    }
    row.Revert();
    row.status = RowStatus::Unmodified;
}

void DataSet::CancelUpdates() {
    CheckActive();
    Cancel();
    const std::optional<uint32_t> current =
        HasCurrent() ? std::optional(Row(CurrentId()).serial) : std::nullopt;
    for (uint32_t id = 0; id < rows_.size(); ++id) {
        if (!rows_[id].dead && rows_[id].status != RowStatus::Unmodified) RevertRow(id, true);
    }
    Compact();
    RebuildView();
    size_t pos = 0;
    for (size_t i = 0; current && i < view_.size(); ++i) {
        if (Row(view_[i]).serial == *current) pos = i;
    }
    MoveCursorTo(pos);
    CalculateFields();
    NotifyDataChange(nullptr);
}

// The current row leaves the view when reverting changes whether the view shows it (a deleted row in the
// view of deleted rows); the cursor then stays at the same place, so a loop can revert row after row.
void DataSet::RevertRecord() {
    CheckActive();
    Cancel();
    if (!HasCurrent()) return;
    const uint32_t id = CurrentId();
    const auto pos = static_cast<size_t>(cursor_);
    if (Row(id).status == RowStatus::Unmodified) return;
    RevertRow(id, false);
    RebuildView();
    const size_t now = Row(id).dead ? view_.size() : ViewPositionOf(id);
    if (now < view_.size()) {
        MoveCursorTo(now);
    } else {
        MoveCursorTo(pos);
        eof_ = pos >= view_.size();
    }
    CalculateFields();
    NotifyDataChange(nullptr);
}

void DataSet::MergeChangeLog() {
    CheckActive();
    CheckBrowseMode();
    for (uint32_t id = 0; id < rows_.size(); ++id) {
        StoredRow& row = rows_[id];
        if (row.dead) continue;
        if (row.status == RowStatus::Deleted) {
            MarkDead(id);
            continue;
        }
        row.originals.clear();
        row.status = RowStatus::Unmodified;
    }
    const std::optional<uint32_t> current =
        HasCurrent() ? std::optional(Row(CurrentId()).serial) : std::nullopt;
    Compact();
    RebuildView();
    for (size_t i = 0; current && i < view_.size(); ++i) {
        if (Row(view_[i]).serial == *current) cursor_ = static_cast<int>(i);
    }
    NotifyDataChange(nullptr);
}

} // namespace dfe
