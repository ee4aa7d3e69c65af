#pragma once

namespace dfe {
class DataSet;
}

namespace dfe::dfe11000 {

class TfrmLancNFEntrada;

// A detail row deleted: from its own grid ("dbg" and the dataset's name without "cds"), the clerk confirms
// "Excl_Items" naming the row by the message of the dataset's name (No abandons silently); then a browsed
// header goes into edit, the posting being changed.
void ConfirmDetailDeletion(TfrmLancNFEntrada& form, const DataSet& details);

} // namespace dfe::dfe11000
