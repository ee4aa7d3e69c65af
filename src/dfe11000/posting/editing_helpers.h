#pragma once

// Small steps the editing commands share.

#include "dfe11000/module/module_state.h"
#include "platform/data/dataset.h"
#include "platform/ui/controls.h"
#include "platform/ui/db_grid.h"

#include <string>

namespace dfe::dfe11000 {

// Shows a control again when the scope ends, however it ends.
class ShowOnExit {
public:
    explicit ShowOnExit(ScrollBox& box) : box_(box) {}
    ~ShowOnExit() {
        box_.SetVisible(true);
        box_.SetVertScrollPosition(0);
    }
    ShowOnExit(const ShowOnExit&) = delete;
    ShowOnExit& operator=(const ShowOnExit&) = delete;

private:
    ScrollBox& box_;
};

// Empty and open, keeping the fields it has.
inline void RecreateEmpty(DataSet& ds) {
    if (ds.Active()) {
        ds.Cancel();
        ds.EmptyDataSet();
    } else if (ds.FieldCount() > 0) {
        ds.CreateDataSet();
    }
}

inline void HideColumn(DBGrid& grid, int index) {
    if (index < grid.ColumnCount()) grid.Column(index).SetVisible(false);
}

inline void FirstColumnButton(DBGrid& grid, ColumnButton style) {
    if (grid.ColumnCount() > 0) grid.Column(0).SetButtonStyle(style);
}

// The first "%s" of a message replaced by the value.
inline std::string FillPercentS(std::string text, const std::string& value) {
    if (auto at = text.find("%s"); at != std::string::npos) text.replace(at, 2, value);
    return text;
}

inline void ClearLotMemory(ModuleState& st) {
    st.stLoteProdXML.clear();
    st.stValLoteProdXML = DateTime();
    st.stFabLoteProdXML = DateTime();
}

} // namespace dfe::dfe11000
