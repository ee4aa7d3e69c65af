#pragma once

// Operations of the posting screen that later work fills in (docs/pending.md lists each with its issue).
// Each tells the clerk plainly that it is not available yet; none pretends to succeed.

#include <string_view>

namespace dfe::dfe11000 {

class TfrmLancNFEntrada;

inline constexpr const char* kNotAvailableCode = "Nao_Disp";

// Shows "<operation>: operação ainda não disponível nesta versão." and abandons the caller (Abort).
[[noreturn]] void NotAvailableYet(std::string_view operation);

// The state-registration choice of a company with several registrations at the branch; true = chosen.
bool CriaInscEsta(TfrmLancNFEntrada& form, bool importing);
// The service-location dialog of a service provision; true = confirmed.
bool CriaLocPrestServ(TfrmLancNFEntrada& form);
// The warehouse and stock-location dialog of a new posting; true = confirmed.
bool CriaAlmoLocal(TfrmLancNFEntrada& form);
// The supplier rule run when the supplier's number is left (or filled by the operation type).
void dbeNrInsJurNFExit(TfrmLancNFEntrada& form);
// Cancels the pending changes of every posting dataset and returns to the list.
void Cancela(TfrmLancNFEntrada& form);

} // namespace dfe::dfe11000
