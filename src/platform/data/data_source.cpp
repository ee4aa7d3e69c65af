#include "platform/data/data_source.h"

#include "platform/data/dataset.h"

#include <algorithm>

namespace dfe {

DataSource::DataSource(DataSet* dataSet) {
    SetDataSet(dataSet);
}

DataSource::~DataSource() {
    // Bound controls may outlive their source (a form's members go before its controls).
    const auto listeners = listeners_;
    for (DataSourceListener* l : listeners)
        l->DataSourceDestroyed(*this);
    if (dataSet_) dataSet_->Detach(this);
}

void DataSource::SetDataSet(DataSet* dataSet) {
    if (dataSet == dataSet_) return;
    if (dataSet_) dataSet_->Detach(this);
    dataSet_ = dataSet;
    if (dataSet_) dataSet_->Attach(this);
    NotifyStateChange();
    NotifyDataChange(nullptr);
}

void DataSource::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    NotifyStateChange();
    if (enabled_ && dataSet_ && !dataSet_->ControlsDisabled()) NotifyDataChange(nullptr);
}

DataSetState DataSource::State() const {
    return enabled_ && dataSet_ ? dataSet_->State() : DataSetState::Inactive;
}

void DataSource::AddListener(DataSourceListener* listener) {
    if (std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end())
        listeners_.push_back(listener);
}

void DataSource::RemoveListener(DataSourceListener* listener) {
    std::erase(listeners_, listener);
}

void DataSource::NotifyStateChange() {
    const DataSetState now = State();
    if (now == lastState_) return;
    lastState_ = now;
    const auto listeners = listeners_;
    for (DataSourceListener* l : listeners)
        l->StateChanged(*this);
    if (OnStateChange) OnStateChange(*this);
}

void DataSource::NotifyDataChange(Field* field) {
    if (!enabled_ || !dataSet_ || !dataSet_->Active()) return;
    const auto listeners = listeners_;
    for (DataSourceListener* l : listeners)
        l->DataChanged(*this, field);
    if (OnDataChange) OnDataChange(*this, field);
}

void DataSource::NotifyUpdateData() {
    if (!enabled_) return;
    const auto listeners = listeners_;
    for (DataSourceListener* l : listeners)
        l->UpdateData(*this);
    if (OnUpdateData) OnUpdateData(*this);
}

} // namespace dfe
