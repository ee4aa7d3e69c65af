#pragma once

#include "platform/core/variant.h"
#include "platform/data/dataset_state.h"
#include "platform/data/expression.h"
#include "platform/data/field.h"
#include "platform/data/packet.h"
#include "platform/data/record_order.h"
#include "platform/data/stored_row.h"

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace dfe {

class DataSource;

struct LocateOptions {
    bool caseInsensitive = false;
    bool partialKey = false; // text fields match by prefix
};

enum class AggregateScope {
    View,    // the rows the filter shows
    AllRows, // every row, filtered or not (deleted rows never count)
};

// Which rows the view shows by their change-log status. Only the default view can be edited.
struct StatusFilter {
    bool unmodified = true;
    bool inserted = true;
    bool modified = true;
    bool deleted = false;

    static StatusFilter Default() { return {}; }
    static StatusFilter DeletedOnly() { return {false, false, false, true}; }
    bool Shows(RowStatus status) const;
    bool IsDefault() const { return unmodified && inserted && modified && !deleted; }
};

// A position to come back to; valid while its row exists.
struct Bookmark {
    uint32_t serial = 0; // 0: no row
    uint32_t hint = 0;   // where the row was stored when the bookmark was taken
    bool IsEmpty() const { return serial == 0; }
};

// An in-memory table with a cursor: typed fields, the edit states and their events, a change log that yields
// a delta for the server, filters, an ordering index, searches and aggregates. All operations run on the
// caller's thread; a dataset is not shared between threads.
class DataSet {
public:
    using Handler = std::function<void(DataSet&)>;

    explicit DataSet(std::string name = {});
    ~DataSet();
    DataSet(const DataSet&) = delete;
    DataSet& operator=(const DataSet&) = delete;

    const std::string& Name() const { return name_; }

    // ---- Fields
    // Declared fields survive closing and loading; declare them while the dataset is closed.
    Field& DeclareField(const FieldDef& def);
    Field& DeclareCalculatedField(const FieldDef& def);
    int FieldCount() const { return static_cast<int>(fields_.size()); }
    Field& FieldAt(int index) const;
    Field& FieldByName(std::string_view name) const; // throws DataSetError when absent
    Field* FindField(std::string_view name) const;   // ignores letter case
    std::vector<FieldDef> DataFieldDefs() const;     // the stored fields, in row order

    // ---- Opening and closing
    bool Active() const { return state_ != DataSetState::Inactive; }
    DataSetState State() const { return transientState_.value_or(state_); }
    const char* StateName() const { return DataSetStateName(State()); }
    // Opens empty with the declared fields; reopens (empty) when already open.
    void CreateDataSet();
    // Opens empty with these fields (and the declared ones first).
    void CreateDataSet(const std::vector<FieldDef>& defs);
    void EmptyDataSet();         // drops every row and the change log; the dataset stays open
    void EmptyOrCreateDataSet(); // empties when open, else creates
    void Close();                // drops rows, change log, pending edit and the fields taken from a packet

    // ---- Packets
    // Replaces the content with the packet's rows: the change log is cleared, the dataset opens and AfterOpen
    // runs. A packet that does not fit (bad shape, a declared field missing, a value of the wrong type)
    // raises PacketError and leaves the dataset exactly as it was. Pass an rvalue to move the values in.
    void SetData(Packet packet);
    // Raises what SetData would raise for this packet, without loading it: several datasets can then be
    // loaded together or not at all.
    void CheckData(const Packet& packet) const;
    void SetData(const DataPacket& packet);
    // A Packet variant loads; Null closes the dataset.
    void SetData(const Variant& packet);
    // Every stored row (also those a filter hides), in insertion order.
    Packet Data() const;
    // Data() without the fields not sent to the server.
    Packet DataForServer() const;
    DataPacket DataPacketBytes() const;
    // Loads another dataset's whole content, taking its field definitions when this one declares none.
    void CopyDataFrom(const DataSet& source);

    // ---- Editing
    void Append();
    void Insert();
    void Edit();
    void Post();
    void Cancel();
    void Delete();
    bool Modified() const { return modified_; }
    // Posts a pending edit that changed something, cancels one that did not.
    void CheckBrowseMode();
    // The bound controls write what the clerk typed and they still hold (a post does this itself).
    void UpdateRecord();

    // ---- Navigation
    void First();
    void Last();
    void Next();
    void Prior();
    int MoveBy(int distance);
    bool Eof() const { return eof_; }
    bool Bof() const { return bof_; }
    int RecNo() const;        // 1-based position in the view; 0 when empty
    void SetRecNo(int recNo); // moves there (clamped to the view)
    int RecordCount() const;  // rows in the view
    bool IsEmpty() const { return RecordCount() == 0; }
    Bookmark GetBookmark() const;
    bool BookmarkValid(const Bookmark& bookmark) const;
    void GotoBookmark(const Bookmark& bookmark); // throws DataSetError when its row is gone
    // Runs `reader` with the fields reading the view's row recNo (1-based), calculated fields included;
    // the cursor does not move and no event but OnCalcFields runs. For grids drawing many rows.
    void ReadRecordAt(int recNo, const std::function<void()>& reader);

    // ---- Change log
    int ChangeCount() const;
    RowStatus UpdateStatus() const; // of the current row
    // The pending changes for the server: inserted rows, modified rows with their original values, deleted
    // rows with the values they were loaded with, in the order the changes happened.
    Packet Delta() const;
    // Delta as a packet variant, or Null when nothing changed.
    Variant DeltaVariant() const;
    void CancelUpdates();  // every row back as loaded
    void RevertRecord();   // the current row back as loaded (an inserted row goes away)
    void MergeChangeLog(); // the current content becomes the loaded state
    const StatusFilter& GetStatusFilter() const { return statusFilter_; }
    void SetStatusFilter(const StatusFilter& filter);

    // ---- Searching
    // Moves to the first row of the view whose fields ("A;B") equal the values and returns true; returns
    // false and stays put when there is none. Uses the active index when it starts with these fields.
    bool Locate(std::string_view fieldNames, const std::vector<Variant>& values, LocateOptions options = {});
    bool Locate(std::string_view fieldName, const Variant& value, LocateOptions options = {});
    // The result fields' values ("X" gives a value, "X;Y" an array) of the first matching row, or Null;
    // the cursor does not move (a pending edit is posted first, as for any search).
    Variant Lookup(std::string_view keyFields, const std::vector<Variant>& values,
                   std::string_view resultFields);

    // ---- Filters
    // The expression is checked at once: an invalid one raises DataSetError naming the position and the
    // previous filter stays.
    void SetFilter(std::string_view expression);
    const std::string& Filter() const { return filterText_; }
    bool Filtered() const { return filtered_; }
    void SetFiltered(bool filtered); // applies the filter and OnFilterRecord (or removes them); goes First
    bool FilterCaseInsensitive() const { return filterCaseInsensitive_; }
    void SetFilterCaseInsensitive(bool caseInsensitive);

    // ---- Indexes
    // Orders the view by "A;B" (empty: insertion order). Fields in `descendingFields` sort downwards.
    void SetIndexFieldNames(std::string_view fieldNames, std::string_view descendingFields = {});
    const std::string& IndexFieldNames() const { return index_.fieldNames; }
    void AddIndex(const std::string& name, std::string_view fieldNames,
                  std::string_view descendingFields = {}, bool caseInsensitive = false);
    void SetIndexName(std::string_view name); // empty: insertion order
    const std::string& IndexName() const { return indexName_; }

    // ---- Aggregates: SUM(expr), AVG, MIN, MAX, COUNT(expr), COUNT(*)
    Variant Aggregate(std::string_view expression, AggregateScope scope = AggregateScope::View) const;
    void DeclareAggregate(const std::string& name, std::string_view expression,
                          AggregateScope scope = AggregateScope::View);
    Variant AggregateValue(std::string_view name) const;

    // ---- Bound controls
    void DisableControls();
    void EnableControls(); // the last one refreshes the data sources once
    bool ControlsDisabled() const { return disableCount_ > 0; }

    // ---- Events. Any of them may throw Abort to refuse quietly: a Before* hook leaves the dataset as it
    // was, OnNewRecord cancels the insert. The exception reaches the caller of the operation.
    Handler BeforeInsert, OnNewRecord, AfterInsert;
    Handler BeforeEdit, AfterEdit;
    Handler BeforePost, AfterPost;
    Handler BeforeCancel, AfterCancel;
    Handler BeforeDelete, AfterDelete;
    Handler AfterOpen, BeforeScroll, AfterScroll;
    Handler OnCalcFields;
    std::function<bool(DataSet&)> OnFilterRecord;

private:
    friend class Field;
    friend class DataSource;
    class RecordScope;
    struct ViewSettings {
        std::optional<Expression> filter;
        RecordOrder index;
    };

    // fields and values
    Field& AddField(const FieldDef& def, FieldKind kind, bool declared);
    void RebuildFieldSlots();
    void RemoveUndeclaredFields();
    int DataFieldCount() const { return dataFieldCount_; }
    const Variant& ReadSlot(const Field& field) const;
    const Variant& StoredSlot(const Field& field) const;
    Variant OriginalSlot(const Field& field) const;
    void WriteField(Field& field, Variant value);
    void CheckWritable(const Field& field) const;
    void CheckActive() const;
    std::optional<ExprField> ResolveExprField(std::string_view name) const;
    std::vector<int> ResolveFieldList(std::string_view names) const;

    // opening
    ViewSettings PrepareViewSettings(const std::vector<FieldDef>& dataDefs) const;
    void InstallFields(const std::vector<FieldDef>& dynamicDefs);
    void OpenWith(std::vector<StoredRow> rows, ViewSettings settings);
    void ResetContent();
    void BeginInsert(bool append);
    void CommitInsert(bool visible);
    void CommitEdit(bool visible);
    void CheckRequired() const;
    std::vector<Variant> EditedRow() const;
    const Variant& EditValue(size_t slot) const;
    void CheckEditableView() const;
    void ResetCalcValues();

    // current row and view
    bool HasCurrent() const { return !view_.empty(); }
    uint32_t CurrentId() const { return view_[static_cast<size_t>(cursor_)]; }
    StoredRow& Row(uint32_t id) { return rows_[id]; }
    const StoredRow& Row(uint32_t id) const { return rows_[id]; }
    bool PassesFilter(const std::vector<Variant>& values);
    bool Visible(const StoredRow& row);
    void RebuildView();
    void PlaceInView(uint32_t id, size_t naturalPos, bool keepCursorRow);
    void RemoveFromView(uint32_t id);
    void ViewInsert(size_t pos, uint32_t id);
    void ViewErase(size_t pos);
    void RecomputeViewPrefixes();
    // Whether viewPrefix_ matches view_ (`extra` entries longer while an erase is under way).
    bool PrefixesReady(size_t extra = 0) const {
        return index_.Active() && viewPrefix_.size() == view_.size() + extra;
    }
    bool ViewRowLess(uint32_t a, const KeyPrefix& prefixA, size_t posB) const;
    size_t ViewPositionOf(uint32_t id) const;
    size_t OrderPositionOf(uint32_t id) const;
    void ApplyIndex(RecordOrder order, std::string name);
    void Compact();
    void MoveCursorTo(size_t position);
    void BeginScroll();
    void EndScroll();
    void KillRow(uint32_t id);
    void MarkDead(uint32_t id); // without leaving order_: bulk work compacts afterwards
    void CheckNotReading() const;
    void DiscardEdit();
    std::optional<size_t> FindInView(const std::vector<int>& slots, const std::vector<const Variant*>& keys,
                                     LocateOptions options) const;
    const std::vector<int>& CachedFieldList(std::string_view names);

    // change log
    void RevertRow(uint32_t id, bool bulk);
    void StampChange(StoredRow& row) { row.changeSeq = ++changeSeq_; }

    // calculated fields and notifications
    void CalculateFields();
    void SetState(DataSetState state);
    void NotifyDataChange(Field* field);
    void NotifyUpdateData();
    void Attach(DataSource* source);
    void Detach(DataSource* source);
    void RunCheckedEvent(const Handler& handler);
    void RequireUnchanged(DataSetState state, std::optional<uint32_t> current, const char* event) const;
    static constexpr int kMaxEventDepth = 64;
    int eventDepth_ = 0;

    std::string name_;
    std::vector<std::unique_ptr<Field>> fields_;
    // Upper-cased name to index in fields_; looked up by view, as rules name fields on every keystroke.
    struct NameHash {
        using is_transparent = void;
        size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
    };
    std::unordered_map<std::string, int, NameHash, std::equal_to<>> fieldIndex_;
    struct RecentName {
        const char* text = nullptr;
        size_t index = 0;
    };
    mutable std::array<RecentName, 64> recentNames_{};
    std::vector<Field*> dataFields_; // by row slot
    std::string cachedListNames_;    // the field list a search last named, resolved
    std::vector<int> cachedListSlots_;
    int dataFieldCount_ = 0;
    int calcFieldCount_ = 0;

    DataSetState state_ = DataSetState::Inactive;
    std::optional<DataSetState> transientState_; // CalcFields or Filter while those handlers run
    bool posting_ = false;
    std::vector<StoredRow> rows_;       // stored rows, by id
    std::vector<uint32_t> order_;       // insertion order of the live rows (deleted ones too)
    std::vector<uint32_t> view_;        // what the cursor walks: filtered, ordered
    std::vector<KeyPrefix> viewPrefix_; // with an index: the key prefix of each view row
    size_t deadRows_ = 0;
    uint32_t nextSerial_ = 1;
    uint32_t changeSeq_ = 0;
    int cursor_ = 0;
    bool eof_ = true;
    bool bof_ = true;

    // the row being edited or inserted
    std::vector<Variant> editBuffer_;
    uint32_t editRowId_ = 0;
    std::optional<uint32_t> insertBefore_; // Insert: the row the new one goes before; Append: none
    int cursorBeforeInsert_ = 0;
    bool modified_ = false;

    // reading a row that is not the current one (filters, grids)
    const std::vector<Variant>* probe_ = nullptr;
    std::vector<Variant> calcValues_;

    std::string filterText_;
    std::optional<Expression> filterExpr_;
    bool filtered_ = false;
    bool filterCaseInsensitive_ = false;
    StatusFilter statusFilter_;

    RecordOrder index_;
    std::string indexName_;
    std::map<std::string, RecordOrder, std::less<>> namedIndexes_;

    struct NamedAggregate {
        std::string expression;
        AggregateScope scope;
    };
    std::map<std::string, NamedAggregate, std::less<>> aggregates_;

    std::vector<DataSource*> sources_;
    int disableCount_ = 0;
};

} // namespace dfe
