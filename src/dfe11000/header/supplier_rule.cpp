// The supplier of the posting: its rule, leaving and entering its number, and its search over the related or
// all suppliers.
#include "dfe11000/dialogs/frm_cpf_cnpj.h"
#include "dfe11000/header/document_rules.h"
#include "dfe11000/header/header_rules.h"
#include "dfe11000/header/participant_rules.h"
#include "dfe11000/items/charges.h"
#include "dfe11000/items/payables.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/module/pending.h"
#include "dfe11000/posting/editing_helpers.h"
#include "dfe11000/posting/posting_editor.h"
#include "dfe11000/posting/posting_loader.h"
#include "dfe11000/server/module_parameters.h"
#include "platform/core/abort.h"
#include "platform/core/text.h"
#include "platform/data/handler_guard.h"
#include "support/consiste.h"
#include "support/current_dialogs.h"
#include "support/show_msg.h"

namespace dfe::dfe11000 {
namespace {

constexpr const char* kCentralBranchField = "CDFILCENTCMP";

// Sets the value of every parameter the text has.
void SetParams(db::TADOIBQuery& query, std::initializer_list<std::pair<const char*, Variant>> values) {
    for (const auto& [name, value] : values) {
        if (query.HasParam(name)) query.ParamByName(name) = value;
    }
}

} // namespace

void ParticipantRules::Refuse(Control* focus, const char* code, const std::string& text) {
    FocusIfPossible(focus);
    if (text.empty()) support::MensErro(form_.msgPadrao, code, true);
    support::CurrentDialogs().ShowError(ErrorRequest{text, {}, code});
    ThrowAbort();
}

void ParticipantRules::SetNumberMask(const std::string& personType) {
    if (Field* number = data_.cdsNotaFiscal.Active() ? data_.cdsNotaFiscal.FindField("NRINSJURNF") : nullptr)
        number->SetEditMask(support::PictPess(personType));
}

void ParticipantRules::ShowRecordPageAndFocus(Control* control) {
    form_.Loader().ShowRecordPage();
    if (control && control->Enabled()) FocusIfPossible(control);
}

// Reads the header's supplier into qryFornecedor; the header takes the registered code, person type and
// number when they differ.
void ParticipantRules::ReadSupplier(const char* missingCode) {
    DataSet& nf = data_.cdsNotaFiscal;
    const db::TADOIBQuery& supplier = lookups_.qryFornecedor;
    ReadSupplierQuietly();
    if (supplier.IsEmpty()) Refuse(ui_.dbeNrInsJurNF, missingCode);
    if (FieldText(nf, "CDFORNECED") != FieldText(supplier, "CDFORNECED")) {
        SetWhileEditing(nf, "IDTPIJURNF", FieldText(supplier, "IDTPIJURFORN"));
        SetWhileEditing(nf, "CDFORNECED", FieldText(supplier, "CDFORNECED"));
        SetWhileEditing(nf, "NRINSJURNF", FieldText(supplier, "NRINSJURFORN"));
    }
}

// The supplier of the authorizations being imported: the same CNPJ root, or a supplier related to theirs.
void ParticipantRules::CheckAFSupplier() {
    const ModuleState& st = Cli_dfe11000();
    DataSet& nf = data_.cdsNotaFiscal;
    const std::string number = FieldText(nf, "NRINSJURNF");
    if (st.stIdNFImpAF != "S" || st.stNRINSJURFORN == number) return;
    if (FieldText(data_.cdsParamDFE, "IDUTRELACFORNAF") != "S") {
        if (FieldText(data_.cdsParamDFE, "IDBLOQRAIZCNPJDI") == "S" &&
            text::Left(st.stNRINSJURFORN, 8) != text::Left(number, 8)) {
            FocusIfPossible(ui_.dbeNrInsJurNF);
            support::MensErro(form_.msgMensagensPadroes, "RaizInsc_Inv", true);
        }
        return;
    }
    ReadSupplier("Forn_Cad");
    db::TADOIBQuery& related = lookups_.qryVdForRelFor;
    related.Close();
    related.ParamByName("P_IDTPIJURFORN") = Variant(st.stIDTPIJURFORN);
    related.ParamByName("P_NRINSJURFORN") = Variant(st.stNRINSJURFORN);
    related.Open();
    if (!related.Locate("CDFORNECED", Variant(FieldText(lookups_.qryFornecedor, "CDFORNECED"))))
        Refuse(ui_.dbeNrInsJurNF, "Forn_CadRelac");
    SetNumberMask(FieldText(nf, "IDTPIJURNF"));
}

void ParticipantRules::CheckReleasedOperationType() {
    const std::string number = FieldText(data_.cdsNotaFiscal, "NRINSJURNF");
    db::TADOIBQuery& released = lookups_.qryVdTOperForn;
    released.Close();
    released.ParamByName("P_NRINSJURFORN") = Variant(number);
    released.ParamByName("P_CDTIPOOPER") = Variant(FieldText(data_.cdsNotaFiscal, "CDTIPOOPER"));
    released.Open();
    if (!released.IsEmpty()) return;
    db::TADOIBQuery& available = lookups_.qryTOperFornDisp;
    available.Close();
    available.ParamByName("P_NRINSJURFORN") = Variant(number);
    available.Open();
    std::string list;
    for (available.First(); !available.Eof(); available.Next())
        list += FieldText(available, "CDTIPOOPER") + "-" +
                text::Left(FieldText(available, "NMTIPOOPER"), 10) + " / ";
    if (list.empty()) list = "-";
    Refuse(ui_.dbeNrInsJurNF, "TOper_NLib", FillPercentS(form_.msgPadrao.Msg("TOper_NLib"), list));
}

void ParticipantRules::CheckQualification() {
    const std::string supplier = FieldText(data_.cdsNotaFiscal, "CDFORNECED");
    if (!Cli_dfe11000().boVerifQuali || stQualifFor == supplier) return;
    std::string central = FieldText(lookups_.qryFiliRece, kCentralBranchField);
    std::string code = supplier;
    DateTime entry = data_.cdsNotaFiscal.FieldByName("DTENTRSAID").AsDateTime();
    data_.cdsQualifForn.SetData(server_.Call(server_.netLancNFEntrada, "GetQualifForn",
                                             net::CallArgs().StrRef(central).StrRef(code).DateRef(entry)));
    stQualifFor = supplier;
    if (data_.cdsQualifForn.IsEmpty() && FieldText(data_.cdsParamDFE, "IDPERFORNECO") == "N")
        Refuse(ui_.dbeNrInsJurNF, "Permi_Forn");
}

void ParticipantRules::Vd_Fornecedor(bool required) {
    DataSet& nf = data_.cdsNotaFiscal;
    if (!InEdit(nf)) return;
    ModuleState& st = Cli_dfe11000();
    const DataSet& params = data_.cdsParamDFE;
    try {
        const std::string typed = ui_.dbeNrInsJurNF->Text();
        if (!st.boCancela && support::EmptyString(typed)) {
            if (required) Refuse(ui_.dbeNrInsJurNF, "Forn_Inf");
        } else if (!st.boCancela) {
            // Typed with or without its mask, in either case: stored as the bare number.
            SetWhileEditing(nf, "NRINSJURNF", support::Ajusta_Inscricao(typed));
            st.stTodos = "N";
            CheckAFSupplier();
            if (FieldText(nf, "IDORIGDESTNF") == "F") {
                ReadSupplier("Forn_Cad");
                SetNumberMask(FieldText(nf, "IDTPIJURNF"));
            }
            const std::string supplier = FieldText(lookups_.qryFornecedor, "CDFORNECED");
            if (!(FieldText(data_.cdsParamForne, "CDFORNECED") == supplier && !supplier.empty() &&
                  !form_.Parameters().SupplierString().empty()) &&
                !supplier.empty())
                form_.Parameters().GetParamForn(supplier);
            if (st.boBlqNFRelFoAF && st.stIdNFImpAF == "S" && FieldText(params, "IDUTRELACFORNAF") == "S") {
                ReadSupplier("Forn_Cad");
                if (FieldText(data_.cdsParamForne, "IDBLQNFRELAFOAF") == "S")
                    Refuse(ui_.dbeNrInsJurNF, "Forn_N_Per");
            }
            if (FieldText(params, "IDBLOQCMPSAFFIL") == "S" &&
                FieldText(lookups_.qryFornecedor, "IDBLOQCMPSAFFOR") == "S" &&
                form_.App().ActiveForm() == &form_ && !boImportandoAF && st.stIdNFImpAF != "S" &&
                FieldText(nf, "CDTIPOOPER") == "01")
                Refuse(ui_.dbeNrInsJurNF, "Bloq_NF_For");
            if (FieldText(params, "IDUTBLOQOPAF") == "S") CheckReleasedOperationType();
            if (FieldText(params, "IDBLOQFORIRR") == "S" &&
                FieldText(lookups_.qryFornecedor, "IDSITUCADA") == "I")
                Refuse(ui_.dbeNrInsJurNF, "Forn_Ina");
            CheckQualification();
        }
        DefaultModelForSupplier();
        if (nf.State() == DataSetState::Insert) {
            NewPostingDefaults();
            form_.Charges().AddChargeLines();
        }
    } catch (...) {
        if (ui_.nbkDestino->PageIndex() == 1) ShowRecordPageAndFocus(ui_.dbeNrInsJurNF);
        throw;
    }
}

// The first model the operation type allows, electronic ones only when the access key is mandatory for the
// branch or the supplier and the type is electronic.
void ParticipantRules::DefaultModelForSupplier() {
    if (!InEdit(data_.cdsNotaFiscal) || !Cli_dfe11000().boModDocFis) return;
    if (!support::EmptyString(ui_.dbeModDocFis->Text()) && !boFornAlterado) return;
    boFornAlterado = false;
    ReadSupplierQuietly();
    if (FieldText(data_.cdsNotaFiscal, "CDMODDOCFISC").empty()) ProposeModel();
    form_.Document().ShowModelPages(FieldText(data_.cdsNotaFiscal, "CDMODDOCFISC"));
}

void ParticipantRules::ProposeModel() {
    const bool keyRequired = FieldText(data_.cdsParamDFE, "IDOBRCHAVACES") == "S" ||
                             FieldText(data_.cdsParamForne, "IDOBRCHAVACESFO") == "S";
    DefaultModel(keyRequired && form_.Header().TipoOper().IDTIPOOPERELE == "S");
}

void ParticipantRules::RefreshSupplierParams() {
    ReadSupplierQuietly();
    const std::string code = FieldText(lookups_.qryFornecedor, "CDFORNECED");
    if (!code.empty() && code != FieldText(data_.cdsParamForne, "CDFORNECED"))
        form_.Parameters().GetParamForn(code);
}

bool ParticipantRules::AFWithoutSupplier() const {
    return Cli_dfe11000().boAFFornBran && boImportandoAF;
}

void ParticipantRules::ReadSupplierQuietly() {
    lookups_.qryFornecedor.Close();
    lookups_.qryFornecedor.ParamByName("P_NRINSJURFORN") =
        Variant(FieldText(data_.cdsNotaFiscal, "NRINSJURNF"));
    lookups_.qryFornecedor.Open();
}

void ParticipantRules::DefaultModel(bool electronicOnly) {
    std::string electronic = electronicOnly ? "S" : "";
    std::string type = FieldText(data_.cdsNotaFiscal, "CDTIPOOPER");
    std::string all = electronicOnly ? "" : "T";
    data_.cdsModDoc.SetData(server_.Call(server_.netLancNFEntrada, "GetModDoc",
                                         net::CallArgs().StrRef(electronic).StrRef(type).StrRef(all)));
    if (data_.cdsModDoc.IsEmpty()) return;
    data_.cdsModDoc.First();
    SetWhileEditing(data_.cdsNotaFiscal, "CDMODDOCFISC", FieldText(data_.cdsModDoc, "CDMODDOCFISC"));
    SetWhileEditing(data_.cdsNotaFiscal, "DSMODDOCFISC", FieldText(data_.cdsModDoc, "DSMODDOCFISC"));
}

void ParticipantRules::NewPostingDefaults() {
    DataSet& nf = data_.cdsNotaFiscal;
    SetWhileEditing(nf, "IDBLOQUEADO", "N");
    SetWhileEditing(nf, "IDDOCFISCAL", "S");
    SetWhileEditing(nf, "IDDOCFINANC", "S");
    for (const char* value : {"VRPRODUTOS", "VRNOTAFISC"}) {
        if (Field* field = nf.FindField(value); field && field->IsNull()) field->SetAsFloat(0);
    }
}

void ParticipantRules::dbeNrInsJurNFExit() {
    DataSet& nf = data_.cdsNotaFiscal;
    if (!stInscAnterior.empty()) boFornAlterado = stInscAnterior != FieldText(nf, "NRINSJURNF");
    stInscAnterior = support::Ajusta_Inscricao(ui_.dbeNrInsJurNF->Text());
    Vd_Fornecedor(false);
    if (InEdit(nf)) {
        if (FieldText(lookups_.qryTipoOperac, "IDINFCPFCNPJNF") == "S" && !form_.Editing().boCancelaCpfCnpj)
            CpfCnpj(form_, nf.FieldByName("NRINSJURNF"), *ui_.dbeNrInsJurNF,
                    FieldText(lookups_.qryTipoOperac, "DSOPERNFAVISTA"), FieldText(nf, "NRCPFCNPJNF"));
        AskInstallments();
        CheckEDI();
    }
    if (nf.State() == DataSetState::Browse) SetNumberMask(FieldText(data_.cdsRomaneioNF, "IDTPIJURNF"));
    if (FieldText(lookups_.qryFornecedor, "CDFORNECED").empty()) ReadSupplierQuietly();
    EnableItemGridBySupplier();
}

void ParticipantRules::AskInstallments() {
    ModuleState& st = Cli_dfe11000();
    const DataSet& nf = data_.cdsNotaFiscal;
    if (support::EmptyString(ui_.dbeVrNotaFisc->Text()) ||
        FieldText(lookups_.qryTipoOperac, "IDUTILVENC") == "N" || st.boImportaAF)
        return;
    const std::string model = FieldText(nf, "CDMODDOCFISC");
    const DataSet& supplier = data_.cdsParamForne;
    if (FieldText(nf, "IDNFGERADAVIAXML") == "S" &&
        ((FieldText(supplier, "IMPVENCXML") == "S" && model == "55") ||
         (FieldText(supplier, "IDIMPVENCXMLCTE") == "S" && model == "57")))
        return;
    if (st.boNFImpNFe && FieldText(data_.cdsParamDFE, "IDGERNFIGUALXML") == "S") return;
    const Field* value = nf.FindField("VRNOTAFISC");
    if (!value || value->AsFloat() == 0) return;
    if (support::ShowMsg(form_.msgPadrao, "GeraVenc", DialogType::Confirmation, mb::YesNo) != mr::Yes) return;
    struct GeneratingScope {
        bool& flag;
        ~GeneratingScope() { flag = false; }
    } generating{st.boGeraVenc};
    st.boGeraVenc = true;
    DataSet& installments = data_.cdsContaPagar;
    if (installments.Active()) {
        installments.First();
        while (!installments.IsEmpty())
            installments.Delete();
    }
    form_.Payables().GravaVencimento();
}

// A supplier that works with EDI integration sends its invoices electronically: typing one is refused.
void ParticipantRules::CheckEDI() {
    const DataSet& params = data_.cdsParamDFE;
    const std::string integration = FieldText(params, "IDUTILINTNFF");
    if (!(integration == "S" || (integration == "G" && FieldText(params, "IDUTILINTNFG") == "S"))) return;
    std::string number = FieldText(data_.cdsNotaFiscal, "NRINSJURNF");
    if (FieldText(data_.cdsNotaFiscal, "CDTIPOOPER") != "01" || number.empty() || boDocImportado ||
        boImportandoAF)
        return;
    CallOptions plain;
    plain.checkResult = false;
    const Variant answer =
        server_.Call(server_.netLancNFEntrada, "VerifFornEDI", net::CallArgs().StrRef(number), plain);
    const std::string* text = answer.TextIf();
    if (text && *text == "S") Refuse(ui_.dbeNrInsJurNF, "Forne_Edi");
}

void ParticipantRules::EnableItemGridBySupplier() {
    if (FieldText(data_.cdsParamForne, "IDFORNEHOMO") != "N") {
        ui_.dbgItemProduto->SetEnabled(true);
    } else if (form_.Editing().RelacAF()) {
        form_.Loader().GetNFRelacAF();
        ui_.dbgItemProduto->SetEnabled(data_.cdsNFRelacAF.IsEmpty());
    } else {
        ui_.dbgItemProduto->SetEnabled(false);
    }
}

void ParticipantRules::dbeNrInsJurNFEnter() {
    ui_.scbFormulario->SetVertScrollPosition(0);
    if (!InEdit(data_.cdsNotaFiscal)) return;
    const DetachedHandler quiet(ui_.dbeNrInsJurNF->OnChange);
    SetNumberMask("I");
    ui_.dbeNrInsJurNF->SetMaxLength(20);
}

void ParticipantRules::dbeNrInsJurNFChange() {
    if (InEdit(data_.cdsNotaFiscal)) lookups_.qryFornecedor.Close();
}

void ParticipantRules::btpFornecedorBeforePesq() {
    ModuleState& st = Cli_dfe11000();
    std::string blocking = "N";
    FocusIfPossible(ui_.dbeNrInsJurNF);
    DataSet& nf = data_.cdsNotaFiscal;
    if (nf.Active() && nf.State() == DataSetState::Browse && !nf.IsEmpty()) nf.Edit();
    PesqFornecedor(false);
    st.stTodos = "T";
    const bool relations = FieldText(data_.cdsParamDFE, "IDUTRELACFORNAF") == "S";
    const bool noItems = !data_.cdsItemProduto.Active() || data_.cdsItemProduto.IsEmpty();
    if (st.stAuxiliaEntr == "N" && noItems && st.boImpAFParaXML && relations) {
        st.stIdNFImpAF = "S";
        st.stIDTPIJURFORN = FieldText(nf, "IDTPIJURNF");
        st.stNRINSJURFORN = FieldText(nf, "NRINSJURNF");
        st.stAuxiliaEntr = "X";
    }
    db::TADOIBQuery& list = lookups_.qryPesqForn;
    list.Close();
    if (st.stIdNFImpAF == "S" && relations) {
        if (FieldText(data_.cdsNFRelacAF, "CDFORNECED").empty()) form_.Loader().GetNFRelacAF();
        const std::string afSupplier = FieldText(data_.cdsNFRelacAF, "CDFORNECED");
        if (FieldText(data_.cdsParamForne, "CDFORNECED") != afSupplier && !afSupplier.empty())
            form_.Parameters().GetParamForn(afSupplier);
        if (FieldText(data_.cdsParamForne, "IDBLQNFRELAFOAF") == "S") blocking = "S";
        list.CopyFrom(lookups_.qryPesFornRelac);
    } else {
        list.CopyFrom(lookups_.qryPesFornNRelac);
    }
    SetParams(list, {{"P_IDTPIJURFORN", Variant(st.stIDTPIJURFORN)},
                     {"P_NRINSJURFORN", Variant(st.stNRINSJURFORN)},
                     {"P_IDBLQNFRELAFOAF", Variant(blocking)}});
    list.Open();
    if (st.stAuxiliaEntr == "X") {
        st.stIdNFImpAF = "N";
        st.stIDTPIJURFORN.clear();
        st.stNRINSJURFORN.clear();
        st.stAuxiliaEntr = "N";
    }
}

void ParticipantRules::btpFornecedorAfterPesq() {
    ModuleState& st = Cli_dfe11000();
    DataSet& nf = data_.cdsNotaFiscal;
    const db::TADOIBQuery& chosen = lookups_.qryPesqForn;
    SetWhileEditing(nf, "IDTPIJURNF", FieldText(chosen, "IDTPIJURFORN"));
    if (FieldText(nf, "CDFORNECED") != FieldText(chosen, "CDFORNECED"))
        SetWhileEditing(nf, "CDFORNECED", FieldText(chosen, "CDFORNECED"));
    SetWhileEditing(nf, "NRINSJURNF", FieldText(chosen, "NRINSJURFORN"));
    PesqFornecedor(true);
    st.stTodos = "N";
    if (OneOf(FieldText(nf, "IDORIGDESTNF"), {"C", "F"})) {
        st.stTp = FieldText(nf, "IDTPIJURNF");
        st.stNr = FieldText(nf, "NRINSJURNF");
    } else {
        st.stFili = FieldText(nf, "CDFILIEMIT");
    }
}

} // namespace dfe::dfe11000
