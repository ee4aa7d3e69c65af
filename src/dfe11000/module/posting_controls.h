#pragma once

// Every control of the posting form, one struct per panel, each filled by that panel's build function.

#include "dfe11000/header/header_controls.h"
#include "dfe11000/items/item_controls.h"
#include "dfe11000/module/frame_controls.h"

namespace dfe::dfe11000 {

struct PostingControls : BranchPanelControls,
                         CommandControls,
                         PageControls,
                         HeaderControls,
                         DocumentControls,
                         OriginControls,
                         ItemControls,
                         TransportControls {};

} // namespace dfe::dfe11000
