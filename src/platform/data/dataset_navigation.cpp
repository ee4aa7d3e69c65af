#include "platform/data/data_error.h"
#include "platform/data/dataset.h"

#include <algorithm>

namespace dfe {

// Every move: a pending edit is posted (or cancelled when untouched), BeforeScroll may refuse; after it the
// bound controls hear of it and AfterScroll runs.
void DataSet::BeginScroll() {
    CheckActive();
    CheckBrowseMode();
    RunCheckedEvent(BeforeScroll);
}

void DataSet::EndScroll() {
    CalculateFields();
    NotifyDataChange(nullptr);
    RunCheckedEvent(AfterScroll);
}

void DataSet::MoveCursorTo(size_t position) {
    cursor_ = view_.empty() ? 0 : static_cast<int>(std::min(position, view_.size() - 1));
    eof_ = bof_ = view_.empty();
}

void DataSet::First() {
    BeginScroll();
    MoveCursorTo(0);
    bof_ = true;
    EndScroll();
}

void DataSet::Last() {
    BeginScroll();
    MoveCursorTo(view_.empty() ? 0 : view_.size() - 1);
    eof_ = true;
    EndScroll();
}

void DataSet::Next() {
    MoveBy(1);
}

void DataSet::Prior() {
    MoveBy(-1);
}

int DataSet::MoveBy(int distance) {
    CheckActive();
    CheckBrowseMode();
    if (distance == 0 || (distance > 0 && eof_) || (distance < 0 && bof_)) return 0;
    BeginScroll();
    const long target = static_cast<long>(cursor_) + distance;
    const long last = static_cast<long>(view_.size()) - 1;
    const long clamped = std::clamp(target, 0L, std::max(last, 0L));
    const int moved = static_cast<int>(clamped - cursor_);
    cursor_ = static_cast<int>(clamped);
    eof_ = view_.empty() || target > last;
    bof_ = view_.empty() || target < 0;
    EndScroll();
    return moved;
}

int DataSet::RecNo() const {
    if (!Active() || view_.empty()) return 0;
    return cursor_ + 1;
}

void DataSet::SetRecNo(int recNo) {
    BeginScroll();
    MoveCursorTo(static_cast<size_t>(std::max(recNo, 1) - 1));
    EndScroll();
}

int DataSet::RecordCount() const {
    return Active() ? static_cast<int>(view_.size()) : 0;
}

Bookmark DataSet::GetBookmark() const {
    if (!Active() || !HasCurrent() || state_ == DataSetState::Insert) return {};
    return {Row(CurrentId()).serial, CurrentId()};
}

// The row a bookmark names, found by its hint or, after storage was compacted, by its serial.
static std::optional<uint32_t> FindRowId(const std::vector<StoredRow>& rows, const Bookmark& b) {
    if (b.IsEmpty()) return std::nullopt;
    if (b.hint < rows.size() && rows[b.hint].serial == b.serial && !rows[b.hint].dead) return b.hint;
    for (uint32_t id = 0; id < rows.size(); ++id) {
        if (rows[id].serial == b.serial && !rows[id].dead) return id;
    }
    return std::nullopt;
}

bool DataSet::BookmarkValid(const Bookmark& bookmark) const {
    if (!Active()) return false;
    const auto id = FindRowId(rows_, bookmark);
    return id && ViewPositionOf(*id) < view_.size();
}

void DataSet::GotoBookmark(const Bookmark& bookmark) {
    CheckBrowseMode();
    const auto id = FindRowId(rows_, bookmark);
    const size_t pos = id ? ViewPositionOf(*id) : view_.size();
    if (pos >= view_.size()) throw DataSetError(name_ + ": registro não encontrado");
    BeginScroll();
    MoveCursorTo(pos);
    EndScroll();
}

} // namespace dfe
