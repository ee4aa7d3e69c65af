#pragma once

#include "platform/ui/check_box.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/field_link.h"

#include <string>
#include <vector>

namespace dfe {

// A combo box bound to a field: it shows the item whose value the field holds and writes the value of
// the item the clerk picks. SetValues maps items to codes ("C", "F"); without values the item is the
// field's text (Text and SetText, so the field's get-text and set-text handlers map codes to items).
class DBComboBox : public ComboBox {
public:
    DBComboBox();
    std::string_view Kind() const override { return "DBComboBox"; }
    DataSource* GetDataSource() const { return link_.Source(); }
    void SetDataSource(DataSource* source) { link_.SetSource(source); }
    const std::string& DataField() const { return link_.FieldName(); }
    void SetDataField(std::string name) { link_.SetFieldName(std::move(name)); }
    Field* BoundField() const { return link_.GetField(); }
    DataSource* BoundSource() const override { return link_.Source(); }
    void SetValues(std::vector<std::string> values);

protected:
    bool BeginTyping() override { return link_.Edit(); }
    void ChoiceMade() override;

private:
    void Reload();
    std::string ValueOf(int index) const;

    FieldDataLink link_;
    std::vector<std::string> values_;
    bool reloading_ = false;
};

// A radio group bound to a field, with one value per item (the item texts when no values are given).
class DBRadioGroup : public RadioGroup {
public:
    DBRadioGroup();
    std::string_view Kind() const override { return "DBRadioGroup"; }
    DataSource* GetDataSource() const { return link_.Source(); }
    void SetDataSource(DataSource* source) { link_.SetSource(source); }
    const std::string& DataField() const { return link_.FieldName(); }
    void SetDataField(std::string name) { link_.SetFieldName(std::move(name)); }
    Field* BoundField() const { return link_.GetField(); }
    DataSource* BoundSource() const override { return link_.Source(); }
    void SetValues(std::vector<std::string> values);

protected:
    bool BeginChoosing() override { return link_.Edit(); }
    void ChoiceMade() override;

private:
    void Reload();
    std::string ValueOf(int index) const;

    FieldDataLink link_;
    std::vector<std::string> values_;
};

} // namespace dfe
