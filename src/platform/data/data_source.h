#pragma once

#include "platform/data/dataset_state.h"

#include <functional>
#include <vector>

namespace dfe {

class DataSet;
class DataSource;
class Field;

// What a bound control implements to follow a data source.
class DataSourceListener {
public:
    virtual ~DataSourceListener() = default;
    virtual void StateChanged(DataSource&) {}
    // field is null when the whole row changed (scroll, post, load); else the one field that changed.
    virtual void DataChanged(DataSource&, Field*) {}
    // Before a post: controls write the text being typed into their field.
    virtual void UpdateData(DataSource&) {}
    // The data source is going away: forget it.
    virtual void DataSourceDestroyed(DataSource&) {}
};

// The link between a dataset and the controls and handlers that show it. A disabled source reports the
// Inactive state and hears nothing; enabling it again gives one refresh.
class DataSource {
public:
    explicit DataSource(DataSet* dataSet = nullptr);
    ~DataSource();
    DataSource(const DataSource&) = delete;
    DataSource& operator=(const DataSource&) = delete;

    DataSet* GetDataSet() const { return dataSet_; }
    void SetDataSet(DataSet* dataSet);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    DataSetState State() const;

    void AddListener(DataSourceListener* listener);
    void RemoveListener(DataSourceListener* listener);

    std::function<void(DataSource&)> OnStateChange;
    std::function<void(DataSource&, Field*)> OnDataChange;
    std::function<void(DataSource&)> OnUpdateData;

private:
    friend class DataSet;
    void NotifyStateChange();
    void NotifyDataChange(Field* field);
    void NotifyUpdateData();
    void ForgetDataSet() { dataSet_ = nullptr; }

    DataSet* dataSet_ = nullptr;
    bool enabled_ = true;
    DataSetState lastState_ = DataSetState::Inactive;
    std::vector<DataSourceListener*> listeners_;
};

} // namespace dfe
