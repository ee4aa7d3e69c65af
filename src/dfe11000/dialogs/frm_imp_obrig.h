#pragma once

#include "platform/data/dataset.h"
#include "platform/ui/controls.h"
#include "platform/ui/db_grid.h"
#include "support/frm_padrao.h"
#include "support/roti_fiscal.h"

#include <string>

namespace dfe::dfe11000 {

// What an invoice generation dialog hands over when it shows what stopped it.
struct ImpObrigArgs {
    // The dialog's last error kind: "IMPOBRIG", "LISTA_PR", "PROD_OL", "IrreEsto" or another ("ErroAvis").
    std::string kind;
    // The outgoing invoice's dialog: only it lists products without price or relation.
    bool outgoing = false;
    // Its products without taxes (CDARVPROD, stImpostos), also those without price or relation.
    DataSet* semImpObrig = nullptr;
    // Its error rows (CDERRO, the product in CDOBJETO2).
    DataSet* errors = nullptr;
};

// The generation error list (DFE11275): the products or the errors that stopped an invoice generation.
class TfrmImpObrig : public support::TfrmRotiGeral {
public:
    explicit TfrmImpObrig(Application& app);
    ~TfrmImpObrig() override;

    DBGrid* dbgImposObrig = nullptr;
    DataSource dtsImposObrig;
    // The errors' texts, built from the error rows.
    DataSet cdsErrosAvisos{"cdsErrosAvisos"};

    // Shows what the generation dialog handed over, as its error kind asks.
    void CarregaGrid(const ImpObrigArgs& args);

private:
    void BuildLayout();
    void FillErrosAvisos(DataSet* errors);

    support::TdtmRotiFiscal fiscal_;
};

// Creates the list for what the generation dialog hands over and shows it modally.
void CriaImpObrig(Application& app, const ImpObrigArgs& args);

} // namespace dfe::dfe11000
