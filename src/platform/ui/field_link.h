#pragma once

#include "platform/data/data_source.h"

#include <functional>
#include <string>

namespace dfe {

class DataSet;
class Field;

// How a bound control follows one field of a data source. The field is looked up by name each time, as a
// packet load replaces the fields it brings. The control gives three reactions: the row or the field
// changed, a post is coming (write what is typed), the state changed.
class FieldDataLink : public DataSourceListener {
public:
    FieldDataLink() = default;
    FieldDataLink(const FieldDataLink&) = delete;
    FieldDataLink& operator=(const FieldDataLink&) = delete;
    ~FieldDataLink() override;

    DataSource* Source() const { return source_; }
    void SetSource(DataSource* source);
    const std::string& FieldName() const { return fieldName_; }
    void SetFieldName(std::string name);

    DataSet* GetDataSet() const;
    // The bound field, nullptr when unbound, closed or absent. With an empty field name, none.
    Field* GetField() const;
    bool Active() const;
    bool Editing() const;
    // Puts the dataset into edit when it is browsed (its events may refuse by throwing); true when the field
    // may now be written.
    bool Edit();

    std::function<void()> onDataChange;
    std::function<void()> onUpdateData;
    std::function<void()> onStateChange;

private:
    void StateChanged(DataSource&) override;
    void DataChanged(DataSource&, Field* field) override;
    void UpdateData(DataSource&) override;
    void DataSourceDestroyed(DataSource&) override;

    DataSource* source_ = nullptr;
    std::string fieldName_;
};

} // namespace dfe
