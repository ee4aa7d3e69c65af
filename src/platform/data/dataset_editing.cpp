#include "platform/core/abort.h"
#include "platform/data/data_error.h"
#include "platform/data/dataset.h"

#include <algorithm>

namespace dfe {

void DataSet::Append() {
    BeginInsert(true);
}

void DataSet::Insert() {
    BeginInsert(false);
}

void DataSet::BeginInsert(bool append) {
    CheckActive();
    CheckNotReading();
    CheckEditableView();
    CheckBrowseMode();
    const std::optional<uint32_t> current = HasCurrent() ? std::optional(CurrentId()) : std::nullopt;
    RunCheckedEvent(BeforeInsert);
    RunCheckedEvent(BeforeScroll);
    RequireUnchanged(DataSetState::Browse, current, "BeforeInsert");
    insertBefore_ = !append && HasCurrent() ? std::optional(CurrentId()) : std::nullopt;
    editBuffer_.assign(static_cast<size_t>(dataFieldCount_), Variant::Null());
    modified_ = false;
    SetState(DataSetState::Insert);
    try {
        CalculateFields();
        RunCheckedEvent(OnNewRecord);
    } catch (...) {
        DiscardEdit();
        ResetCalcValues();
        SetState(DataSetState::Browse);
        throw;
    }
    // Defaults from OnNewRecord alone do not make the row worth keeping: leaving it untouched cancels it.
    modified_ = false;
    NotifyDataChange(nullptr);
    RunCheckedEvent(AfterInsert);
    RunCheckedEvent(AfterScroll);
}

void DataSet::Edit() {
    CheckActive();
    CheckNotReading();
    if (IsEditing(state_)) return;
    if (!HasCurrent()) {
        Insert();
        return;
    }
    CheckEditableView();
    const uint32_t current = CurrentId();
    RunCheckedEvent(BeforeEdit);
    RequireUnchanged(DataSetState::Browse, current, "BeforeEdit");
    editRowId_ = CurrentId();
    // Unassigned marks a field not written during this edit: it reads through to the stored row.
    editBuffer_.assign(static_cast<size_t>(dataFieldCount_), Variant());
    modified_ = false;
    SetState(DataSetState::Edit);
    NotifyDataChange(nullptr);
    RunCheckedEvent(AfterEdit);
}

void DataSet::CheckRequired() const {
    for (const auto& f : fields_) {
        if (f->IsCalculated() || !f->Required()) continue;
        if (EditValue(static_cast<size_t>(f->slot_)).IsNull()) {
            throw DataSetError("Campo '" + f->DisplayLabel() + "' deve ser informado.");
        }
    }
}

void DataSet::Post() {
    CheckActive();
    CheckNotReading();
    if (!IsEditing(state_)) return;
    if (posting_) throw DataSetError(name_ + ": gravação pedida durante a própria gravação do registro");
    posting_ = true;
    struct Release {
        bool& flag;
        ~Release() { flag = false; }
    } release{posting_};
    NotifyUpdateData();
    const DataSetState editing = state_;
    RunCheckedEvent(BeforePost);
    // A BeforePost that gave its own row up (the clerk abandoned what it asked) has nothing left to post:
    // the row stays cancelled and the post ends quietly, so no caller goes on as if it were stored.
    if (state_ == DataSetState::Browse) ThrowAbort();
    RequireUnchanged(editing, std::nullopt, "BeforePost");
    CheckRequired();
    const bool visible =
        (state_ == DataSetState::Edit || statusFilter_.Shows(RowStatus::Inserted)) &&
        (!filtered_ || PassesFilter(state_ == DataSetState::Insert ? editBuffer_ : EditedRow()));
    if (state_ == DataSetState::Insert) {
        CommitInsert(visible);
    } else {
        CommitEdit(visible);
    }
    DiscardEdit();
    bof_ = eof_ = false;
    SetState(DataSetState::Browse);
    CalculateFields();
    NotifyDataChange(nullptr);
    RunCheckedEvent(AfterPost);
}

void DataSet::CommitInsert(bool visible) {
    const auto id = static_cast<uint32_t>(rows_.size());
    StoredRow row;
    row.values = std::move(editBuffer_);
    row.serial = nextSerial_++;
    row.status = RowStatus::Inserted;
    StampChange(row);
    rows_.push_back(std::move(row));
    const size_t orderPos = insertBefore_ ? OrderPositionOf(*insertBefore_) : order_.size();
    order_.insert(order_.begin() + static_cast<std::ptrdiff_t>(orderPos), id);
    if (!visible) return;
    const size_t viewPos = insertBefore_ ? ViewPositionOf(*insertBefore_) : view_.size();
    PlaceInView(id, viewPos, true);
}

// The row as it will be once posted.
std::vector<Variant> DataSet::EditedRow() const {
    std::vector<Variant> row = Row(editRowId_).values;
    for (size_t slot = 0; slot < row.size(); ++slot) {
        if (!editBuffer_[slot].IsUnassigned()) row[slot] = editBuffer_[slot];
    }
    return row;
}

const Variant& DataSet::EditValue(size_t slot) const {
    const Variant& pending = editBuffer_[slot];
    return state_ == DataSetState::Edit && pending.IsUnassigned() ? Row(editRowId_).values[slot] : pending;
}

// Stores the fields written during the edit; a loaded row keeps the loaded value of each field it changes.
void DataSet::CommitEdit(bool visible) {
    StoredRow& row = Row(editRowId_);
    const bool logged = row.status != RowStatus::Inserted;
    for (size_t slot = 0; slot < editBuffer_.size(); ++slot) {
        Variant& pending = editBuffer_[slot];
        if (pending.IsUnassigned()) continue;
        Variant& stored = row.values[slot];
        if (pending == stored && pending.Type() == stored.Type()) continue;
        const bool known = std::any_of(row.originals.begin(), row.originals.end(),
                                       [&](const auto& o) { return o.first == slot; });
        if (logged && !known) row.originals.emplace_back(static_cast<uint32_t>(slot), std::move(stored));
        stored = std::move(pending);
    }
    // A field edited back to its loaded value is no change; a row with none left is unmodified again.
    std::erase_if(row.originals, [&](const auto& o) {
        const Variant& now = row.values[o.first];
        return now == o.second && now.Type() == o.second.Type();
    });
    if (logged) {
        const RowStatus status = row.originals.empty() ? RowStatus::Unmodified : RowStatus::Modified;
        if (status != row.status) {
            row.status = status;
            StampChange(row);
        }
    }
    const auto pos = static_cast<size_t>(cursor_);
    if (!visible) {
        ViewErase(pos);
        if (pos >= view_.size()) cursor_ = view_.empty() ? 0 : static_cast<int>(view_.size()) - 1;
        return;
    }
    if (!index_.Active()) return;
    const bool afterPrevious = pos == 0 || index_.Compare(Row(view_[pos - 1]).values, row.values) <= 0;
    const bool beforeNext =
        pos + 1 >= view_.size() || index_.Compare(row.values, Row(view_[pos + 1]).values) <= 0;
    if (afterPrevious && beforeNext) {
        if (PrefixesReady()) viewPrefix_[pos] = index_.Prefix(row.values);
        return;
    }
    ViewErase(pos);
    PlaceInView(editRowId_, pos, true);
}

void DataSet::DiscardEdit() {
    editBuffer_.clear();
    modified_ = false;
    insertBefore_.reset();
}

void DataSet::Cancel() {
    CheckActive();
    CheckNotReading();
    if (!IsEditing(state_)) return;
    const DataSetState editing = state_;
    RunCheckedEvent(BeforeCancel);
    RequireUnchanged(editing, std::nullopt, "BeforeCancel");
    DiscardEdit();
    SetState(DataSetState::Browse);
    CalculateFields();
    NotifyDataChange(nullptr);
    RunCheckedEvent(AfterCancel);
}

void DataSet::CheckBrowseMode() {
    CheckActive();
    CheckNotReading();
    if (!IsEditing(state_)) return;
    NotifyUpdateData();
    if (modified_) {
        Post();
    } else {
        Cancel();
    }
}

void DataSet::Delete() {
    CheckActive();
    CheckNotReading();
    if (state_ == DataSetState::Insert) {
        Cancel();
        return;
    }
    CheckEditableView();
    if (!HasCurrent()) throw DataSetError(name_ + ": não há registro para excluir");
    const DataSetState before = state_;
    const uint32_t current = CurrentId();
    RunCheckedEvent(BeforeDelete);
    RunCheckedEvent(BeforeScroll);
    RequireUnchanged(before, current, "BeforeDelete");
    DiscardEdit();
    const uint32_t id = CurrentId();
    const auto pos = static_cast<size_t>(cursor_);
    StoredRow& row = Row(id);
    if (row.status == RowStatus::Inserted) {
        KillRow(id);
    } else {
        row.status = RowStatus::Deleted;
        StampChange(row);
    }
    ViewErase(pos);
    // Deleting the last row leaves the cursor on the new last row at the end, so delete loops stop.
    eof_ = pos >= view_.size();
    bof_ = view_.empty();
    cursor_ = view_.empty() ? 0 : static_cast<int>(std::min(pos, view_.size() - 1));
    if (deadRows_ > 64 && deadRows_ * 2 > rows_.size()) Compact();
    SetState(DataSetState::Browse);
    CalculateFields();
    NotifyDataChange(nullptr);
    RunCheckedEvent(AfterDelete);
    RunCheckedEvent(AfterScroll);
}

} // namespace dfe
