#include "platform/data/dataset_state.h"

namespace dfe {

const char* DataSetStateName(DataSetState state) {
    switch (state) {
    case DataSetState::Inactive:
        return "INATIVO";
    case DataSetState::Browse:
        return "BROWSE";
    case DataSetState::Edit:
        return "EDICAO";
    case DataSetState::Insert:
        return "INSERT";
    case DataSetState::CalcFields:
        return "CALCFIELDS";
    case DataSetState::Filter:
        return "FILTER";
    }
    return "?";
}

} // namespace dfe
