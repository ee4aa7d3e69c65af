#pragma once

// The products a branch may buy, as the item rules read them: the product search, the check of a typed
// product against the branch's catalogue, and the stock server's questions about the branch and its products.
//
// Where the installation caches the catalogue, a branch buys only what its catalogue (PRODUTOFILIAL) lists as
// active; otherwise a product the catalogue does not list follows the product register.

#include <string>

namespace dfe::db {
class TADOIBQuery;
}

namespace dfe::dfe11000 {

class TfrmLancNFEntrada;

// Writes the product search into `query`: the active products of the last level, not inactive at the branch,
// nor blocked for purchase there when idBlPrComEst is "S". Its parameters are P_CDNVPRODUTO (the number of
// levels) and, for a branch, P_CDFILIAL (bound to the branch here). Answers the caption of the filter, ""
// without a branch.
std::string SQL_Pesquisa_Produto(const std::string& branch, const std::string& idBlPrComEst,
                                 db::TADOIBQuery& query);
// The same search over the branch's catalogue: only the products it lists as active.
std::string SQL_Pesquisa_ProdutoCache(const std::string& branch, const std::string& idBlPrComEst,
                                      db::TADOIBQuery& query);
// Shows the coded refusal and abandons (Abort) for a product the branch may not buy: not registered,
// inactive, or blocked for purchase when idBlPrComEst is "S". An empty code is left to the caller.
void Validacao_Produto(const std::string& branch, const std::string& cdArvProd,
                       const std::string& idBlPrComEst);
// The stock server's answers (netEstoque): the product is kept in stock at the branch; the branch uses stock
// locations; the branch uses warehouses.
bool Produto_Ctrl_Estoque(TfrmLancNFEntrada& form, const std::string& branch, const std::string& cdProdEsto);
bool Utiliza_LocalEstoque(TfrmLancNFEntrada& form, const std::string& branch);
bool Utiliza_Almoxarifado(TfrmLancNFEntrada& form, const std::string& branch);

} // namespace dfe::dfe11000
