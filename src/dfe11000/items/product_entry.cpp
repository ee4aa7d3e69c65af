// The product of an item row: its three search sources and the ordered checks that accept it.
#include "dfe11000/header/header_controls.h"
#include "dfe11000/header/header_rules.h"
#include "dfe11000/header/origin_rules.h"
#include "dfe11000/items/item_rules.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/posting/posting_loader.h"
#include "dfe11000/server/module_parameters.h"
#include "dfe11000/server/product_catalogue.h"
#include "platform/core/abort.h"
#include "support/btn_pesquisa.h"
#include "support/db_picture.h"
#include "support/show_msg.h"

namespace dfe::dfe11000 {
namespace {

const std::vector<std::string> kMessages = {
    "Prod_Inf|Código deve ser informado.",
    "Prod_Incomp|Produto deve ser informado com nivel completo.",
    "Prod_Cad|Produto não cadastrado ou inativo para a filial.",
    "ProdNFOrigem_Cad|Produto não cadastrado na nota fiscal informada.",
    "Prod_Est|Produto de estoque não pode ser informado em NF de compra.",
    "Produto|Produto",
    "Quant_Inf|Quantidade deve ser informada.",
    "Quant_Inv|Quantidade deve ser maior que zero.",
    "Quant_Inv_<0|Quantidade deve ser maior que ou igual a zero.",
    "ValorUnit_Inf|Valor unitário deve ser informado.",
    "ValorUnit_Inv|Valor unitário deve ser maior que zero",
    "ValorTotal_Inf|Valor total deve ser informado.",
    "ValorTotal_Inv|Valor total deve ser maior que zero.",
    "PercDesc_Inv|Valor do desconto deve estar entre zero e cem.",
    "Prod_LancAF|O produto somente poderá ser lançado na Nota fiscal quando o mesmo for oriundo de uma "
    "Autorização de Fornecimento.",
    "Situ|O preço unitário deste produto pode estar irregular. Valores:",
    "UltCom|Última compra :",
    "VrProd|Valor do produto :",
    "Btn1|Confirmar",
    "Btn2|Abandonar",
    "Excl_Item|Confirma exclusão do produto?",
    "Cancel_Item|Confirma cancelamento da exclusão?",
    "Prod_Audit|Item não pode ser excluído. Existe auditoria para o mesmo.",
};

const std::vector<std::string> kMessages2 = {
    "Desc_Men|Desconto do item deve ser menor que o valor total do item.",
    "Cst_Inf|Situação tributária (CST) do item deve ser informada.",
    "Cst_Inv|Situação tributária (CST) do item deve ter 3 digitos.",
    "Cfop_Inf|Código fiscal da operação (CFOP) do item deve ser informada.",
    "Cfop_Inv|Código fiscal da operação (CFOP) do item deve ter 4 digitos.",
    "PROD_DUP|Operação Bloqueada! Produto oriundo da nota fiscal de origem.",
    "Prod_N_Rel_serv|Produto não relacionado ao código de serviço informado.",
    "Produto_Serv|Não há produto cadastrado para o serviço informado.",
    "ProdXFornDF_N_Cad|Fornecedor utiliza rotina de produto por fornecedor e este produto não está "
    "relacionado nesta parametrização. Favor verificar a tela de Produto x Fornecedor (Documentos Fiscais).",
    "Etiq_Usad|Operação Bloqueada! Este produto possui etiquetas já utilizadas.",
    "Etiq_Conf|Este produto possui etiquetas, confirmando a alteração da quantidade as etiquetas serão "
    "regeradas. Deseja regerar?",
    "Quant_Devo_Inv|Quantidade deve ser menor ou igual à quantidade original. Favor verificar pois este "
    "produto já pode ter sido utilizado em outra nota fiscal que utiliza o mesmo documento de origem.",
    "BLOQ_DEL_ITEM_ORIGEM|Operação Bloqueada! Item não pode ser excluído pois é oriundo da nota fiscal de "
    "origem.",
};

void CopyFields(DataSet& to, const DataSet& from, std::initializer_list<const char*> names) {
    for (const char* name : names)
        to.FieldByName(name).SetValue(from.FieldByName(name).Value());
}

} // namespace

ItemRules::ItemRules(TfrmLancNFEntrada& form) : ModulePart(form) {
    form_.msgPadrao.AddLines(kMessages);
    form_.msgPadrao2.AddLines(kMessages2);
}

void ItemRules::SelectItemColumn(const char* field) {
    ui_.dbgItemProduto->SetSelectedField(field);
}

void ItemRules::OpenValidProd(const std::string& code) {
    db::TADOIBQuery& valid = lookups_.qryValidProd;
    valid.Close();
    if (valid.HasParam("P_CDFILIAL"))
        valid.ParamByName("P_CDFILIAL") = Variant(FieldText(data_.cdsNotaFiscal, "CDFILIAL"));
    valid.ParamByName("P_CDPRODUTO") = Variant(code);
    valid.Open();
}

bool ItemRules::ServiceProducts() const {
    return !FieldText(data_.cdsNotaFiscal, "CDSERVICOPROD").empty() &&
           FieldText(lookups_.qryParamGeral, "IDUTRELPRODSERV") == "S";
}

void ItemRules::LoadServiceProducts() {
    data_.cdsProdRelacServ.SetData(
        server_.Call(server_.netLancNFEntrada, "GetProdRelacServ",
                     net::CallArgs().Str(FieldText(data_.cdsNotaFiscal, "CDSERVICOPROD"))));
}

void ItemRules::dbgItemProdutoEditButtonClick() {
    form_.Loader().CacheProdFil();
    DataSet& items = data_.cdsItemProduto;
    const std::string title = form_.msgPadrao.Msg("Produto");
    const auto editRow = [&] {
        if (!InEdit(items)) items.Edit();
    };
    if (form_.Header().CurrentType() == "03") {
        form_.Origin().GetItemNFOrigem();
        if (!support::Pesquisar(title, *data_.dtsItemNFOrigem)) return;
        editRow();
        CopyFields(
            items, data_.cdsItemNFOrigem,
            {"CDPRODUTO", "CDARVPROD", "NMPRODUTO", "SGUNIDADE", "CDPRODESTO", "NRLOTEESTQ", "NRSUBLOTE"});
        return;
    }
    if (ServiceProducts()) {
        if (!data_.cdsProdRelacServ.Active()) LoadServiceProducts();
        if (!support::Pesquisar_Plus(title, *data_.dtsProdRelacServ, {},
                                     form_.msgPadrao2.Msg("Produto_Serv")))
            return;
        editRow();
        CopyFields(items, data_.cdsProdRelacServ,
                   {"CDPRODUTO", "CDARVPROD", "NMPRODUTO", "SGUNIDADE", "CDPRODESTO"});
        OpenValidProd(FieldText(items, "CDARVPROD"));
        return;
    }
    const std::string branch = FieldText(data_.cdsNotaFiscal, "CDFILIAL");
    const std::string blocked = FieldText(data_.cdsParamDFE, "IDBLPRCOMEST");
    db::TADOIBQuery& search = lookups_.qryProduto;
    search.Close();
    const std::string caption = FieldText(lookups_.qryParamGeral, "IDCACHPRODFI") != "S"
                                    ? SQL_Pesquisa_Produto(branch, blocked, search)
                                    : SQL_Pesquisa_ProdutoCache(branch, blocked, search);
    if (search.HasParam("P_CDNVPRODUTO")) {
        const auto& picture = Cli_dfe11000().dbpProduto;
        search.ParamByName("P_CDNVPRODUTO") = Variant(int64_t{picture ? picture->GetTtNiveis() : 0});
    }
    if (search.HasParam("P_CDFILIAL")) search.ParamByName("P_CDFILIAL") = Variant(branch);
    search.Open();
    if (!support::Pesquisar_Plus(title, lookups_.dtsProduto, {}, caption)) return;
    editRow();
    CopyFields(items, search,
               {"CDPRODUTO", "CDARVPROD", "NMPRODUTO", "SGUNIDADE", "CDPRODESTO", "CDPRODINTE"});
    OpenValidProd(FieldText(items, "CDARVPROD"));
}

void ItemRules::CheckProductOfService() {
    if (form_.Header().TipoOper().IDNFPRESTSERV != "S" || !ServiceProducts()) return;
    if (!data_.cdsProdRelacServ.Active()) LoadServiceProducts();
    if (!data_.cdsProdRelacServ.Locate("CDARVPROD", Variant(FieldText(data_.cdsItemProduto, "CDARVPROD"))))
        support::MensErro(form_.msgPadrao2, "Prod_N_Rel_serv", true);
}

void ItemRules::CheckProductBySupplier() {
    if (form_.Parameters().SupplierString() != "UTILIZA PRODXFORNDDF") return;
    const DataSet& header = data_.cdsNotaFiscal;
    std::string state = FieldText(header, "SGESTADO");
    std::string city = FieldText(header, "CDMUNICIPIO");
    if (state.empty() || city.empty()) {
        state = FieldText(lookups_.qryInscrEstad, "SGESTADO");
        city = FieldText(lookups_.qryInscrEstad, "CDMUNICIPIO");
    }
    const bool related =
        data_.cdsProdXFornDF.Active() &&
        data_.cdsProdXFornDF.Locate(
            "IDENTRSAIDOP;CDTIPOOPER;CDFORNECED;CDPRODUTO;IDUTILIZA;CDPAIS;SGESTADO;CDMUNICIPIO",
            {Variant("E"), Variant(ui_.dbeCdTipoOper->Text()),
             Variant(FieldText(lookups_.qryFornecedor, "CDFORNECED")),
             Variant(FieldText(lookups_.qryValidProd, "CDPRODUTO")), Variant("S"), Variant("0055"),
             Variant(state), Variant(city)});
    if (!related) support::MensErro(form_.msgPadrao2, "ProdXFornDF_N_Cad", true);
}

void ItemRules::Vd_Produto(bool zeroValues) {
    DataSet& items = data_.cdsItemProduto;
    const std::string code = FieldText(items, "CDARVPROD");
    if (code.empty()) {
        SelectItemColumn("CDARVPROD");
        support::MensErro(form_.msgPadrao, "Prod_Inf", true);
    }
    if (!InEdit(items)) return;

    const auto& picture = Cli_dfe11000().dbpProduto;
    if (picture && picture->LevelOf(code) < picture->GetTtNiveis())
        support::MensErro(form_.msgPadrao, "Prod_Incomp", true);
    CheckProductOfService();

    // What the search left is only a first guess; the branch's product below decides.
    db::TADOIBQuery& search = lookups_.qryProduto;
    if (search.Active() && FieldText(search, "CDARVPROD") == code)
        CopyFields(items, search, {"NMPRODUTO", "SGUNIDADE", "CDPRODESTO", "CDPRODUTO"});
    form_.Loader().CacheProdFil();
    OpenValidProd(code);
    if (lookups_.qryValidProd.IsEmpty()) support::MensErro(form_.msgPadrao, "Prod_Cad", true);
    CheckProductBySupplier();
    if (form_.ActiveControl() == ui_.dbgItemProduto)
        Validacao_Produto(FieldText(data_.cdsNotaFiscal, "CDFILIAL"), code,
                          FieldText(data_.cdsParamDFE, "IDBLPRCOMEST"));
    CopyFields(items, lookups_.qryValidProd, {"NMPRODUTO", "SGUNIDADE", "CDPRODESTO", "CDPRODUTO"});

    if (form_.Header().CurrentType() == "03") {
        form_.Origin().GetItemNFOrigem();
        if (!data_.cdsItemNFOrigem.Locate("CDPRODUTO", Variant(FieldText(items, "CDPRODUTO")))) {
            SelectItemColumn("CDARVPROD");
            support::MensErro(form_.msgPadrao, "ProdNFOrigem_Cad", true);
        }
    }
    if (zeroValues) {
        for (const char* field : {"VRTOTAITEM", "VRUNITITEM", "QTITEMPROD", "VRDESCITEM", "VRDESPERITEM"})
            items.FieldByName(field).SetAsFloat(0);
    }
}

void ItemRules::Vd_VerifProdEst() {
    const bool purchaseBlock =
        form_.Header().CurrentType() == "01" && FieldText(data_.cdsParamDFE, "IDBLOQPRESTO") == "S";
    if (!purchaseBlock && form_.Header().TipoOper().IDBLOQPRESTTPOP != "S") return;
    try {
        if (FieldText(lookups_.qryFiliRece, "IDFUNCAOFILI") == "O") return;
        db::TADOIBQuery& stock = lookups_.qryVerifProdEst;
        stock.Close();
        stock.ParamByName("P_CDPRODUTO") = Variant(FieldText(data_.cdsItemProduto, "CDPRODUTO"));
        stock.Open();
        if (!stock.IsEmpty()) support::MensErro(form_.msgPadrao, "Prod_Est", true);
    } catch (...) {
        ui_.scbFormulario->SetVertScrollPosition(225);
        SelectItemColumn("CDARVPROD");
        FocusIfPossible(ui_.dbgItemProduto);
        throw;
    }
}

} // namespace dfe::dfe11000
