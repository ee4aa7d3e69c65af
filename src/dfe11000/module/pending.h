#pragma once

// Operations of the posting screen that later work fills in (docs/pending.md lists each with its issue).
// Each tells the clerk plainly that it is not available yet; none pretends to succeed.

#include "platform/core/date_time.h"

#include <string>
#include <string_view>

namespace dfe::dfe11000 {

class TfrmLancNFEntrada;

inline constexpr const char* kNotAvailableCode = "Nao_Disp";

// Shows "<operation>: operação ainda não disponível nesta versão." and abandons the caller (Abort).
[[noreturn]] void NotAvailableYet(std::string_view operation);

// ---- Called by the editing commands; each says below whether it refuses or deliberately lets the command go
// on. Checks that only refuse in set-ups the demo data does not use: they let the command go on (see
// docs/pending.md).
void ValidaInventario(TfrmLancNFEntrada& form, const std::string& branch, DateTime date);
bool GetVerifReplic(TfrmLancNFEntrada& form, const std::string& branch, const std::string& posting);
void SenhaLiberacao(TfrmLancNFEntrada& form);
void Verif_Liberacao(TfrmLancNFEntrada& form);
bool Verifica_Vigencia_Insc(TfrmLancNFEntrada& form, const std::string& registration,
                            const std::string& company, DateTime date);
void Atualiza_Valores(TfrmLancNFEntrada& form);
void ClearReplicationCode(TfrmLancNFEntrada& form);
// An attribute of the current operation type's lookup (qryTipoOperac); empty until the lookup exists here.
std::string TipoOperacAttribute(TfrmLancNFEntrada& form, std::string_view field);
// Operations that tell the clerk and abandon.
bool FechaNotaFiscal(TfrmLancNFEntrada& form, const std::string& mode);
bool Existe_Erro(TfrmLancNFEntrada& form);
void CriaGeraEtiq(TfrmLancNFEntrada& form);
void CriaReplicacao(TfrmLancNFEntrada& form);
void CriaCpfCnpj(TfrmLancNFEntrada& form);
void dbeNumeroExit(TfrmLancNFEntrada& form);

} // namespace dfe::dfe11000
