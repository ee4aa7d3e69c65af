// The product data dialog's rules: each row's product of the last level of the tree, its quantity and where
// it enters stock, and the server's generation of the stock entry with every answer it gives.
#include "dfe11000/dialogs/dados_produto_rules.h"

#include "dfe11000/dialogs/desc_estoq_prod_cli.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/server/server_gateway.h"
#include "platform/core/abort.h"
#include "platform/core/text.h"
#include "platform/net/answer_reader.h"
#include "support/btn_pesquisa.h"
#include "support/current_dialogs.h"
#include "support/db_picture.h"
#include "support/show_msg.h"
#include "support/zymora.h"

#include <array>
#include <string_view>

namespace dfe::dfe11000 {
namespace {

constexpr std::array<std::string_view, 2> kAnswerElements = {"status", "problems"};
constexpr net::AnswerLayout kGeraEntradaEstoqueAnswer{"GeraEntradaEstoque", kAnswerElements};

} // namespace

void DadosProdutoRules::Wire() {
    TfrmDadosProduto& d = dialog_;
    d.OnShow = [this](Form&) { FocusCell("CDARVPROD"); };
    d.dbgDadosProduto->OnColExit = [this](Component&) { dbgDadosProdutoColExit(); };
    d.dbgDadosProduto->OnEditButtonClick = [this](Component&) { dbgDadosProdutoEditButtonClick(); };
    d.cdsDadosProduto.BeforePost = [this](DataSet&) { cdsDadosProdutoBeforePost(); };
    d.bbtOK.OnClick = [this](Component&) { sbtConfirmaClick(); };
}

void DadosProdutoRules::Prepare(const OutsourcingEntry& entry) {
    entry_ = entry;
    boGerado = false;
    dialog_.cdsDadosProduto.EmptyDataSet();
}

void DadosProdutoRules::FocusCell(const char* field) {
    FlagDuring selecting(selecting_, true, false);
    dialog_.dbgDadosProduto->SetSelectedField(field);
    FocusIfPossible(dialog_.dbgDadosProduto);
}

void DadosProdutoRules::Refuse(const char* field, const char* code) {
    FocusCell(field);
    support::MensErro(dialog_.msgPadrao, code, true);
    ThrowAbort();
}

void DadosProdutoRules::Vd_Produto(bool required) {
    DataSet& ds = dialog_.cdsDadosProduto;
    const std::string code = text::Trim(FieldText(ds, "CDARVPROD"));
    if (code.empty()) {
        if (required) Refuse("CDARVPROD", "Prod_inf");
        return;
    }
    // Only a product of the tree's last level is stock.
    const support::TDBPicture picture = support::TDBPicture::FromMask(support::zymora::DBPict());
    if (picture.LevelOf(code) == 0) Refuse("CDARVPROD", "Prod_Nao_Cad");
    db::TADOIBQuery& query = dialog_.qryVdProduto;
    query.Close();
    query.ParamByName("P_CDARVPROD") = Variant(code);
    query.ParamByName("P_TTNIVEL") = Variant(int64_t{picture.GetTtNiveis()});
    query.Open();
    if (query.IsEmpty()) Refuse("CDARVPROD", "Prod_Nao_Cad");
    SetWhileEditing(ds, "CDPRODUTO", FieldText(query, "CDPRODUTO"));
    SetWhileEditing(ds, "NMPRODUTO", FieldText(query, "NMPRODUTO"));
}

bool DadosProdutoRules::Placed() const {
    const DataSet& ds = dialog_.cdsDadosProduto;
    return !FieldText(ds, "CDFILIMOVI").empty() || !FieldText(ds, "CDALMOXARIFE").empty();
}

bool DadosProdutoRules::PlaceRow() {
    const DataSet& row = posting_.data.cdsRomaneioNF;
    const DataSet& params = posting_.data.cdsParamDFE;
    StockPlacementArgs args;
    args.branch = FieldText(row, "CDFILIRECE");
    if (args.branch.empty()) args.branch = FieldText(row, "CDFILIAL");
    args.items = &dialog_.cdsDadosProduto;
    args.flags.inserting = dialog_.cdsDadosProduto.State() == DataSetState::Insert;
    args.flags.useLot = FieldText(params, "IDUTILLOTE") == "S";
    args.flags.useWarehouse = FieldText(params, "IDUTILALMOX") == "S";
    args.flags.useLocation = FieldText(params, "IDUTILLCESTQ") == "S";
    args.operationType = FieldText(row, "CDTIPOOPER");
    args.participant = FieldText(row, "IDTPIJURNF") + FieldText(row, "NRINSJURNF");
    return DescEstoqProdCli(posting_, *entry_.netEstoque, args);
}

void DadosProdutoRules::dbgDadosProdutoColExit() {
    if (selecting_ || !InEdit(dialog_.cdsDadosProduto)) return;
    Vd_Produto(false);
    const Field* field = dialog_.dbgDadosProduto->SelectedField();
    if (!field || field->FieldName() != "CDARVPROD" ||
        FieldText(dialog_.cdsDadosProduto, "CDARVPROD").empty() || Placed())
        return;
    // Given up, the row went with it: the clerk stays where he was.
    if (!PlaceRow()) ThrowAbort();
}

void DadosProdutoRules::dbgDadosProdutoEditButtonClick() {
    DataSet& ds = dialog_.cdsDadosProduto;
    if (!InEdit(ds)) ds.Edit();
    db::TADOIBQuery& query = dialog_.qryProduto;
    query.Close();
    query.ParamByName("P_TTNIVEL") =
        Variant(int64_t{support::TDBPicture::FromMask(support::zymora::DBPict()).GetTtNiveis()});
    query.Open();
    if (!support::Pesquisar_Plus(dialog_.msgPadrao.Msg("Produto"), dialog_.dtsProduto,
                                 {"CDARVPROD", "NMPRODUTO"}, dialog_.msgPadrao.Msg("Prod_NCad")))
        return;
    for (const char* name : {"CDARVPROD", "CDPRODUTO", "NMPRODUTO"})
        ds.FieldByName(name).SetAsString(FieldText(query, name));
}

void DadosProdutoRules::cdsDadosProdutoBeforePost() {
    Vd_Produto(true);
    const Field& quantity = dialog_.cdsDadosProduto.FieldByName("QTITEMPROD");
    if (quantity.IsNull()) Refuse("QTITEMPROD", "Quant_Inf");
    if (quantity.AsFloat() <= 0) Refuse("QTITEMPROD", "Quant_Inv");
    // A row never left from its product cell is placed before it is kept.
    if (!Placed() && !PlaceRow()) ThrowAbort();
}

void DadosProdutoRules::ShowProblems(const std::string& status, const Variant& problems) {
    // The clerk is told which products or documents stand in the way, not only that something does.
    std::string detail;
    if (problems.IsPacket()) {
        const Packet rows = FromDataPacket(problems.AsPacket());
        const int object = rows.FieldIndex("CDOBJETO"), tree = rows.FieldIndex("CDOBJETO2"),
                  why = rows.FieldIndex("CDOBJETO3");
        const auto text = [](const PacketRow& row, int index) {
            return index < 0 || row.values[static_cast<size_t>(index)].IsNull()
                       ? std::string()
                       : row.values[static_cast<size_t>(index)].AsString();
        };
        for (const PacketRow& row : rows.rows) {
            std::string what = status == "IrreEsto" ? text(row, tree) : text(row, object);
            if (what.empty()) what = text(row, object);
            detail += what + ": " + text(row, why) + "\n";
        }
    }
    support::CurrentDialogs().ShowError(ErrorRequest{dialog_.msgPadrao.Msg(status), detail, status});
    ThrowAbort();
}

void DadosProdutoRules::sbtConfirmaClick() {
    DataSet& ds = dialog_.cdsDadosProduto;
    if (InEdit(ds)) ds.CheckBrowseMode();
    if (ds.IsEmpty()) Refuse("CDARVPROD", "Prod_inf");
    const DataSet& list = posting_.data.cdsRomaneioNF;
    CallOptions options;
    options.busyText = dialog_.msgPadrao.Msg("GerandoEntrada");
    options.busyOn = &dialog_;
    // The server keeps the answer under the request's token, so a repeated call does not enter twice.
    options.retry = true;
    const Variant answer = posting_.server.Call(
        *entry_.netGeraMoviEstTer, "GeraEntradaEstoque",
        [&] {
            return net::CallArgs()
                .Str(FieldText(list, "CDFILIAL"))
                .Str(FieldText(list, "NRLANCTONF"))
                .Var(Variant(entry_.cdsNFsMarcadas->DataPacketBytes()))
                .Var(Variant(ds.DataPacketBytes()))
                .Str(support::zymora::Operador());
        },
        options);
    const net::AnswerReader reader(answer, kGeraEntradaEstoqueAnswer);
    const std::string status = reader.Text("status");
    if (status == "OK") {
        boGerado = true;
        support::ShowMsg(dialog_.msgPadrao, "NF_Sucess", DialogType::Information, mb::Ok);
        dialog_.SetModalResult(mr::Ok);
        return;
    }
    if (status == "IrreEsto" || status == "ErroAvis") ShowProblems(status, reader.Element("problems"));
    if (dialog_.msgPadrao.Has(status)) support::MensErro(dialog_.msgPadrao, status, true);
    // A code the table does not know is shown as the server wrote it.
    support::MensErro(status.empty() ? "GeraEntradaEstoque: resposta do servidor sem situação." : status,
                      true);
}

} // namespace dfe::dfe11000
