#pragma once

// The controls of the form's frame: the branch panel on top, the commands the posting screen adds to the
// button bar and the menu, and the pages below.

#include "platform/ui/controls.h"
#include "platform/ui/db_grid.h"
#include "platform/ui/menu.h"
#include "support/btn_pesquisa.h"

namespace dfe::dfe11000 {

struct BranchPanelControls {
    Panel* panFilial = nullptr;
    Label* lblFilial = nullptr;
    MaskEdit* medCdFilial = nullptr;
    support::TBtnPesquisa* btpFilial = nullptr;
    Edit* edtNmFilial = nullptr;
    SpeedButton* sbtConheTransp = nullptr;
    SpeedButton* sbtGeraSaida = nullptr;
};

// The posting screen's own commands, beside the standard ones of the base form.
struct CommandControls {
    SpeedButton* sbtReplicDoc = nullptr;
    SpeedButton* sbtFiltro = nullptr;
    SpeedButton* sbtAlmoLocal = nullptr;
    SpeedButton* sbtImportaAF = nullptr;
    SpeedButton* sbtImportaNFe = nullptr;
    SpeedButton* sbtConsisteAF = nullptr;
    SpeedButton* sbtRateio = nullptr;
    SpeedButton* sbtNFProdRural = nullptr;
    SpeedButton* sbtErros = nullptr;
    MenuItem* mnuFiltro = nullptr;
    MenuItem* mnuConheTransp = nullptr;
    MenuItem* mnuGeraSaida = nullptr;
    MenuItem* mnuReplicDoc = nullptr;
    PopupMenu* pmnReplicDoc = nullptr;
    MenuItem* mnuGerarNFId = nullptr;
    MenuItem* mnuGerarNF = nullptr;
    MenuItem* mnuListagem = nullptr;
    MenuItem* mnuConfigImpressora = nullptr;
    MenuItem* mnuImportaAF = nullptr;
    MenuItem* mnuImportaNFe = nullptr;
    MenuItem* mnuConsisteAF = nullptr;
    MenuItem* mnuRateio = nullptr;
    PopupMenu* pmnRateio = nullptr;
    // Stands in for the clipboard menu where an invoice's values may not be copied.
    PopupMenu* pmnBloqueiaCopy = nullptr;
    MenuItem* mnuManuRateProd = nullptr;
    MenuItem* mnuContRatePaga = nullptr;
    MenuItem* mnuNFProdRural = nullptr;
    MenuItem* mnuErros = nullptr;
    MenuItem* mnuErrosLanc = nullptr;
    MenuItem* mnuErrosItem = nullptr;
    MenuItem* mnuAlmoLocal = nullptr;
    MenuItem* mnuFolhaDados = nullptr;
    MenuItem* mnuFormulario = nullptr;
    MenuItem* mnuVencimentos = nullptr;
};

// The list page, the installments page and the record page's scroll box.
struct PageControls {
    DBGrid* dbgPadrao = nullptr;
    TabSheet* tshVencimento = nullptr;
    DBGrid* dbgContaPagar = nullptr;
    ScrollBox* scbFormulario = nullptr;
};

} // namespace dfe::dfe11000
