#pragma once

#include "platform/core/date_time.h"

#include <string>

namespace dfe::dfe11000 {

class TfrmLancNFEntrada;

// The stock module's inventory check: returns when the branch's stock may move on the date, otherwise shows
// the stock server's reason and abandons the caller. The stock connection is held for the call.
void ValidaInventario(TfrmLancNFEntrada& form, const std::string& branch, DateTime date);

// The stock module's consent for the operator to receive goods in the warehouse and location of the branch:
// returns when given, otherwise shows the stock server's reason and abandons the caller.
// The stock-period release: returns when the entry date is after the branch's closed stock periods or the
// posting was released (`released`), otherwise shows the stock server's reason and abandons the caller.
void Confirma_Liberacao(TfrmLancNFEntrada& form, const std::string& branch, bool& released, DateTime entry);

// True when postings were replicated from this one.
bool GetVerifReplic(TfrmLancNFEntrada& form, const std::string& branch, const std::string& posting);

void HabilitaOperador(TfrmLancNFEntrada& form, const std::string& branch, const std::string& op,
                      const std::string& location, const std::string& warehouse);

} // namespace dfe::dfe11000
