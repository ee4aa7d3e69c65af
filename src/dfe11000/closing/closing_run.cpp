// A closing run up to the server's answer: the checks in their order, then the whole posting sent.
#include "dfe11000/closing/closing_rules.h"
#include "dfe11000/closing/error_list.h"
#include "dfe11000/closing/release_rules.h"
#include "dfe11000/header/access_key_rules.h"
#include "dfe11000/header/document_rules.h"
#include "dfe11000/header/header_rules.h"
#include "dfe11000/header/origin_rules.h"
#include "dfe11000/header/participant_rules.h"
#include "dfe11000/header/transport_rules.h"
#include "dfe11000/items/item_rules.h"
#include "dfe11000/items/payables.h"
#include "dfe11000/items/taxes.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/posting/posting_editor.h"
#include "dfe11000/posting/posting_list.h"
#include "dfe11000/posting/posting_loader.h"
#include "dfe11000/server/inventory_check.h"
#include "dfe11000/server/module_parameters.h"
#include "platform/core/abort.h"
#include "platform/data/packet.h"
#include "platform/net/closing_calls.h"
#include "support/show_msg.h"
#include "support/zymora.h"

#include <algorithm>
#include <vector>

namespace dfe::dfe11000 {
namespace {

const std::vector<std::string> kMessages = {
    "Item_Cad|Ao menos um item deve ser informado.",
    "Itens_Inf|Informe as notas fiscais de remessa.",
    "ItemSemNF_Inf|Informe as entradas sem nota fiscal.",
    "Forn_Vista|Fornecedor sem forma de pagamento definida: os vencimentos serão gerados à vista.",
    "VrNota_zero|Valor da nota fiscal igual a zero: nenhum vencimento será gerado.",
    "FechaNF|Fechando a nota fiscal ...",
};

const std::vector<std::string> kMessages2 = {
    "Mens_Adic|Mensagem deve ser informada.",
    "Obriga_Natureza|Natureza do frete deve ser informada.",
    "Rat_Aut|O lançamento já possui rateio. Deseja manter o rateio informado?",
    "NF_N_APROV|Não foi possível efetuar a aprovação da nota fiscal.",
    "Valid_Cod_Benef|O código de benefício fiscal informado não foi validado para a operação.",
    "BtnOK|OK",
    "Rat_Manual|Deseja efetuar o rateio manual do lançamento?",
    "AprovaNF|Aprovando a nota fiscal ...",
    "sem_vigencia|Não há versão de análise em vigência para a data do lançamento.",
};

// A delta that carries nothing goes as null.
Variant DeltaOf(const DataSet& ds) {
    return ds.Active() ? ds.DeltaVariant() : Variant::Null();
}

Variant AllOf(const DataSet& ds) {
    return ds.Active() ? Variant(ds.DataPacketBytes()) : Variant::Null();
}

void PostIfEditing(DataSet& ds) {
    if (ds.Active() && InEdit(ds)) ds.Post();
}

} // namespace

ClosingRules::ClosingRules(TfrmLancNFEntrada& form) : ModulePart(form) {
    form_.msgPadrao.AddLines(kMessages);
    form_.msgPadrao2.AddLines(kMessages2);
}

bool ClosingRules::FechaNotaFiscal(const std::string& releaseCodes) {
    // A closing run again from inside this one (the supplier-limit question) may close the posting; this run
    // then only unwinds.
    struct Depth {
        int& depth;
        ~Depth() { --depth; }
    } depth{++depth_};
    const int mine = depth_;
    if (mine == 1) closedAtDepth_ = 0;
    Prepare();
    net::FechaNotaFiscalArgs args;
    bool called = false;
    try {
        ReleaseOrUndo();
        if (form_.pgcPadrao.ActivePage() == ui_.tshVencimento) PostIfEditing(data_.cdsContaPagar);
        CheckHeader();
        CheckItems();
        CheckRelease();
        CheckRemainingHeader();
        PostForCall();
        CollectArguments(args, releaseCodes);
        AskApportionment(args);
        called = true;
        CallServer(args);
        data_.cdsNotaFiscalAux.CopyDataFrom(data_.cdsNotaFiscal);
        form_.closingFlags.boBaseMensal = false;
        apportionByHand_ = args.apportionB;
        if (!form_.Errors().Existe_Erro()) {
            Succeeded();
            Tail();
            closedAtDepth_ = mine;
            return true;
        }
        Failed();
        Tail();
        return false;
    } catch (...) {
        if (closedAtDepth_ <= mine) Abandoned(called);
        throw;
    }
}

// ---- Steps 1 to 4

void ClosingRules::Prepare() {
    ModuleState& st = Cli_dfe11000();
    if (GridColumn* origin = ui_.dbgItemProduto->FindColumn("QTITEMORIG"))
        origin->SetVisible(form_.Header().TipoOper().IDNFRETIND == "S");
    st.boAlteraNF = false;
    form_.closingFlags.boAvisaOcorrencia = true;
    form_.closingFlags.stOfereceRateio = "S";
    ui_.scbFormulario->SetVertScrollPosition(0);
}

// An edited posting the server already closed asks the release again; refused, every change is undone.
void ClosingRules::ReleaseOrUndo() {
    if (data_.cdsNotaFiscal.State() == DataSetState::Insert || !form_.closingFlags.boPedeSenhaFech) return;
    try {
        form_.Release().SenhaLiberacao();
    } catch (...) {
        for (DataSet* ds :
             {&data_.cdsItemProduto, &data_.cdsItemEncargo, &data_.cdsDadosAdic, &data_.cdsContaPagar,
              &data_.cdsTrabImposNFTot, &data_.cdsItemNotaFisc, &data_.cdsNFRelacAF}) {
            if (!ds->Active()) continue;
            if (InEdit(*ds)) ds->Cancel();
            ds->CancelUpdates();
        }
        for (DataSet* ds : {&data_.cdsRomaneioNF, &data_.cdsNotaFiscal})
            if (ds->Active() && InEdit(*ds)) ds->Cancel();
        {
            const FlagDuring changing(Cli_dfe11000().boAlteraNF, true, false);
            form_.Editing().ControlaBotoes(*data_.dtsNotaFiscal);
            form_.List().cdsRomaneioNFAfterOpen();
        }
        ThrowAbort();
    }
}

// ---- Steps 5 to 7

void ClosingRules::CheckHeader() {
    if (ui_.dbeCdTipoOper->Enabled()) {
        form_.Header().Vd_Empresa(true);
        form_.Header().Vd_TpOper();
    }
    switch (ui_.nbkDestino->PageIndex()) {
    case 0:
        form_.Participants().Vd_Cliente();
        break;
    case 1:
        form_.Participants().Vd_Fornecedor(true);
        break;
    default:
        form_.Participants().Vd_FiliEmit();
        break;
    }
    form_.Document().Vd_Serie();
    form_.Document().Vd_Numero();
    form_.Document().Vd_DataEmiss(true);
    form_.AccessKey().Vd_DataEmissXML();
    form_.Document().Vd_DataEntr(true, false);

    Control* active = form_.ActiveControl();
    if (active == ui_.dbgItemProduto || active == ui_.dbgItemsNFForn) {
        form_.Items().GridExit(*static_cast<DBGrid*>(active));
        const FlagDuring generating(Cli_dfe11000().boAlteraNF, true, false);
        if (data_.cdsItemProduto.Active() && !data_.cdsItemProduto.IsEmpty()) form_.Taxes().CriaImpostos();
    }
    form_.Document().Vd_ValorNF();
    form_.Payables().Vd_DataVenc();
    form_.Document().grbFornecedorExit();
    form_.Origin().Vd_NFOrigObrig();
}

// ---- Steps 8 to 16

void ClosingRules::CheckItems() {
    form_.Parameters().GetParamGeral();
    const DataSet& header = data_.cdsNotaFiscal;
    const OperationType type = form_.Header().TipoOper();
    if (FieldText(header, "IDNFGERADAVIAXML") == "S" && !FieldText(header, "NRACESSONFE").empty() &&
        FieldText(data_.cdsParamGeral, "IDUTCFOPXMLLANNF") == "S" && type.IDCMPVNDBONI != "S")
        form_.AccessKey().Vd_CFOPXML_TIPOOPER();

    const std::string& code = form_.Header().CurrentType();
    DataSet& items = data_.cdsItemProduto;
    DataSet& related = data_.cdsItemNotaFisc;
    const bool noItems = !items.Active() || items.IsEmpty();
    const bool noRelated = !related.Active() || related.IsEmpty();
    const bool otherInvoices = FieldText(data_.cdsParamDFE, "IDNFOUTRASNF") == "S" && code == "11";
    const auto stop = [this](int page, Notebook* book, Control* focus, const char* message) {
        form_.pgcPadrao.SetActivePage(&form_.tshFormulario);
        book->SetPageIndex(page);
        FocusIfPossible(focus);
        support::MensErro(form_.msgPadrao, message, true);
    };
    if (noItems && code != "05" && !otherInvoices) {
        ui_.dbgItemProduto->SetSelectedField("CDARVPROD");
        stop(0, ui_.nbkItensNF, ui_.dbgItemProduto, "Item_Cad");
    }
    if (!otherInvoices && noRelated && code == "05")
        stop(1, ui_.nbkItensNF, ui_.dbgItemNotaFisc, "Itens_Inf");
    if (!otherInvoices && noRelated && code == "11")
        stop(1, ui_.nbkTransport, ui_.dbgItemSemNF, "ItemSemNF_Inf");
    if (noItems && code == "11" && header.State() == DataSetState::Insert && noRelated) {
        if (!related.Active()) related.CreateDataSet();
        related.Append();
        support::MensErro(form_.msgPadrao, "Lanc_Inf", true);
    }
    if (OneOf(code, {"03", "05", "11"})) PostIfEditing(related);

    form_.Header().ReopenTipoOperacForCurrent();
    GenerateMissingInstallments();

    form_.Editing().ValidaCampos();
    if (form_.Origin().DevolucaoOrigem()) {
        bool anyQuantity = false;
        for (int row = 1; row <= items.RecordCount() && !anyQuantity; ++row)
            items.ReadRecordAt(row, [&] { anyQuantity = items.FieldByName("QTITEMPROD").AsFloat() > 0; });
        if (!anyQuantity) {
            FocusIfPossible(ui_.dbgItemsNFForn);
            support::MensErro(form_.msgPadrao, "Quant_Inv", true);
        }
    }
    PostIfEditing(items);
    CheckFiscalControl();
}

void ClosingRules::GenerateMissingInstallments() {
    const DataSet& header = data_.cdsNotaFiscal;
    const DataSet& installments = data_.cdsContaPagar;
    const db::TADOIBQuery& type = lookups_.qryTipoOperac;
    const bool empty = !installments.Active() || installments.IsEmpty();
    const bool generates = FieldText(type, "IDGERAVENC") != "N" || Cli_dfe11000().boVencAF;
    if (FieldText(data_.cdsParamGeral, "IDCALCVRTOTANFE") == "S" || !empty ||
        FieldText(type, "IDUTILVENC") == "N" || !generates ||
        !OneOf(FieldText(header, "IDORIGDESTNF"), {"F", ""}))
        return;
    const Field* value = header.FindField("VRNOTAFISC");
    if (value && !value->IsNull() && value->AsFloat() != 0) {
        if (FieldText(lookups_.qryFornecedor, "IDTPFORPGTFO").empty())
            support::ShowMsg(form_.msgPadrao, "Forn_Vista", DialogType::Information, mb::Ok);
        form_.Payables().GravaVencimento();
    } else {
        support::ShowMsg(form_.msgPadrao, "VrNota_zero", DialogType::Information, mb::Ok);
    }
}

void ClosingRules::CheckFiscalControl() {
    const OperationType type = form_.Header().TipoOper();
    if (type.IDOPERDEVONF == "S" || form_.Header().CurrentType() == "03") return;
    if (type.IDNFESTCANC == "S" || !form_.Items().FiscalControl()) return;
    if (FieldText(data_.cdsParamForne, "IDSIMPLESNACIONAL") != "S" && type.IDOBINFCSTICMENT == "S")
        form_.Items().Vd_CstItem();
    if (type.IDOBINFCSTCFOPEN == "S" && form_.Items().FiscalControl()) form_.Items().Vd_CfopItem();
}

// ---- Steps 17 to 19

void ClosingRules::CheckRelease() {
    form_.pgcPadrao.SetActivePage(&form_.tshFormulario);
    Control* participant = ui_.nbkDestino->PageIndex() == 0   ? static_cast<Control*>(ui_.dbeNrInsJurClie)
                           : ui_.nbkDestino->PageIndex() == 1 ? static_cast<Control*>(ui_.dbeNrInsJurNF)
                                                              : static_cast<Control*>(ui_.dbeCdFilial);
    FocusIfPossible(participant->Enabled() ? participant : ui_.dbeSerie);
    ModuleState& st = Cli_dfe11000();
    try {
        Confirma_Liberacao(form_, ui_.medCdFilial->Text(), st.boAltLiberacao,
                           data_.cdsNotaFiscal.FieldByName("DTENTRSAID").AsDateTime());
        if (!st.boAlteraLib) form_.Release().Verif_Liberacao();
    } catch (...) {
        FocusIfPossible(ui_.dbdEntrSaid);
        throw;
    }
}

void ClosingRules::CheckRemainingHeader() {
    DataSet& header = data_.cdsNotaFiscal;
    const OperationType type = form_.Header().TipoOper();
    if (type.IDNFESTCANC == "S") {
        PostIfEditing(data_.cdsDadosAdic);
        if (FieldText(data_.cdsDadosAdic, "DSDADOADIC").empty()) {
            FocusIfPossible(ui_.dbgDadosAdic);
            support::MensErro(form_.msgPadrao2, "Mens_Adic", true);
        }
    }
    const std::string model = FieldText(header, "CDMODDOCFISC");
    if (OneOf(model, {"57", "67", "63"})) {
        ui_.nbkCte->SetPageIndex(0);
        form_.Transport().Vd_IBGE();
        const std::string kind = ui_.cbbTipoCte->Text();
        SetWhileEditing(header, "CDTIPOCTE", kind.empty() ? std::string("0") : kind.substr(0, 1));
    }
    if (model == "66") {
        ui_.nbkCte->SetPageIndex(1);
        form_.Transport().Vd_DestinoNF3e();
    }
    if (InEdit(header) && OneOf(model, {"07", "08", "8B", "09", "10", "11", "26", "27", "57", "63", "67"})) {
        form_.Parameters().GetParamEmpresa(FieldText(header, "CDEMPRESA"));
        DBComboBox& nature = *ui_.cbbNatFreteCTe;
        if (nature.Text().empty() || nature.ItemIndex() <= 0) {
            if (FieldText(data_.cdsParamEmpresa, "IDOBRIGNATFRETE") != "S") {
                header.FieldByName("IDNATFRETECTE").SetAsString("9");
            } else {
                FocusIfPossible(&nature);
                support::MensErro(form_.msgPadrao2, "Obriga_Natureza", true);
            }
        }
    }
    if (!FieldText(header, "CDMODDOCARREC").empty()) form_.Transport().Vd_ModDocArrecad();
}

// The header is stored before the call; a later abandon puts it back into edit.
void ClosingRules::PostForCall() {
    DataSet& header = data_.cdsNotaFiscal;
    Cli_dfe11000().boIncluiFiltro = false;
    headerWasEdited_ = header.State() == DataSetState::Edit;
    PostIfEditing(header);
    PostIfEditing(data_.cdsItemEncargo);
    RemoveMarkedRows();
    CheckProductsBySupplier();
    form_.Transport().Vd_Estado();
    form_.Transport().Vd_Municipio();
}

void ClosingRules::RemoveMarkedRows() {
    const auto removeMarked = [](DataSet& ds) {
        if (!ds.Active() || ds.ChangeCount() == 0) return;
        ControlsPause quiet(ds);
        ds.First();
        while (!ds.Eof()) {
            if (FieldText(ds, "IDDELETE") == "S") {
                ds.Delete();
            } else {
                ds.Next();
            }
        }
    };
    removeMarked(data_.cdsNFRelacAF);
    const FlagDuring manipulating(Cli_dfe11000().boManipStatus, true, false);
    removeMarked(data_.cdsItemProduto);
}

// A posting moved to another state or municipality is checked again against the supplier's product rules.
void ClosingRules::CheckProductsBySupplier() {
    const DataSet& header = data_.cdsNotaFiscal;
    const DataSet& loaded = data_.cdsNotaFiscalAux;
    if (!headerWasEdited_) return;
    if (FieldText(header, "CDMUNICIPIO") == FieldText(loaded, "CDMUNICIPIO") &&
        FieldText(header, "SGESTADO") == FieldText(loaded, "SGESTADO"))
        return;
    if (form_.Parameters().SupplierString() != "UTILIZA PRODXFORNDDF") return;
    std::string state = FieldText(header, "SGESTADO");
    std::string municipality = FieldText(header, "CDMUNICIPIO");
    if (state.empty() || municipality.empty()) {
        state = FieldText(lookups_.qryInscrEstad, "SGESTADO");
        municipality = FieldText(lookups_.qryInscrEstad, "CDMUNICIPIO");
    }
    DataSet& items = data_.cdsItemProduto;
    DataSet& rules = data_.cdsProdXFornDF;
    for (items.First(); !items.Eof(); items.Next()) {
        const std::vector<Variant> key = {Variant("E"),
                                          Variant(ui_.dbeCdTipoOper->Text()),
                                          Variant(FieldText(lookups_.qryFornecedor, "CDFORNECED")),
                                          Variant(FieldText(items, "CDPRODUTO")),
                                          Variant("S"),
                                          Variant("0055"),
                                          Variant(state),
                                          Variant(municipality)};
        if (rules.Active() &&
            rules.Locate("IDENTRSAIDOP;CDTIPOOPER;CDFORNECED;CDPRODUTO;IDUTILIZA;CDPAIS;SGESTADO;CDMUNICIPIO",
                         key))
            continue;
        FocusIfPossible(ui_.dbgItemProduto);
        ui_.dbgItemProduto->SetSelectedField("CDARVPROD");
        support::MensErro(form_.msgPadrao2, "ProdXFornDF_N_Cad", true);
    }
}

// ---- Steps 23 to 26

void ClosingRules::CollectArguments(net::FechaNotaFiscalArgs& args, const std::string& releaseCodes) {
    ModuleState& st = Cli_dfe11000();
    DataSet& header = data_.cdsNotaFiscal;
    DataSet& totals = data_.cdsTrabImposNFTot;
    // Totals the clerk did not touch are sent as seen, so the server checks them.
    if (totals.Active() && !totals.IsEmpty() && totals.ChangeCount() == 0) {
        totals.Edit();
        totals.FieldByName("IDAVISOSTOT").SetAsString("01");
        totals.Post();
    }
    form_.Errors().ClearLists();

    const DateTime entry = header.FieldByName("DTENTRSAID").AsDateTime().DatePart();
    const DateTime processing = st.dtDataProc.DatePart();
    const DateTime evolved = st.dtEvolEstoq;
    args.header = DeltaOf(header);
    args.items = DeltaOf(data_.cdsItemProduto);
    args.relatedDocuments = AllOf(data_.cdsItemNotaFisc);
    args.charges = DeltaOf(data_.cdsItemEncargo);
    args.installments = DeltaOf(data_.cdsContaPagar);
    args.additionalData = DeltaOf(data_.cdsDadosAdic);
    args.itemTaxes = AllOf(data_.cdsTrabItProImpos);
    args.taxTotals = AllOf(totals);
    args.authorizationLinks = DeltaOf(data_.cdsNFRelacAF);
    args.allItems = AllOf(data_.cdsItemProduto);
    args.receivingBranch = FieldText(header, "CDFILIRECE");
    args.entryDate = entry;
    args.onlineStock = FieldText(data_.cdsParamDFE, "IDESTONLINE");
    args.stockFrom = entry < evolved ? entry : evolved;
    args.stockTo = std::max(std::max(entry, processing), evolved);
    args.stockPosting = FieldText(data_.cdsRomaneioNF, "NRLANCESTQ");
    const Field* products = header.FindField("VRPRODUTOS");
    args.productsValue = products ? products->AsFloat() : 0;
    args.releaseCodes = releaseCodes;
    args.operationType = FieldText(header, "CDTIPOOPER");
    args.operatorCode = support::zymora::Operador();
    args.otherInvoices = FieldText(data_.cdsParamDFE, "IDNFOUTRASNF");
    args.series = FieldText(header, "CDSERIEENTR");
    args.branchInProcess = support::zymora::FiliProc();
    args.generateReturn = form_.closingFlags.boGeraDevolucao;
    const Field* value = header.FindField("VRNOTAFISC");
    args.documentValue = value ? value->AsFloat() : 0;
    const OperationType type = form_.Header().TipoOper();
    args.returnFlag = Variant(type.IDOPERDEVONF);
    args.destinationIsBranch = ui_.nbkDestino->PageIndex() == 2;
    args.integrationCode = FieldText(header, "CDINTEGRACAO");
    args.nfeItems = Variant::Null();
    args.apportionA = "N";
    args.apportionB = "P";
    args.reversalFlag = Variant(type.IDNFESTCANC);
    args.hideCredited = FieldText(data_.cdsParamDFE, "IDPERVISIMPSCRE");
    args.danfeStamp.clear();
    args.showNfeInfo = st.stShowInfoNFE;
    args.supplierLimit = st.stLimitForn;
}

void ClosingRules::AskApportionment(net::FechaNotaFiscalArgs& args) {
    const DataSet& header = data_.cdsNotaFiscal;
    if (FieldText(header, "NRLANCTONF") == "NOVOCODIGO") return;
    CallOptions options;
    options.busyText = form_.msgPadrao.Msg("FechaNF");
    data_.cdsRateioNF.SetData(server_.Call(
        server_.netLancNFEntrada, "GetRateioNF",
        net::CallArgs().Str(FieldText(header, "CDFILIAL")).Str(FieldText(header, "NRLANCTONF")), options));
    args.apportionA = "S";
    if (FieldText(lookups_.qryTipoOperac, "IDREARATMANNF") == "S" || data_.cdsRateioNF.IsEmpty()) {
        args.apportionB = "N";
        return;
    }
    const int keep = support::ShowMsg(form_.msgPadrao2, "Rat_Aut", DialogType::Confirmation, mb::YesNo);
    args.apportionB = keep == mr::Yes ? "N" : "S";
}

void ClosingRules::CallServer(net::FechaNotaFiscalArgs& args) {
    CallOptions options;
    options.busyText = form_.msgPadrao.Msg("FechaNF");
    options.retry = true;
    // Each attempt sends the same posting; the server answers a repeat from its record.
    const net::FechaNotaFiscalArgs sent = args;
    const Variant answer = server_.Call(
        server_.netLancNFEntrada, net::FechaNotaFiscalArgs::kMethod,
        [&] {
            args = sent;
            return net::ToCallArgs(args);
        },
        options);
    data_.cdsErrosFech.SetData(answer);
    Cli_dfe11000().boHabEtiq = true;
}

void ClosingRules::Abandoned(bool afterCall) {
    ModuleState& st = Cli_dfe11000();
    if (afterCall && data_.cdsNotaFiscal.Active()) data_.cdsNotaFiscalAux.CopyDataFrom(data_.cdsNotaFiscal);
    st.boAlteraNF = true;
    st.boInsert = false;
    st.boAtuaNovoCod = false;
    st.boAlteraNumNF = false;
    DataSet& header = data_.cdsNotaFiscal;
    if (header.Active() && header.State() == DataSetState::Browse && !header.IsEmpty()) header.Edit();
}

} // namespace dfe::dfe11000
