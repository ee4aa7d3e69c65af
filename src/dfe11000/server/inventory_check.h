#pragma once

#include "platform/core/date_time.h"

#include <string>

namespace dfe::dfe11000 {

class TfrmLancNFEntrada;

// The stock module's inventory check: returns when the branch's stock may move on the date, otherwise shows
// the stock server's reason and abandons the caller. The stock connection is held for the call.
void ValidaInventario(TfrmLancNFEntrada& form, const std::string& branch, DateTime date);

} // namespace dfe::dfe11000
