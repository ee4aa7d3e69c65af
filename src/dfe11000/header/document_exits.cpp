// The document identity's events, the refusals its rules share, and the exits of the panels that hold the
// series and number, the dates and the whole issue panel.
#include "dfe11000/header/document_rules.h"
#include "dfe11000/header/header_rules.h"
#include "dfe11000/header/participant_rules.h"
#include "dfe11000/items/charges.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/module/pending.h"
#include "dfe11000/posting/posting_editor.h"
#include "dfe11000/posting/posting_loader.h"
#include "platform/core/abort.h"
#include "platform/core/text.h"
#include "support/consiste.h"
#include "support/current_dialogs.h"
#include "support/inscricao_vigencia.h"
#include "support/show_msg.h"
#include "support/zymora.h"

#include <cwctype>

namespace dfe::dfe11000 {
namespace {

// The texts of the document identity's refusals and question.
const std::vector<std::string> kMessages = {
    "DocFisc_Inf|Modelo de documento fiscal deve ser informado.",
    "DocFisc_Cad|Modelo de documeto fiscal não cadastrado para o tipo de operação informado.",
    "Serie_Cad|Série de documentos de entrada não cadastrada.",
    "Num_Inv| não é um número válido.",
    "Nume_Inf|Número deve ser informado.",
    "Doc_Inf_P|Documento informado já cadastrado para a filial",
    "Data_Ent|data de entrada",
    "DtEmis_Inf|Data emissão deve ser informada.",
    "DtEmis_Bloq|Data de emissão fora do período permitido.",
    "DtEmis_Avis|Data de emissão anterior à data limite. Confirma Operação?",
    "Sim|Sim",
    "Nao|Não",
    "DtEntr_Inf|Data entrada deve ser informada.",
    "Data_Mai|Data entrada deve ser menor ou igual a data de processamento.",
    "Data_Men|Data entrada deve ser maior ou igual a data de processamento.",
    "Data_M|Data de entrada informada fora do periodo permitido.",
    "Dt_Inv_RE|Data de entrada não pode ser alterada. RE já gerado para o dia.",
    "DtEnt_Inv|Data de entrada deve ser maior ou igual a data emissão .",
    "VrNF_inf|Valor total da nota fiscal deve ser informado.",
    "VrNF_menor|Valor total da nota fiscal deve ser maior que zero.",
};

} // namespace

DocumentRules::DocumentRules(TfrmLancNFEntrada& form) : ModulePart(form) {
    form_.msgPadrao.AddLines(kMessages);
}

void DocumentRules::Wire() {
    lookups_.qrySerieEntr.BeforeOpen = [this](DataSet&) { qrySerieEntrBeforeOpen(); };
    ui_.dbeModDocFis->OnExit = [this](Component&) { dbeModDocFisExit(); };
    ui_.dbeModDocFis->OnChange = [this](Component&) { dbeModDocFisChange(); };
    ui_.btpModDocFisc->OnBeforePesq = [this](support::TBtnPesquisa&, bool&) { btpModDocFiscBeforePesq(); };
    ui_.btpModDocFisc->OnAfterPesq = [this](support::TBtnPesquisa&) { btpModDocFiscAfterPesq(); };
    ui_.dbeSerie->OnEnter = [this](Component&) { dbeSerieEnter(); };
    ui_.dbeSerie->OnExit = [this](Component&) { dbeSerieExit(); };
    ui_.dbeSerie->OnChange = [this](Component&) { dbeSerieChange(); };
    // Series are upper case, here and in the origin documents.
    for (DBEdit* series : {ui_.dbeSerie, ui_.dbeSerieSaida, ui_.dbeCdSerie})
        series->OnKeyPress = [](Component&, char32_t& ch) {
            if (ch < 0x80) ch = static_cast<char32_t>(std::towupper(static_cast<wint_t>(ch)));
        };
    ui_.btpSerieNF->OnBeforePesq = [this](support::TBtnPesquisa&, bool&) { btpSerieNFBeforePesq(); };
    ui_.btpSerieNF->OnAfterPesq = [this](support::TBtnPesquisa&) { btpSerieNFAfterPesq(); };
    ui_.dbeNumero->OnExit = [this](Component&) { dbeNumeroExit(); };
    ui_.dbeNumero->OnChange = [this](Component&) { dbeNumeroChange(); };
    // The right arrow would leave the number's last position for the key edit's mask.
    ui_.dbeNumero->OnKeyDown = [](Component&, int& key, ShiftState) {
        if (key == 39) key = 0;
    };
    ui_.dbdDtEmissao->OnExit = [this](Component&) { dbdDtEmissaoExit(); };
    ui_.dbdDtEmissao->OnChange = [this](Component&) { dbdDtEmissaoChange(); };
    ui_.dbdEntrSaid->OnEnter = [this](Component&) {
        entryOnEnter_ = ReadTypedDate(ui_.dbdEntrSaid->EditText());
    };
    ui_.dbdEntrSaid->OnExit = [this](Component&) { dbdEntrSaidExit(); };
    ui_.dbdEntrSaid->OnChange = [this](Component&) { dbdEntrSaidChange(); };
    ui_.dbeVrNotaFisc->OnExit = [this](Component&) { Vd_ValorNF(); };
    ui_.Panel9->OnExit = [this](Component&) {
        grbFornecedorExit();
        form_.Participants().Panel9Exit();
    };
    ui_.Panel3->OnExit = [this](Component&) { Panel3Exit(); };
    ui_.panDatas->OnExit = [this](Component&) { grbDestRemeExit(); };
    ui_.panEmisData->OnExit = [this](Component&) { panEmisDataExit(); };
}

void DocumentRules::Refuse(Control* focus, const char* code) {
    FocusIfPossible(focus);
    support::MensErro(form_.msgPadrao, code, true);
}

void DocumentRules::RefuseText(Control* focus, const char* code, const std::string& text) {
    FocusIfPossible(focus);
    support::CurrentDialogs().ShowError(ErrorRequest{text, {}, code});
    ThrowAbort();
}

void DocumentRules::RefuseOnRecordPage(Control* focus, const char* code) {
    form_.Loader().ShowRecordPage();
    Refuse(focus, code);
}

void DocumentRules::RegenerateInstallmentsAfterEntryDate() {
    form_.Participants().AskInstallments();
}

// ---- The panels' exits

void DocumentRules::grbFornecedorExit() {
    if (!InEdit(data_.cdsRomaneioNF) && !InEdit(data_.cdsNotaFiscal)) return;
    form_.Participants().Vd_Origem();
    const std::string& kind = form_.Header().CurrentType();
    const bool noSeries = text::Trim(ui_.dbeSerie->Text()).empty();
    if (noSeries && !OneOf(kind, {"09", "10", "12"}) &&
        FieldText(data_.cdsNotaFiscal, "CDFILIEMIT") != support::zymora::FiliProc()) {
        db::TADOIBQuery& series = lookups_.qrySerieEntr;
        if (!series.Active()) series.Open();
        if (!series.IsEmpty()) Refuse(ui_.dbeSerie, "Serie_Inf");
    }
    if (!noSeries || OneOf(kind, {"08", "09", "10", "12"})) Vd_Numero();
    form_.Charges().AddChargeLines();
}

void DocumentRules::Panel3Exit() {
    Vd_DataEntr(false, false);
}

void DocumentRules::grbDestRemeExit() {
    Vd_DataEmiss(true);
    Vd_DataEntr(true, false);
}

void DocumentRules::panEmisDataExit() {
    DataSet& nf = data_.cdsNotaFiscal;
    if (!InEdit(nf)) return;
    ModuleState& st = Cli_dfe11000();
    const OperationType type = form_.Header().TipoOper();
    const bool supplier = FieldText(nf, "IDORIGDESTNF") == "F";
    const bool service = type.IDNFPRESTSERV == "S";
    if (!st.boAlteraNumNF && supplier && type.IDOPERDEVONF != "S" && st.stErroFech != "S") {
        if (form_.pgcPadrao.ActivePage() == &form_.tshFormulario && !ui_.dbeChaveAcesso->Focused() &&
            support::EmptyString(ui_.dbeChaveAcesso->Text()) && !service)
            FocusIfPossible(ui_.dbeChaveAcesso);
        if (!data_.cdsItemProduto.Active() || data_.cdsItemProduto.IsEmpty()) {
            if (form_.Editing().boChaveAceita && !service) {
                FocusIfPossible(ui_.dbeChaveAcesso);
                GetNFE(form_);
            } else if (service) {
                FocusIfPossible(ui_.dbeChavePServ);
                GetNFE(form_);
            }
        }
    }
    if (supplier && type.IDTIPOOPERELE == "S" && FieldText(data_.cdsParamForne, "IDOBRIMPXMLNF") == "S" &&
        !st.boNFImpNFe && st.boInsert && !form_.Editing().boChaveAceita)
        Refuse(ui_.dbeNumero, "Blq_NFe_ForXML");
    const Field& entry = nf.FieldByName("DTENTRSAID");
    if (!support::Verifica_Vigencia_Insc(FieldText(nf, "CDINSCESTA"), FieldText(nf, "CDEMPRESA"),
                                         entry.AsDateTime()))
        Refuse(ui_.dbdEntrSaid, "Insc_Vig");
}

} // namespace dfe::dfe11000
