#pragma once

// The form's frame, each panel built once by its own function: the branch panel, the screen's commands in
// the button bar and the menu, and the pages.

#include "dfe11000/header/header_lookups.h"
#include "dfe11000/module/frame_controls.h"
#include "dfe11000/posting/posting_data.h"
#include "support/frm_padrao.h"

namespace dfe::dfe11000 {

void BuildBranchPanel(support::TfrmPadrao& form, BranchPanelControls& c, HeaderLookups& lookups);
void BuildCommands(support::TfrmPadrao& form, CommandControls& c);
void BuildPages(support::TfrmPadrao& form, PageControls& c, PostingDataSets& data);

} // namespace dfe::dfe11000
