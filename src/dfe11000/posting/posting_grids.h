#pragma once

#include "dfe11000/module/posting_controls.h"
#include "dfe11000/posting/posting_data.h"

namespace dfe::dfe11000 {

// The grids' columns in their order, the hidden ones included.
void BuildPostingGrids(PostingControls& ui, PostingDataSets& data);

} // namespace dfe::dfe11000
