#pragma once

#include "platform/ui/date_edit.h"
#include "platform/ui/edit.h"
#include "platform/ui/field_link.h"
#include "platform/ui/mask_edit.h"
#include "platform/ui/simple_controls.h"

#include "platform/data/dataset.h"

#include <type_traits>

namespace dfe {

// A text editor bound to a field. It shows the field's display text, and its edit text while focused.
// Typing puts a browsed dataset into edit first (its events may refuse); the typed text is written to the
// field when the control is left or a post begins, so field validation refuses it at that point and keeps
// the focus. Escape takes back what was typed. A change of the row or the field shows the new value.
template <class Base> class DataBound : public Base {
public:
    DataBound() {
        link_.onDataChange = [this] { Reload(); };
        link_.onUpdateData = [this] { UpdateRecord(); };
    }

    DataSource* GetDataSource() const { return link_.Source(); }
    void SetDataSource(DataSource* source) { link_.SetSource(source); }
    const std::string& DataField() const { return link_.FieldName(); }
    void SetDataField(std::string name) { link_.SetFieldName(std::move(name)); }
    Field* BoundField() const { return link_.GetField(); }
    DataSource* BoundSource() const override { return link_.Source(); }
    // Typed and not yet written to the field.
    bool Modified() const { return modified_; }

    void DoEnter() override {
        focusedView_ = true;
        if (!modified_) Reload();
        Base::DoEnter();
    }

    void DoExit() override {
        if constexpr (std::is_base_of_v<MaskEdit, Base>) this->ValidateMask();
        UpdateRecord();
        focusedView_ = false;
        Reload();
        Control::DoExit();
    }

    bool HandleKeyDown(int& key, ShiftState shift) override {
        if (key == key::Escape && modified_ && !shift.ctrl && !shift.alt) {
            modified_ = false;
            Reload();
            this->SelectAll();
            return true;
        }
        return Base::HandleKeyDown(key, shift);
    }

    // Writes what was typed into the field now (a post calls it too).
    void UpdateRecord() {
        if (!modified_) return;
        Field* field = link_.GetField();
        if (!field) {
            modified_ = false;
            return;
        }
        if (!link_.Editing()) link_.Edit();
        WriteField(*field);
        modified_ = false;
    }

protected:
    bool BeginTyping() override {
        if (modified_) return true;
        if (!link_.Edit()) return false;
        modified_ = true;
        return true;
    }

    int TypingLimit() const override {
        Field* field = link_.GetField();
        int limit = Base::TypingLimit();
        if (field && field->DataType() == FieldType::String && field->Size() > 0 &&
            (limit == 0 || field->Size() < limit))
            return field->Size();
        return limit;
    }

    // What the control shows for the field, and how its text goes back.
    virtual std::string FieldText(const Field& field, bool forEditing) const {
        return forEditing ? field.Text() : field.DisplayText();
    }
    virtual void WriteField(Field& field) { field.SetText(this->Text()); }

    void Reload() {
        Field* field = link_.GetField();
        if constexpr (std::is_base_of_v<MaskEdit, Base>) {
            const std::string mask = field ? field->EditMask() : std::string();
            if (mask != appliedMask_) {
                appliedMask_ = mask;
                this->SetEditMask(mask);
            }
        }
        modified_ = false;
        const bool selected = this->AllSelected();
        Base::SetText(field ? FieldText(*field, focusedView_) : std::string());
        if (selected) this->SelectAll();
    }

private:
    FieldDataLink link_;
    bool modified_ = false;
    bool focusedView_ = false;
    std::string appliedMask_;
};

class DBEdit : public DataBound<MaskEdit> {
public:
    std::string_view Kind() const override { return "DBEdit"; }
};

class DBMemo : public DataBound<Memo> {
public:
    std::string_view Kind() const override { return "DBMemo"; }
};

class DBRichEdit : public DataBound<RichEdit> {
public:
    std::string_view Kind() const override { return "DBRichEdit"; }
};

// A date bound to a date field: blank means no date; a filled one must be a real date to be left.
class DBDateEdit : public DataBound<DateEdit> {
public:
    std::string_view Kind() const override { return "DBDateEdit"; }
    void DoExit() override;

protected:
    std::string FieldText(const Field& field, bool forEditing) const override;
    void WriteField(Field& field) override;
};

// A label showing a field's display text.
class DBText : public Label {
public:
    DBText();
    std::string_view Kind() const override { return "DBText"; }
    DataSource* GetDataSource() const { return link_.Source(); }
    void SetDataSource(DataSource* source) { link_.SetSource(source); }
    const std::string& DataField() const { return link_.FieldName(); }
    void SetDataField(std::string name) { link_.SetFieldName(std::move(name)); }
    Field* BoundField() const { return link_.GetField(); }
    DataSource* BoundSource() const override { return link_.Source(); }

private:
    FieldDataLink link_;
};

} // namespace dfe
