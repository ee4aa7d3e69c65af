#pragma once

#include "dfe11000/items/item_controls.h"
#include "dfe11000/posting/posting_data.h"

#include <functional>

namespace dfe::dfe11000 {

// The detail panels stacked below the header from `top`, each taking the next place (the transport
// panel of the header takes its place between charges and additional data).
struct DetailStack {
    Container& page;
    int top;
    int movedTag;
    Panel* Next(const char* name, int height);
};

void BuildItems(DetailStack& stack, ItemControls& c, PostingDataSets& data);
void BuildTotals(DetailStack& stack, ItemControls& c, PostingDataSets& data);

} // namespace dfe::dfe11000
