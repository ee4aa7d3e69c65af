#pragma once

namespace dfe::dfe11000 {

class TfrmLancNFEntrada;

// Creates the posting form once, shows it and sizes it to the host's window; for a module fixed to one
// branch, the first showing loads the branch's parameters and opens the filter. Returns the form.
TfrmLancNFEntrada& ShowPostingForm();

} // namespace dfe::dfe11000
