#pragma once

#include "platform/data/dataset.h"
#include "platform/db/tadoib_query.h"
#include "platform/ui/controls.h"
#include "platform/ui/db_grid.h"
#include "support/btn_pesquisa.h"
#include "support/frm_padrao.h"

#include <memory>

namespace dfe::dfe11000 {

class TfrmLancNFEntrada;
class AlmoLocalRules;

// "Almoxarifado/Localização" (Dfe11800): the warehouse and stock location where the posting's goods enter,
// with the posting's items and the placement each already has. The dialog declares what it owns; its rules
// are AlmoLocalRules'.
class TfrmAlmoLocal : public support::TfrmRotiGeral {
public:
    TfrmAlmoLocal(Application& app, TfrmLancNFEntrada& posting);
    ~TfrmAlmoLocal() override;

    Edit* medCdAlmoxEstoq = nullptr;
    support::TBtnPesquisa* btpAlmoxarifado = nullptr;
    Edit* edtDsAlmoxEstoq = nullptr;
    Edit* medCdLocalEstoq = nullptr;
    support::TBtnPesquisa* btpLocalEstoque = nullptr;
    Edit* edtDsLocalEstoq = nullptr;
    GroupBox* grbItens = nullptr;
    DBGrid* dbgItensCmp = nullptr;

    DataSet cdsItemProduto{"cdsItemProduto"};
    DataSource dtsItemProduto{&cdsItemProduto};
    db::TADOIBQuery qryAlmoxarifado{"qryAlmoxarifado"};
    db::TADOIBQuery qryLocalEstoque{"qryLocalEstoque"};
    DataSource dtsAlmoxarifado{&qryAlmoxarifado};
    DataSource dtsLocalEstoque{&qryLocalEstoque};

    AlmoLocalRules& Rules() const { return *rules_; }

private:
    void BuildLayout();

    std::unique_ptr<AlmoLocalRules> rules_;
};

// Shows the warehouse and location choice modally; true when the clerk confirmed one.
bool CriaAlmoLocal(TfrmLancNFEntrada& form);

} // namespace dfe::dfe11000
