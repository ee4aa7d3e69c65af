#pragma once

#include "platform/data/dataset.h"
#include "platform/db/tadoib_query.h"
#include "platform/ui/controls.h"
#include "support/btn_pesquisa.h"
#include "support/frm_padrao.h"

#include <memory>

namespace dfe::dfe11000 {

class TfrmLancNFEntrada;
class DescEstoqProdRules;

// "Estoque do Produto" (DFE11206): the movement branch, warehouse, location, lot and sub-lot of one item.
// The dialog declares what it owns; its rules are DescEstoqProdRules'.
class TfrmDescEstoqProd : public support::TfrmRotiGeral {
public:
    TfrmDescEstoqProd(Application& app, TfrmLancNFEntrada& posting);
    ~TfrmDescEstoqProd() override;

    Edit* edtProduto = nullptr;
    Edit* medCdFiliMovi = nullptr;
    support::TBtnPesquisa* btpFiliMovi = nullptr;
    Edit* edtNmFiliMovi = nullptr;
    Edit* medCdAlmoxarife = nullptr;
    support::TBtnPesquisa* btpAlmoxarifado = nullptr;
    Edit* edtDsAlmoxarife = nullptr;
    Edit* medCdLocalEstoq = nullptr;
    support::TBtnPesquisa* btpLocalEstoque = nullptr;
    Edit* edtDsLocalEstoq = nullptr;
    GroupBox* grbLote = nullptr;
    Edit* medNrLoteEstq = nullptr;
    support::TBtnPesquisa* btpLote = nullptr;
    Edit* medNrSubLote = nullptr;
    Edit* edtDtFabricacao = nullptr;
    Edit* edtDtValidade = nullptr;

    db::TADOIBQuery qryFilial{"qryFilial"};
    db::TADOIBQuery qryAlmoxarifado{"qryAlmoxarifado"};
    db::TADOIBQuery qryLocalEstoque{"qryLocalEstoque"};
    DataSource dtsFilial{&qryFilial};
    DataSource dtsAlmoxarifado{&qryAlmoxarifado};
    DataSource dtsLocalEstoque{&qryLocalEstoque};
    // The product's lots at the movement branch, as the stock server knows them.
    DataSet cdsLotes{"cdsLotes"};
    DataSource dtsLotes{&cdsLotes};

    DescEstoqProdRules& Rules() const { return *rules_; }

private:
    void BuildLayout();

    std::unique_ptr<DescEstoqProdRules> rules_;
};

} // namespace dfe::dfe11000
