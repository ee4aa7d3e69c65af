// The customer and the issuing branch of the posting, the dispatch of the participant rules by page, the
// binding of the pages' shown fields, and the participant's place for other modules.
#include "dfe11000/header/document_rules.h"
#include "dfe11000/header/header_rules.h"
#include "dfe11000/header/participant_rules.h"
#include "dfe11000/items/charges.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/posting/editing_helpers.h"
#include "platform/data/handler_guard.h"
#include "support/consiste.h"
#include "support/show_msg.h"
#include "support/zymora.h"

namespace dfe::dfe11000 {

void ParticipantRules::Wire() {
    DBEdit& supplier = *ui_.dbeNrInsJurNF;
    supplier.OnEnter = [this](Component&) { dbeNrInsJurNFEnter(); };
    supplier.OnExit = [this](Component&) { dbeNrInsJurNFExit(); };
    supplier.OnChange = [this](Component&) { dbeNrInsJurNFChange(); };
    ui_.btpFornecedor->OnBeforePesq = [this](support::TBtnPesquisa&, bool&) { btpFornecedorBeforePesq(); };
    ui_.btpFornecedor->OnAfterPesq = [this](support::TBtnPesquisa&) { btpFornecedorAfterPesq(); };
    DBEdit& customer = *ui_.dbeNrInsJurClie;
    customer.OnEnter = [this](Component&) { dbeNrInsJurClieEnter(); };
    customer.OnExit = [this](Component&) { dbeNrInsJurClieExit(); };
    customer.OnChange = [this](Component&) { dbeNrInsJurClieChange(); };
    ui_.btpCliente->OnBeforePesq = [this](support::TBtnPesquisa&, bool&) { btpClienteBeforePesq(); };
    ui_.btpCliente->OnAfterPesq = [this](support::TBtnPesquisa&) { btpClienteAfterPesq(); };
    DBEdit& branch = *ui_.dbeCdFilial;
    branch.OnEnter = [this](Component&) { dbeNrInsJurNFEnter(); };
    branch.OnExit = [this](Component&) { dbeCdFilialExit(); };
    branch.OnChange = [this](Component&) { dbeCdFilialChange(); };
    ui_.btpFiliEmit->OnBeforePesq = [this](support::TBtnPesquisa&, bool&) { btpFiliEmitBeforePesq(); };
    ui_.btpFiliEmit->OnAfterPesq = [this](support::TBtnPesquisa&) { btpFiliEmitAfterPesq(); };
    ui_.nbkDestino->OnExit = [this](Component&) { nbkDestinoExit(); };
    // Registration numbers are shown with the mask of their person type.
    const auto masked = [](const char* number, const char* personType) {
        return [number, personType](DataSet& ds) {
            if (Field* field = ds.FindField(number)) {
                field->OnGetText = [&ds, personType](Field& f, std::string& text, bool) {
                    text =
                        support::FormatMaskText(support::PictPess(FieldText(ds, personType)), f.AsString());
                };
            }
        };
    };
    ChainHandler(lookups_.qryFornecedor.AfterOpen, masked("NRINSJURFORN", "IDTPIJURFORN"));
    ChainHandler(lookups_.qryPesqForn.AfterOpen, masked("NRINSJURFORN", "IDTPIJURFORN"));
    ChainHandler(lookups_.qryCliente.AfterOpen, masked("NRINSJURCLIE", "IDTPIJURCLIE"));
    ChainHandler(lookups_.qryFiliEmit.AfterOpen, masked("NRINSJURFILI", "IDTPIJURFILI"));
    // The recipient's registration follows its own person type.
    ChainHandler(lookups_.qryInscrEstad.AfterOpen, masked("NRINSJURIEST", "IDTPIJURIEST"));
}

void ParticipantRules::BindTag(int tag, DataSource* source) {
    for (Component* c : form_.Components()) {
        if (auto* edit = dynamic_cast<DBEdit*>(c); edit && edit->Tag() == tag) edit->SetDataSource(source);
    }
}

void ParticipantRules::PesqFornecedor(bool bind) {
    BindTag(kSupplierTag, bind ? lookups_.dtsFornecedor : nullptr);
}

void ParticipantRules::PesqCliente(bool bind) {
    BindTag(kCustomerTag, bind ? lookups_.dtsCliente : nullptr);
}

void ParticipantRules::PesqFilial(bool bind) {
    BindTag(kIssuingBranchTag, bind ? lookups_.dtsFiliEmit : nullptr);
}

// ---- Customer

void ParticipantRules::Vd_Cliente() {
    DataSet& nf = data_.cdsNotaFiscal;
    if (ui_.nbkDestino->PageIndex() != 0 || !InEdit(nf)) return;
    try {
        const std::string typed = ui_.dbeNrInsJurClie->Text();
        if (support::EmptyString(typed)) Refuse(ui_.dbeNrInsJurClie, "Clie_inf");
        Cli_dfe11000().stTodos = "N";
        SetWhileEditing(nf, "NRINSJURNF", support::Ajusta_Inscricao(typed));
        db::TADOIBQuery& customer = lookups_.qryCliente;
        customer.Close();
        customer.ParamByName("P_TODOS") = Variant("N");
        customer.ParamByName("P_NRINSJURCLIE") = Variant(FieldText(nf, "NRINSJURNF"));
        const std::string code = FieldText(nf, "CDCLIENTE");
        customer.ParamByName("P_CDCLIENTE") = code.empty() ? Variant::Null() : Variant(code);
        customer.ParamByName("P_TCDCLIENTE") = Variant::Null();
        customer.Open();
        if (customer.IsEmpty()) Refuse(ui_.dbeNrInsJurClie, "Cliente_Cad");
        AcceptCustomer();
        const DetachedHandler quiet(ui_.dbeNrInsJurClie->OnChange);
        SetNumberMask(FieldText(nf, "IDTPIJURNF"));
    } catch (...) {
        ShowRecordPageAndFocus(ui_.dbeNrInsJurClie);
        throw;
    }
}

void ParticipantRules::AcceptCustomer() {
    DataSet& nf = data_.cdsNotaFiscal;
    const db::TADOIBQuery& chosen = lookups_.qryCliente;
    SetWhileEditing(nf, "IDTPIJURNF", FieldText(chosen, "IDTPIJURCLIE"));
    if (FieldText(nf, "CDCLIENTE") != FieldText(chosen, "CDCLIENTE"))
        SetWhileEditing(nf, "CDCLIENTE", FieldText(chosen, "CDCLIENTE"));
    SetWhileEditing(nf, "NRINSJURNF", FieldText(chosen, "NRINSJURCLIE"));
    PesqCliente(true);
    Cli_dfe11000().stTodos = "N";
}

void ParticipantRules::dbeNrInsJurClieEnter() {
    dbeNrInsJurNFEnter();
}

void ParticipantRules::dbeNrInsJurClieChange() {
    if (InEdit(data_.cdsNotaFiscal)) lookups_.qryCliente.Close();
}

void ParticipantRules::dbeNrInsJurClieExit() {
    Vd_Cliente();
    AcceptedOnNewPosting();
}

void ParticipantRules::btpClienteBeforePesq() {
    FocusIfPossible(ui_.dbeNrInsJurClie);
    DataSet& nf = data_.cdsNotaFiscal;
    if (nf.Active() && nf.State() == DataSetState::Browse && !nf.IsEmpty()) nf.Edit();
    PesqCliente(false);
    Cli_dfe11000().stTodos = "T";
    db::TADOIBQuery& customer = lookups_.qryCliente;
    customer.Close();
    customer.ParamByName("P_TODOS") = Variant("T");
    customer.ParamByName("P_NRINSJURCLIE") = Variant::Null();
    customer.ParamByName("P_CDCLIENTE") = Variant::Null();
    customer.ParamByName("P_TCDCLIENTE") = Variant("T");
    customer.Open();
}

void ParticipantRules::btpClienteAfterPesq() {
    AcceptCustomer();
}

// ---- Issuing branch

void ParticipantRules::Vd_FiliEmit() {
    DataSet& nf = data_.cdsNotaFiscal;
    if (ui_.nbkDestino->PageIndex() != 2 || !InEdit(nf)) return;
    try {
        const std::string typed = ui_.dbeCdFilial->Text();
        if (support::EmptyString(typed))
            Refuse(ui_.dbeCdFilial, "Forn_Inf",
                   FillPercentS(form_.msgPadrao.Msg("Forn_Inf"), form_.msgPadrao.Msg("L")));
        Cli_dfe11000().stTodos = "N";
        SetWhileEditing(nf, "CDFILIEMIT", support::Ajusta(typed, 4));
        db::TADOIBQuery& branch = lookups_.qryFiliEmit;
        branch.Close();
        branch.ParamByName("P_CDFILIAL") = Variant(FieldText(nf, "CDFILIEMIT"));
        branch.Open();
        if (branch.IsEmpty()) Refuse(ui_.dbeCdFilial, "Filial_Cad");
        AcceptIssuingBranch();
    } catch (...) {
        ShowRecordPageAndFocus(ui_.dbeCdFilial);
        throw;
    }
}

void ParticipantRules::AcceptIssuingBranch() {
    DataSet& nf = data_.cdsNotaFiscal;
    if (nf.Active() && nf.State() == DataSetState::Browse && !nf.IsEmpty()) nf.Edit();
    const db::TADOIBQuery& chosen = lookups_.qryFiliEmit;
    SetWhileEditing(nf, "CDFILIEMIT", FieldText(chosen, "CDFILIAL"));
    SetWhileEditing(nf, "NRINSJURNF", FieldText(chosen, "NRINSJURFILI"));
    SetWhileEditing(nf, "IDTPIJURNF", FieldText(chosen, "IDTPIJURFILI"));
    PesqFilial(true);
    Cli_dfe11000().stTodos = "N";
}

void ParticipantRules::dbeCdFilialChange() {
    lookups_.qryFiliEmit.Close();
}

void ParticipantRules::dbeCdFilialExit() {
    Vd_FiliEmit();
    AcceptedOnNewPosting();
}

// A customer or issuing branch accepted on a new posting gives it its defaults, a model when none was typed,
// and its charge lines.
void ParticipantRules::AcceptedOnNewPosting() {
    if (data_.cdsNotaFiscal.State() != DataSetState::Insert) return;
    NewPostingDefaults();
    if (support::EmptyString(ui_.dbeModDocFis->Text())) {
        DefaultModel(false);
        form_.Document().ShowModelPages(FieldText(data_.cdsNotaFiscal, "CDMODDOCFISC"));
    }
    form_.Charges().AddChargeLines();
}

void ParticipantRules::btpFiliEmitBeforePesq() {
    PesqFilial(false);
    Cli_dfe11000().stTodos = "T";
    lookups_.qryFiliEmit.Close();
    lookups_.qryFiliEmit.ParamByName("P_CDFILIAL") = Variant::Null();
    lookups_.qryFiliEmit.Open();
}

void ParticipantRules::btpFiliEmitAfterPesq() {
    AcceptIssuingBranch();
}

// ---- Dispatch

void ParticipantRules::Vd_Origem() {
    switch (ui_.nbkDestino->PageIndex()) {
    case 0:
        Vd_Cliente();
        break;
    case 1:
        Vd_Fornecedor(false);
        break;
    default:
        Vd_FiliEmit();
        break;
    }
}

void ParticipantRules::nbkDestinoExit() {
    if (!InEdit(data_.cdsNotaFiscal)) return;
    switch (ui_.nbkDestino->PageIndex()) {
    case 2:
        Vd_FiliEmit();
        if (FieldText(data_.cdsNotaFiscal, "CDFILIEMIT") == support::zymora::FiliProc())
            Refuse(ui_.dbeCdFilial, "Fili_Inf_Inv");
        break;
    case 0:
        Vd_Cliente();
        break;
    default:
        // An authorization imported without a supplier lets the number stay empty.
        Vd_Fornecedor(!AFWithoutSupplier());
        break;
    }
}

// Only the supplier page requires a supplier; every page's number must be free.
void ParticipantRules::Panel9Exit() {
    if (!InEdit(data_.cdsNotaFiscal)) return;
    if (ui_.nbkDestino->PageIndex() == 1) Vd_Fornecedor(true);
    form_.Document().Valida_Numero();
}

void ParticipantRules::EndeOrigDest(std::string& country, std::string& state, std::string& municipality,
                                    std::string& recipientCountry, std::string& recipientState) {
    const std::string kind = FieldText(lookups_.qryTipoOperac, "IDORIGDESTOP");
    const DataSet* source = kind == "C"   ? static_cast<const DataSet*>(&lookups_.qryCliente)
                            : kind == "F" ? static_cast<const DataSet*>(&lookups_.qryFornecedor)
                            : kind == "L" ? static_cast<const DataSet*>(&lookups_.qryFiliEmit)
                                          : nullptr;
    if (source) {
        country = FieldText(*source, "CDPAIS");
        state = FieldText(*source, "SGESTADO");
        municipality = FieldText(*source, "CDMUNICIPIO");
    }
    recipientCountry = FieldText(lookups_.qryInscrEstad, "CDPAIS");
    recipientState = FieldText(lookups_.qryInscrEstad, "SGESTADO");
}

} // namespace dfe::dfe11000
