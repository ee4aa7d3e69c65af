// The origin group's fields: what entering and leaving the series and number of an origin check, the
// single-or-list choice of a return, and the group's exit that locks the reference.
#include "dfe11000/header/entry_date_rule.h"
#include "dfe11000/header/header_rules.h"
#include "dfe11000/header/origin_rules.h"
#include "dfe11000/header/participant_rules.h"
#include "dfe11000/module/caption_group_box.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/posting/posting_loader.h"
#include "platform/core/abort.h"
#include "platform/core/text.h"
#include "support/consiste.h"
#include "support/current_dialogs.h"
#include "support/show_avi.h"
#include "support/zymora.h"

#include <vector>

namespace dfe::dfe11000 {
namespace {

const std::vector<std::string> kMessages = {
    "SerieOrigem_Inf|Série da nota fiscal de origem deve ser informada.",
    "SerieOrigem_Cad|Série da nota fiscal de origem não cadastrada.",
    "NFOrigem_Inf|Nº da nota fiscal de origem deve ser informado.",
    "NFOrigem_Cad|Nº da nota fiscal de origem não cadastrado.",
    "Said_Inf|Nº da nota fiscal de origem deve ser informado.",
    "GetItensNF|Recebendo itens da nota fiscal de origem...",
    "FORNE_NF_REMESSA_DEVE_INF|Fornecedor da nota fiscal de remessa deve ser informado.",
    "FORNE_NF_REMESSA_NAO_CAD|Fornecedor não cadastrado.",
    "NUM_NF_REMESSA_DEVE_INF|Número da nota fiscal de remessa deve ser informado.",
    "NUM_NF_REMESSA_INV|Número da nota fiscal de remessa deve conter somente dígitos.",
    "QtdAtualizada|Quantidade devolvida atualizada com sucesso.",
};

} // namespace

OriginRules::OriginRules(TfrmLancNFEntrada& form) : ModulePart(form) {
    form_.msgPadrao.AddLines(kMessages);
}

bool OriginRules::DevolucaoOrigem() const {
    const OperationType& type = form_.Header().TipoOper();
    return type.IDOPERDEVONF == "S" && (!ui_.dbeNumeroSaida->Text().empty() || type.IDUTLLISTORI == "S");
}

void OriginRules::CodigoOrigemNF(std::string& code) const {
    std::string kind = FieldText(data_.cdsNotaFiscal, "IDORIGDESTNF");
    if (kind.empty()) kind = FieldText(lookups_.qryTipoOperac, "IDORIGDESTOP");
    if (kind == "C") {
        code = FieldText(data_.cdsNotaFiscal, "CDCLIENTE");
    } else if (kind == "F") {
        code = FieldText(data_.cdsNotaFiscal, "CDFORNECED");
    } else if (kind == "L") {
        code = FieldText(data_.cdsNotaFiscal, "CDFILIEMIT");
    }
}

bool OriginRules::EditingHeader() const {
    return InEdit(data_.cdsNotaFiscal);
}

OriginParticipant OriginRules::Participant() const {
    const DataSet& nf = data_.cdsNotaFiscal;
    return OriginParticipant{FieldText(nf, "IDORIGDESTNF"), FieldText(nf, "IDTPIJURNF"),
                             FieldText(nf, "NRINSJURNF"),   FieldText(nf, "CDFILIEMIT"),
                             ui_.medCdFilial->Text(),       form_.Header().TipoOper().IDNFESTCANC == "S"};
}

void OriginRules::TipoOrigem() {
    const OriginCodeLists lists = ParseOriginCodes(form_.Header().TipoOper().DSOPERNFORIG);
    stModOrigEntr = lists.entry;
    stModOrigSaid = lists.exit;
}

void OriginRules::EditRelated() {
    DataSet& related = data_.cdsItemNotaFisc;
    if (!related.Active()) related.CreateDataSet();
    if (!InEdit(related)) related.Edit();
}

std::string OriginRules::PaddedNumber(const std::string& typed, const char* widthParam) const {
    if (!Cli_dfe11000().boAjustaNr) return typed;
    const int64_t digits = IntegerOrNull(data_.cdsParamDFE, widthParam).value_or(0);
    return digits > 0 ? support::Ajusta(typed, static_cast<int>(digits)) : typed;
}

// A posting the row already names is kept only while it is a candidate (a pick): one left from a number
// typed before would relate another invoice than the one named.
void OriginRules::TakeFirstOrigin(DataSet& candidates) {
    const std::string branch = FieldText(data_.cdsItemNotaFisc, "CDFILIALIT");
    const std::string posting = FieldText(data_.cdsItemNotaFisc, "NRLANCTONFIT");
    if (!posting.empty() && candidates.Locate("CDFILIAL;NRLANCTONF", {Variant(branch), Variant(posting)}))
        return;
    candidates.First();
    EditRelated();
    data_.cdsItemNotaFisc.FieldByName("NRLANCTONFIT").SetAsString(FieldText(candidates, "NRLANCTONF"));
    data_.cdsItemNotaFisc.FieldByName("CDFILIALIT").SetAsString(FieldText(candidates, "CDFILIAL"));
}

void OriginRules::LoadItemsWhenEmpty() {
    if (data_.cdsItemProduto.Active() && !data_.cdsItemProduto.IsEmpty()) return;
    form_.Loader().GetItemProduto();
}

void OriginRules::Refuse(Control* control, const char* code) {
    FocusIfPossible(control);
    support::CurrentDialogs().ShowError(ErrorRequest{form_.msgPadrao.Msg(code), {}, code});
    ThrowAbort();
}

// ---- Entering

void OriginRules::dbeCdSerieEnter() {
    if (EditingHeader()) form_.Participants().Vd_Origem();
    ui_.btpNotaFiscOrigem->SetAssociate(ui_.dbeCdSerie);
    Cli_dfe11000().boAjustaNr = true;
}

void OriginRules::dbeNrNotaFiscEnter() {
    if (EditingHeader()) form_.Participants().Vd_Origem();
    ui_.btpNotaFiscOrigem->SetAssociate(ui_.dbeNrNotaFisc);
}

void OriginRules::dbeSerieSaidaEnter() {
    if (EditingHeader()) form_.Participants().Vd_Origem();
    ui_.btpNFSaida->SetAssociate(form_.ActiveControl());
    Cli_dfe11000().boAjustaNr = true;
}

// ---- Complement page

void OriginRules::dbeCdSerieExit() {
    if (!EditingHeader() || !ui_.dbeCdSerie->Enabled()) return;
    const std::string series = text::Trim(ui_.dbeCdSerie->Text());
    const std::string& code = form_.Header().CurrentType();
    const bool returnType = form_.Header().TipoOper().IDOPERDEVONF == "S";
    if (series.empty()) {
        if (code != "14" && !returnType) Refuse(ui_.dbeCdSerie, "SerieOrigem_Inf");
        return;
    }
    if (OneOf(code, {"03", "14"})) {
        if (!GetNFOrigem("", series, OriginSearch::ComplementField))
            Refuse(ui_.dbeCdSerie, "SerieOrigem_Cad");
    } else if (DevolucaoOrigem()) {
        TipoOrigem();
        const bool found = GetNFOrigSaid(series, "T", "", "T", OriginSearch::ReturnField);
        if (!found) Refuse(ui_.dbeCdSerie, "SerieOrigem_Cad");
        form_.Loader().Atualiza_stExisteDadosNF();
    }
}

void OriginRules::dbeNrNotaFiscExit() {
    if (!EditingHeader() || !ui_.dbeNrNotaFisc->Enabled()) return;
    const std::string number = text::Trim(ui_.dbeNrNotaFisc->Text());
    const std::string& code = form_.Header().CurrentType();
    if (number.empty()) {
        if (code != "14" && form_.Header().TipoOper().IDOPERDEVONF != "S")
            Refuse(ui_.dbeNrNotaFisc, "NFOrigem_Inf");
        if (text::Trim(ui_.dbeCdSerie->Text()).empty() && InEdit(data_.cdsItemNotaFisc))
            data_.cdsItemNotaFisc.Cancel();
        return;
    }
    EditRelated();
    data_.cdsItemNotaFisc.FieldByName("NRNOTAFISC").SetAsString(PaddedNumber(number, "NRTAMNUMNFUT"));
    const std::string stored = FieldText(data_.cdsItemNotaFisc, "NRNOTAFISC");
    if (OneOf(code, {"03", "14"})) {
        if (!GetNFOrigem(stored, text::Trim(ui_.dbeCdSerie->Text()), OriginSearch::ComplementField))
            Refuse(ui_.dbeNrNotaFisc, "NFOrigem_Cad");
        EditRelated();
        data_.cdsItemNotaFisc.FieldByName("NRLANCTONFIT")
            .SetAsString(FieldText(data_.cdsNFOrigem, "NRLANCTONF"));
        data_.cdsItemNotaFisc.FieldByName("CDFILIALIT").SetAsString(FieldText(data_.cdsNFOrigem, "CDFILIAL"));
    } else if (DevolucaoOrigem()) {
        TipoOrigem();
        const bool found = GetNFOrigSaid(FieldText(data_.cdsItemNotaFisc, "CDSERIE"), stored, "", "",
                                         OriginSearch::ReturnField);
        form_.Loader().Atualiza_stExisteDadosNF();
        if (!found) Refuse(ui_.dbeNrNotaFisc, "NFOrigem_Cad");
        TakeFirstOrigin(data_.cdsNFOrigSaid);
        LoadItemsWhenEmpty();
    }
}

// ---- Return page

void OriginRules::dbeSerieSaidaExit() {
    if (!EditingHeader() || !ui_.dbeSerieSaida->Enabled()) return;
    const std::string series = text::Trim(ui_.dbeSerieSaida->Text());
    if (series.empty()) return;
    EditRelated();
    data_.cdsItemNotaFisc.FieldByName("CDSERIE").SetAsString(series);
    if (!DevolucaoOrigem()) return;
    TipoOrigem();
    const bool found = GetNFOrigSaid(series, "T", "", "T", OriginSearch::ReturnField);
    if (!found) Refuse(ui_.dbeSerieSaida, "SerieOrigem_Cad");
    form_.Loader().Atualiza_stExisteDadosNF();
}

void OriginRules::dbeNumeroSaidaExit() {
    if (!EditingHeader() || !ui_.dbeNumeroSaida->Enabled()) return;
    const std::string number = text::Trim(ui_.dbeNumeroSaida->Text());
    if (number.empty()) return;
    const OperationType& type = form_.Header().TipoOper();
    // A return of outgoing invoices numbers its origin as the branch numbers what it issues.
    const bool outgoing = type.IDOPERDEVONF == "S" && type.DSOPERNFORIG.find('S') != std::string::npos;
    EditRelated();
    data_.cdsItemNotaFisc.FieldByName("NRNOTAFISC")
        .SetAsString(PaddedNumber(number, outgoing ? "NRTAMNUMNFUTS" : "NRTAMNUMNFUT"));
    if (!DevolucaoOrigem()) return;
    TipoOrigem();
    const bool found =
        GetNFOrigSaid(FieldText(data_.cdsItemNotaFisc, "CDSERIE"),
                      FieldText(data_.cdsItemNotaFisc, "NRNOTAFISC"), "", "", OriginSearch::ReturnField);
    form_.Loader().Atualiza_stExisteDadosNF();
    if (!found) Refuse(ui_.dbeNumeroSaida, "NFOrigem_Cad");
    TakeFirstOrigin(data_.cdsNFOrigSaid);
    if (!data_.cdsItemProduto.Active() || data_.cdsItemProduto.IsEmpty()) {
        support::ShowAviScope busy(&form_, support::kAviCopiando, form_.msgPadrao.Msg("GetItensNF"));
        form_.Loader().GetItemProduto();
    }
}

void OriginRules::dbeNumeroSaidaChange() {
    const OperationType& type = form_.Header().TipoOper();
    if (ui_.dbgItemProduto->ColumnCount() > 5)
        ui_.dbgItemProduto->Column(5).SetVisible(type.IDNFRETIND == "S");
    if (form_.Header().CurrentType() == "05") return;
    ui_.nbkItensNF->SetPageIndex(DevolucaoOrigem() && type.IDNFRETIND != "S" ? 2 : 0);
}

// ---- Single origin or list

void OriginRules::rbtUnicaClick() {
    ui_.btpLista->SetEnabled(false);
    for (Control* c : std::initializer_list<Control*>{ui_.lblSerieSaida, ui_.lblNumeroSaida,
                                                      ui_.dbeSerieSaida, ui_.dbeNumeroSaida, ui_.btpNFSaida})
        c->SetEnabled(true);
    ui_.dbeSerieSaida->SetColor(Color::clWhite);
    ui_.dbeNumeroSaida->SetColor(Color::clWhite);
    Cli_dfe11000().stListDevol.clear();
}

void OriginRules::rbtListaClick() {
    ui_.btpLista->SetEnabled(true);
    for (Control* c : std::initializer_list<Control*>{ui_.lblSerieSaida, ui_.lblNumeroSaida,
                                                      ui_.dbeSerieSaida, ui_.dbeNumeroSaida, ui_.btpNFSaida})
        c->SetEnabled(false);
    for (DBEdit* e : {ui_.dbeSerieSaida, ui_.dbeNumeroSaida}) {
        e->SetColor(Color::clBtnFace);
        e->SetText("");
    }
    DataSet& related = data_.cdsItemNotaFisc;
    if (InEdit(related)) {
        related.FieldByName("CDFILIALIT").Clear();
        related.FieldByName("NRLANCTONFIT").Clear();
    }
}

// ---- Mandatory origin and the group's exit

void OriginRules::Vd_NFOrigObrig() {
    if (!EditingHeader()) return;
    const bool mandatory = form_.Header().TipoOper().IDNFORIGOBRI == "S";
    if (!mandatory) return;
    if (ui_.rbtLista->Checked()) {
        if (ui_.rbtLista->Enabled() && Cli_dfe11000().stListDevol.empty()) Refuse(ui_.rbtLista, "Said_Inf");
    } else if (ui_.dbeNumeroSaida->Enabled() && text::Trim(ui_.dbeNumeroSaida->Text()).empty()) {
        Refuse(ui_.dbeNumeroSaida, "Said_Inf");
    }
}

void OriginRules::grbNFOrigemExit() {
    Vd_NFOrigObrig();
    const OperationType& type = form_.Header().TipoOper();
    if (ui_.nbkNFOrigem->PageIndex() == 1) {
        if (type.IDOPERDEVONF == "S" && (DevolucaoOrigem() || !Cli_dfe11000().stLista.empty())) {
            if (ui_.rbtUnica->Checked()) {
                dbeSerieSaidaExit();
                dbeNumeroSaidaExit();
            }
            ui_.grbDadosProd->SetCaption(CaptionGroupBox(form_.msgPadrao.Msg("Dad_Prod")));
            ui_.grbDAE->SetTop(1160);
            ui_.nbkCte->SetTop(1160);
        }
    } else {
        dbeCdSerieExit();
        dbeNrNotaFiscExit();
    }
    const std::string& code = form_.Header().CurrentType();
    if (code == "14" && ui_.dbeNrNotaFisc->Enabled() && !text::Trim(ui_.dbeCdSerie->Text()).empty() &&
        text::Trim(ui_.dbeNrNotaFisc->Text()).empty())
        Refuse(ui_.dbeNrNotaFisc, "Said_Inf");

    for (Control* c :
         std::initializer_list<Control*>{ui_.dbeCdSerie, ui_.dbeNrNotaFisc, ui_.btpNotaFiscOrigem,
                                         ui_.dbeSerieSaida, ui_.dbeNumeroSaida, ui_.btpNFSaida})
        c->SetEnabled(false);
    switch (ui_.nbkDestino->PageIndex()) {
    case 0:
        ui_.dbeNrInsJurClie->SetEnabled(false);
        ui_.btpCliente->SetEnabled(false);
        break;
    case 1:
        ui_.dbeNrInsJurNF->SetEnabled(false);
        ui_.btpFornecedor->SetEnabled(false);
        break;
    default:
        ui_.dbeCdFilial->SetEnabled(false);
        ui_.btpFiliEmit->SetEnabled(false);
        break;
    }
    if (code == "14") CopyOriginItems();
}

} // namespace dfe::dfe11000
