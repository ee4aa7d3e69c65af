#pragma once

#include "platform/data/dataset.h"

namespace dfe {

// Points the fields at a row that is not the current one (a row being filtered, a grid row being drawn, the
// row OnCalcFields is computing) and puts everything back on leaving, also when a handler throws.
class DataSet::RecordScope {
public:
    RecordScope(DataSet& ds, const std::vector<Variant>* values, std::optional<DataSetState> transient)
        : ds_(ds), savedProbe_(ds.probe_), savedTransient_(ds.transientState_) {
        ds.probe_ = values;
        if (transient) ds.transientState_ = transient;
    }
    ~RecordScope() {
        ds_.probe_ = savedProbe_;
        ds_.transientState_ = savedTransient_;
    }
    RecordScope(const RecordScope&) = delete;
    RecordScope& operator=(const RecordScope&) = delete;

private:
    DataSet& ds_;
    const std::vector<Variant>* savedProbe_;
    std::optional<DataSetState> savedTransient_;
};

} // namespace dfe
