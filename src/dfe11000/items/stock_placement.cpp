// Where an item's goods enter stock: the product's default placement at the branch, the lot the electronic
// invoice names, and the placement dialog when the parameters want the clerk to say.
#include "dfe11000/dialogs/desc_estoq_prod_cli.h"
#include "dfe11000/header/header_controls.h"
#include "dfe11000/header/header_rules.h"
#include "dfe11000/items/item_rules.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/server/product_catalogue.h"
#include "platform/net/connection_references.h"

namespace dfe::dfe11000 {
namespace {

DateTime DateOf(const DataSet& ds, const char* field) {
    const Field* f = ds.FindField(field);
    return f && !f->IsNull() ? f->AsDateTime() : DateTime();
}

std::string DateText(DateTime date) {
    return date.IsEmpty() ? std::string() : date.Format("dd/mm/yyyy");
}

} // namespace

void ItemRules::SuggestDefaultPlacement() {
    DataSet& items = data_.cdsItemProduto;
    ModuleState& state = Cli_dfe11000();
    const std::string branch = FieldText(data_.cdsNotaFiscal, "CDFILIAL");
    const std::string stockProduct = FieldText(items, "CDPRODESTO");
    state.stSugAlmoEstPr = "S";
    if (!Produto_Ctrl_Estoque(form_, branch, stockProduct)) {
        state.stSugAlmoEstPr = "N";
        return;
    }
    data_.cdsProdFili.SetData(
        server_.Call(server_.netEstoque, "GetProdFiliNFE", net::CallArgs().Str(branch).Str(stockProduct)));
    const std::string warehouse = FieldText(data_.cdsProdFili, "CDALMOXARIFE");
    const std::string location = FieldText(data_.cdsProdFili, "CDLOCALESTOQ");
    if ((Utiliza_LocalEstoque(form_, branch) && location.empty()) ||
        (Utiliza_Almoxarifado(form_, branch) && warehouse.empty()))
        state.stSugAlmoEstPr = "N";
    if (state.stSugAlmoEstPr == "S") {
        EditFieldText(items, "CDALMOXARIFE", warehouse);
        EditFieldText(items, "CDLOCALESTOQ", location);
    }
}

bool ItemRules::StockPlacement(PlacementMoment moment) {
    DataSet& items = data_.cdsItemProduto;
    DataSet& header = data_.cdsNotaFiscal;
    ModuleState& state = Cli_dfe11000();
    const std::string stockProduct = FieldText(items, "CDPRODESTO");
    const std::string useLot = FieldText(data_.cdsParamDFE, "IDUTILLOTE");
    net::ConnectionReference stockHold(server_.References(), server_.netEstoque);
    net::ConnectionReference postingHold(server_.References(), server_.netLancNFEntrada);

    if (moment == PlacementMoment::LeavingProduct && items.State() == DataSetState::Insert) {
        items.FieldByName("CDALMOXARIFE").SetAsString(FieldText(header, "CDALMOXARIFE"));
        items.FieldByName("CDLOCALESTOQ").SetAsString(FieldText(header, "CDLOCALESTOQ"));
    }
    if (useLot != "S" && FieldText(data_.cdsParamDFE, "IDSUGALMLOESTPR") == "S") SuggestDefaultPlacement();

    state.stLoteProdXML.clear();
    state.stValLoteProdXML = DateTime();
    state.stFabLoteProdXML = DateTime();
    if (moment != PlacementMoment::ReturnRow && FieldText(data_.cdsParamDFE, "IDCTRLESTQ") == "S") {
        data_.cdsVerifLote.SetData(
            server_.Call(server_.netLancNFEntrada, "GetProdFili",
                         net::CallArgs().Str(FieldText(items, "CDFILIMOVI")).Str(stockProduct)));
        if (FieldText(data_.cdsVerifLote, "IDUTCTRLLOTE") == "S" && useLot == "S") ReadXmlLot();
    }

    const bool byHeader = state.stSugAlmox == "N" || (state.stSugAlmox == "S" && useLot == "S");
    const bool byProduct = state.stSugAlmoEstPr == "N" || (state.stSugAlmoEstPr == "S" && useLot == "S");
    if (!byHeader || !byProduct) return true;
    return PlacementDialog();
}

void ItemRules::ReadXmlLot() {
    const DataSet& header = data_.cdsNotaFiscal;
    ModuleState& state = Cli_dfe11000();
    const std::string key = FieldText(header, "NRACESSONFE");
    if (FieldText(header, "IDNFGERADAVIAXML") != "S" || key.empty()) return;
    data_.cdsDadosLoteXML.SetData(
        server_.Call(server_.netLancNFEntrada, "GetDadosLoteXML",
                     net::CallArgs().Str(key).Str(FieldText(data_.cdsItemProduto, "NRSEQITPROD"))));
    if (data_.cdsDadosLoteXML.IsEmpty()) return;
    state.stLoteProdXML = FieldText(data_.cdsDadosLoteXML, "NRLOTEPRODXML");
    state.stValLoteProdXML = DateOf(data_.cdsDadosLoteXML, "DTVALPRODXML");
    state.stFabLoteProdXML = DateOf(data_.cdsDadosLoteXML, "DTFABPRODXML");
}

bool ItemRules::PlacementDialog(bool asInserted) {
    DataSet& items = data_.cdsItemProduto;
    DataSet& header = data_.cdsNotaFiscal;
    const ModuleState& state = Cli_dfe11000();
    const std::string branch = FieldText(header, "CDFILIAL");
    const bool isReturn = FieldText(lookups_.qryTpOper, "IDOPERDEVONF") == "S";
    bool afPilot = false;
    if (header.State() != DataSetState::Insert) {
        afPilot = server_
                      .Call(server_.netLancNFEntrada, "GetVerifAfPiloto",
                            net::CallArgs().Str(branch).Str(FieldText(header, "NRLANCTONF")))
                      .AsBoolean();
    }
    const std::string kind = form_.Header().TipoOper().IDORIGDESTOP;
    const std::string participant = kind == "C"   ? FieldText(header, "CDCLIENTE")
                                    : kind == "L" ? FieldText(header, "CDFILIRECE")
                                                  : FieldText(header, "CDFORNECED");
    const db::TADOIBQuery& operation = lookups_.qryTipoOperac;
    const bool updatesStock = FieldText(operation, "IDATUESTTPOP") == "S";
    const bool originReturn = isReturn && FieldText(operation, "DSOPERNFORIG").find('S') != std::string::npos;
    const bool complement = form_.Header().CurrentType() == "03";

    StockPlacementArgs args;
    args.branch = branch;
    args.items = &items;
    args.operationType = ui_.dbeCdTipoOper->Text();
    args.participant = participant;
    args.remittanceSupplier = FieldText(header, "CDFORNECEDREME");
    args.xmlLot = state.stLoteProdXML;
    args.xmlManufactured = DateText(state.stFabLoteProdXML);
    args.xmlExpiry = DateText(state.stValLoteProdXML);
    args.flags.thirdParty = form_.Header().TipoOper().IDENTRTERCEIRO == "S";
    args.flags.afPilot = afPilot;
    args.flags.isReturn = isReturn;
    args.flags.useLot = FieldText(data_.cdsParamDFE, "IDUTILLOTE") == "S";
    args.flags.inserting = asInserted || items.State() == DataSetState::Insert;
    args.flags.useWarehouse = FieldText(data_.cdsParamDFE, "IDUTILALMOX") == "S";
    args.flags.useLocation = FieldText(data_.cdsParamDFE, "IDUTILLCESTQ") == "S";
    args.flags.keepOriginLot =
        FieldText(items, "IDITEMORIGEM") == "S" && !FieldText(items, "NRLOTEESTQ").empty();
    if (!updatesStock) {
        // Nothing enters stock: only a return of goods that went out, or a complement, names their lots.
        if (!originReturn && !complement) return true;
        args.flags.movesStock = false;
        args.flags.isReturn = true;
        const bool confirmed = DescEstoqProdCli(form_, server_.netEstoque, args);
        if (InEdit(items)) {
            items.FieldByName("CDALMOXARIFE").SetAsString(FieldText(header, "CDALMOXARIFE"));
            items.FieldByName("CDLOCALESTOQ").SetAsString(FieldText(header, "CDLOCALESTOQ"));
        }
        return confirmed;
    }
    if (originReturn || complement) args.flags.isReturn = true;
    return DescEstoqProdCli(form_, server_.netEstoque, args);
}

} // namespace dfe::dfe11000
