#pragma once

#include "platform/data/dataset.h"
#include "platform/db/tadoib_query.h"
#include "platform/net/net_connection.h"
#include "platform/ui/db_grid.h"
#include "support/frm_padrao.h"

#include <memory>

namespace dfe::dfe11000 {

class TfrmLancNFEntrada;
class DadosProdutoRules;

// What the outsourcing dialog hands over: its ticked return documents (CDFILIAL, NRLANCTONF, VRNOTAFISC) and
// its connections to the outsourcing module and to the stock.
struct OutsourcingEntry {
    const DataSet* cdsNFsMarcadas = nullptr;
    net::TNetConnection* netGeraMoviEstTer = nullptr;
    net::TNetConnection* netEstoque = nullptr;
};

// "Dados dos Produtos" (DFE11290): the products a supplier returns processed, with their quantity and where
// each enters stock; its confirmation asks the server to generate the stock entry of the posting on the list.
// The dialog declares what it owns; its rules are DadosProdutoRules'.
class TfrmDadosProduto : public support::TfrmRotiGeral {
public:
    TfrmDadosProduto(Application& app, TfrmLancNFEntrada& posting);
    ~TfrmDadosProduto() override;

    DBGrid* dbgDadosProduto = nullptr;
    DataSet cdsDadosProduto{"cdsDadosProduto"};
    DataSource dtsDadosProduto{&cdsDadosProduto};
    db::TADOIBQuery qryProduto{"qryProduto"};
    db::TADOIBQuery qryVdProduto{"qryVdProduto"};
    DataSource dtsProduto{&qryProduto};

    DadosProdutoRules& Rules() const { return *rules_; }

private:
    void BuildLayout();

    std::unique_ptr<DadosProdutoRules> rules_;
};

// Shows the product data dialog for the ticked documents; true when the stock entry was generated.
bool CriaDadosProduto(TfrmLancNFEntrada& form, const OutsourcingEntry& entry);

} // namespace dfe::dfe11000
