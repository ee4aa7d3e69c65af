// The closing's warnings written back into the posting, and the jump from an error to its place.
#include "dfe11000/closing/error_list.h"

#include "dfe11000/header/header_rules.h"
#include "dfe11000/module/caption_group_box.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/posting/posting_editor.h"
#include "platform/core/text.h"

namespace dfe::dfe11000 {
namespace {

// Writes the fields into the located row of a working dataset with its controls asleep; a dataset that is
// closed or has no such row is left alone. The item taxes show one item at a time: a mark for another item's
// tax is searched among all of them, not lost.
void WriteLocated(DataSet& ds, std::string_view keys, const std::vector<Variant>& values,
                  const std::function<void(DataSet&)>& write) {
    if (!ds.Active()) return;
    ControlsPause pause(ds);
    const bool filtered = ds.Filtered();
    if (filtered) ds.SetFiltered(false);
    try {
        if (!ds.IsEmpty() && ds.Locate(keys, values)) {
            ds.Edit();
            write(ds);
            ds.Post();
        }
    } catch (...) {
        if (InEdit(ds)) ds.Cancel();
        if (filtered) ds.SetFiltered(true);
        throw;
    }
    if (filtered) ds.SetFiltered(true);
}

} // namespace

void ErrorListRules::Atualiza_ErrosAvisos() {
    const ClosingRow row = CurrentRow();
    ModuleState& state = Cli_dfe11000();
    if (row.object == "ITEMPROCFOP" || row.object == "ITEMPRODUTO") {
        // The item's own checks are not the server's findings: they stay out of the way.
        FlagDuring quiet(state.boAtuaNovoCod, true, false);
        WriteLocated(data_.cdsItemProduto, "NRSEQITPROD", {Variant(row.object2)}, [&](DataSet& items) {
            if (row.object == "ITEMPROCFOP") {
                items.FieldByName("CDFISOPEITEM").SetAsString(row.object4);
            } else {
                items.FieldByName("IDAVISOSITEM").SetAsString(row.object3);
                items.FieldByName("CDSITUTRIBPR").SetAsString(row.object4);
            }
        });
    } else if (row.object == "TRABITPROIMPOS") {
        const bool hideCredited = FieldText(data_.cdsParamDFE, "IDPERVISIMPSCRE") == "N";
        WriteLocated(data_.cdsTrabItProImpos, "NRSEQIMPOIT;CDIMPOSTOIT",
                     {Variant(text::Left(row.object2, 4)), Variant(text::Mid(row.object2, 4, 2))},
                     [&](DataSet& taxes) {
                         taxes.FieldByName("IDAVISIMPOIT").SetAsString(row.object3);
                         taxes.FieldByName("VRIMPOSIT").SetAsFloat(row.value);
                         const std::string fiscal = FieldText(taxes, "CDFISCIMPOIT");
                         const bool hidden = hideCredited && (fiscal == "2" || fiscal == "3");
                         taxes.FieldByName("VRIMPOSVISUIT").SetAsFloat(hidden ? 0.0 : row.value);
                     });
    } else if (row.object == "TRABIMPOSNFTOT") {
        WriteLocated(data_.cdsTrabImposNFTot, "CDIMPOSTOT", {Variant(row.object2)}, [&](DataSet& totals) {
            totals.FieldByName("IDAVISOSTOT").SetAsString(row.object3);
            totals.FieldByName("IDERROSTOT").SetAsString(row.object4);
            totals.FieldByName("VRIMPOSTOT").SetAsFloat(row.value);
        });
    } else if (row.code == "NOTAFISCAL") {
        DataSet& header = data_.cdsNotaFiscal;
        if (!header.Active() || header.IsEmpty()) return;
        ControlsPause pause(header);
        if (!InEdit(header)) header.Edit();
        header.FieldByName("CDFISOPENTF").SetAsString(row.object);
        header.FieldByName("DSCDFISOPENF").SetAsString(row.object2);
        header.Post();
    }
}

void ErrorListRules::ShowFormPage() {
    if (form_.pgcPadrao.ActivePage() == &form_.tshFormulario) return;
    form_.pgcPadrao.SetActivePage(&form_.tshFormulario);
    form_.Editing().AtualizaMenus();
}

void ErrorListRules::PosicionaErro(const std::string& code) {
    if (code.empty()) return;
    Cli_dfe11000().stErroFech = "S";
    const char target = code.front();
    // The item grid of the page the items notebook shows.
    const auto itemGrid = [this]() -> Control* {
        switch (ui_.nbkItensNF->PageIndex()) {
        case 1:
            return ui_.dbgItemNotaFisc;
        case 2:
            return ui_.dbgItemsNFForn;
        default:
            return ui_.dbgItemProduto;
        }
    };
    switch (target) {
    case '0': {
        ShowFormPage();
        Control* const participant[] = {ui_.dbeNrInsJurClie, ui_.dbeNrInsJurNF, ui_.dbeCdFilial};
        const int page = ui_.nbkDestino->PageIndex();
        if (page >= 0 && page < 3) FocusIfPossible(participant[page]);
        break;
    }
    case '1':
        ShowFormPage();
        FocusIfPossible(ui_.dbgItemProImpos);
        break;
    case '2':
        ShowFormPage();
        FocusIfPossible(ui_.dbgImposNFTot);
        break;
    case '3':
    case 'C':
    case 'D':
    case 'E':
    case 'F':
        ShowFormPage();
        FocusIfPossible(ui_.dbeVrNotaFisc);
        break;
    case '4':
        if (ui_.tshVencimento->Enabled()) {
            if (form_.pgcPadrao.ActivePage() != ui_.tshVencimento) {
                form_.pgcPadrao.SetActivePage(ui_.tshVencimento);
                form_.Editing().AtualizaMenus();
            }
            FocusIfPossible(ui_.dbgContaPagar);
        } else {
            ShowFormPage();
            FocusIfPossible(ui_.dbgItemProduto);
        }
        break;
    case '5':
        ShowFormPage();
        if (ui_.dbgItemProduto->ColumnCount() > 5)
            ui_.dbgItemProduto->Column(5).SetVisible(form_.Header().TipoOper().IDNFRETIND == "S");
        ui_.nbkItensNF->SetPageIndex(0);
        ui_.grbDadosProd->SetCaption(CaptionGroupBox(form_.msgPadrao.Msg("Dad_Prod")));
        FocusIfPossible(ui_.dbgItemProduto);
        break;
    case '6':
        ShowFormPage();
        ui_.nbkTransport->SetPageIndex(1);
        ui_.grbDadosProd->SetCaption(CaptionGroupBox(form_.msgPadrao.Msg("E_SN")));
        FocusIfPossible(ui_.dbgItemSemNF);
        break;
    case '7':
        ShowFormPage();
        FocusIfPossible(ui_.dbdEntrSaid);
        break;
    case '8':
        ShowFormPage();
        FocusIfPossible(ui_.dbeNumero);
        break;
    case '9':
    case 'G':
        ShowFormPage();
        FocusIfPossible(itemGrid());
        break;
    case 'A':
    case 'B':
        ShowFormPage();
        FocusIfPossible(ui_.dbgItemProduto);
        break;
    default:
        break;
    }
}

} // namespace dfe::dfe11000
