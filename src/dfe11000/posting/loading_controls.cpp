// What the pages and the loading hang on: the page control's events, the page menu items and the header's
// opening.
#include "dfe11000/header/header_rules.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/posting/posting_loader.h"

namespace dfe::dfe11000 {

void PostingLoader::Wire() {
    ChainHandler(data_.cdsNotaFiscal.AfterOpen, [this](DataSet&) { form_.Header().ReopenInscrEstad(); });
    form_.pgcPadrao.OnChanging = [this](Component&, bool& allowChange) { pgcPadraoChanging(allowChange); };
    form_.pgcPadrao.OnChange = [this](Component&) { pgcPadraoChange(); };
    form_.pgcPadrao.OnEnter = [this](Component&) { pgcPadraoEnter(); };
    ui_.mnuFolhaDados->OnClick = [this](Component&) { mnuFolhaDadosClick(); };
    ui_.mnuFormulario->OnClick = [this](Component&) { mnuFormularioClick(); };
}

void PostingLoader::pgcPadraoEnter() {
    form_.Header().ReopenInscrEstad();
}

} // namespace dfe::dfe11000
