// The filter's commands: confirm (hand the filter to the posting form, which lists), include (ask for a new
// posting instead), undo and cancel.
#include "dfe11000/dialogs/frm_filtro_nf_entrada.h"

#include "dfe11000/header/document_rules.h"
#include "dfe11000/header/header_rules.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/posting/posting_list.h"
#include "dfe11000/posting/romaneio_filter.h"
#include "support/consiste.h"

namespace dfe::dfe11000 {

RomaneioFilter TfrmFiltroNFEntrada::BuildFilter() const {
    RomaneioFilter f;
    f.branch = posting_.ui.medCdFilial->Text();
    switch (cbbDestRem->ItemIndex()) {
    case kFiltroCliente:
        f.participantKind = "C";
        f.participant = support::Ajusta_Inscricao(medCliente->Text());
        // The code belongs to the number it was found for; an empty number forgets it.
        if (!f.participant.empty() && cdClienteNumber_ == f.participant) f.customer = cdCliente_;
        break;
    case kFiltroFornecedor:
        f.participantKind = "F";
        f.participant = support::Ajusta_Inscricao(medFornecedor->Text());
        break;
    case kFiltroFilial:
        f.participantKind = "L";
        f.issuingBranch = medFilial->Text();
        break;
    default:
        break;
    }
    f.series = rdgLista->Checked() ? stListaSerie : std::string("T");
    f.operationTypes = rdgListaTipoOper->Checked() ? stListaTipoOper : std::string();
    f.entryFrom = depEntrIni->Date();
    f.entryTo = depEntrFim->Date();
    f.issueFrom = depEmisIni->Date();
    f.issueTo = depEmisFim->Date();
    f.allDates = depEmisIni->IsBlank() ? "T" : "";
    return f;
}

void TfrmFiltroNFEntrada::Remember() {
    Remembered r;
    r.kind = cbbDestRem->ItemIndex() < 0 ? kFiltroTodos : cbbDestRem->ItemIndex();
    if (r.kind == kFiltroCliente) {
        r.participant = medCliente->Text();
        r.participantName = edtNmCliente->Text();
        r.cdCliente = BuildFilter().customer;
    } else if (r.kind == kFiltroFornecedor) {
        r.participant = medFornecedor->Text();
        r.participantName = edtNmFornecedor->Text();
    } else if (r.kind == kFiltroFilial) {
        r.participant = medFilial->Text();
        r.participantName = edtNmFilial->Text();
    }
    r.emisIni = depEmisIni->Date();
    r.emisFim = depEmisFim->Date();
    r.entrIni = depEntrIni->Date();
    r.entrFim = depEntrFim->Date();
    r.series = stListaSerie;
    r.tiposOper = stListaTipoOper;
    r.todasSeries = rdgTodos->Checked();
    r.todosTiposOper = rdgTodosTipoOper->Checked();
    remembered_ = std::move(r);
}

void TfrmFiltroNFEntrada::sbtConfirmaClick() {
    switch (cbbDestRem->ItemIndex()) {
    case kFiltroCliente:
        Vd_Cliente();
        break;
    case kFiltroFornecedor:
        Vd_Fornecedor();
        break;
    case kFiltroFilial:
        Vd_Filial();
        break;
    default:
        break;
    }
    posting_.Document().Vd_Datas(*depEmisIni, *depEmisFim);
    posting_.Document().Vd_Datas(*depEntrIni, *depEntrFim);
    if (rdgLista->Checked() && stListaSerie.empty()) Refuse(*rdgLista, "Serie_inf");
    if (rdgListaTipoOper->Checked() && stListaTipoOper.empty()) Refuse(*rdgListaTipoOper, "TipoOper_inf");

    const RomaneioFilter filter = BuildFilter();
    Remember();
    // The posting form loads the list and takes its state; a failure there keeps the dialog open.
    posting_.List().ShowFilteredList(filter, this);
    // Only a filter that passed every check and listed counts as confirmed.
    EndConfirmed();
}

void TfrmFiltroNFEntrada::EndConfirmed() {
    boConfirma = true;
    if (IsModal())
        SetModalResult(mr::Ok);
    else if (Visible())
        Close();
}

void TfrmFiltroNFEntrada::sbtIncNFClick() {
    posting_.List().PrepareIncludeFromFilter();
    EndConfirmed();
}

void TfrmFiltroNFEntrada::sbtDesfazerClick() {
    medCliente->SetText("");
    if (cbbDestRem->CanFocus()) cbbDestRem->SetFocus();
    rdgTodos->SetChecked(true);
    rdgTodosTipoOper->SetChecked(true);
    btpSerie->SetEnabled(false);
    btpTipoOper->SetEnabled(false);
    stListaSerie.clear();
    stListaTipoOper.clear();
    Atualiza_Datas();
    cbbDestRem->SetItemIndex(kFiltroTodos);
    nbkCliente->SetPageIndex(kFiltroTodos);
}

void TfrmFiltroNFEntrada::sbtCancelClick() {
    Close();
}

} // namespace dfe::dfe11000
