#pragma once

#include "appserver/rpc/method_registry.h"

namespace dfe::appserver {

// Loading one posting (rdmLancNFEntrada): GetNFDadosGerais, which answers the whole posting at once, and the
// loaders of its parts: GetNotaFiscal, GetItemNotaFisc, GetItemProduto, GetItemEncargo, GetContaPagar,
// GetDadosAdic, GetImposNFTot, GetItemProImpos, GetItensNFOrig, GetItemNFOrigem, GetNFRelacAF, GetCountNFOrig
// and the service-code list GetListServProd.
void RegisterPostingLoadMethods(MethodRegistry& registry);

} // namespace dfe::appserver
