#pragma once

#include "qtui/control_view.h"

#include "platform/ui/db_grid.h"

#include <memory>

namespace dfe::qtui {

// A data grid: a Qt table over the grid's dataset through a model adapter that reads only the rows on
// screen, every cell painted by the grid itself (its OnDrawColumnCell or the standard painting), the
// ellipsis button of the current cell, and clicks and keys through the toolkit.
std::unique_ptr<ControlView> CreateGridView(FormView& form, DBGrid& grid);

// Where the ellipsis button of a cell sits: at its right end, as wide as it is high.
QRect EllipsisRect(const QRect& cell);

} // namespace dfe::qtui
