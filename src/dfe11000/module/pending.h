#pragma once

// Operations of the posting screen that later work fills in (docs/pending.md lists each with its issue).
// Each tells the clerk plainly that it is not available yet; none pretends to succeed.

#include <string>
#include <string_view>

namespace dfe::dfe11000 {

class TfrmLancNFEntrada;

inline constexpr const char* kNotAvailableCode = "Nao_Disp";

// Shows "<operation>: operação ainda não disponível nesta versão." and abandons the caller (Abort).
[[noreturn]] void NotAvailableYet(std::string_view operation);

// ---- Called by the editing commands (docs/pending.md lists each).
// Fills the posting from an NF-e the server holds for its key: tells the clerk it is not available yet and
// lets the exit go on.
void GetNFE(TfrmLancNFEntrada& form);
// Operations that tell the clerk and abandon.
void CriaGeraEtiq(TfrmLancNFEntrada& form);
void CriaReplicacao(TfrmLancNFEntrada& form);
// The consistency report of the posting's AFs, asked from the closing-error dialog.
void ConsisteAF(TfrmLancNFEntrada& form);
// The AF product relation of a posting imported from an AF: told, not confirmed, so the item keeps its own
// issue code and the caller goes on.
void CriaProdNFAF(TfrmLancNFEntrada& form);

} // namespace dfe::dfe11000
