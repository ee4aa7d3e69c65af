#pragma once

namespace dfe {

// CalcFields and Filter are the states a dataset reports while OnCalcFields or OnFilterRecord runs.
enum class DataSetState { Inactive, Browse, Edit, Insert, CalcFields, Filter };

// The words the rules report for a state: "INATIVO", "BROWSE", "EDICAO", "INSERT".
const char* DataSetStateName(DataSetState state);

inline bool IsEditing(DataSetState state) {
    return state == DataSetState::Edit || state == DataSetState::Insert;
}

} // namespace dfe
