#include "dfe11000/server/product_catalogue.h"

#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/server/server_gateway.h"
#include "platform/core/text.h"
#include "platform/db/tadoib_query.h"
#include "support/show_msg.h"

namespace dfe::dfe11000 {
namespace {

constexpr const char* kFields = "SELECT P.CDARVPROD, P.CDPRODUTO, P.NMPRODUTO, P.CDNVPRODUTO, P.SGUNIDADE,"
                                " P.CDPRODESTO, P.CDPRODINTE";

const support::TMessages& Messages() {
    static const support::TMessages table({
        "Prod_Inex|Produto não cadastrado.",
        "Prod_Inat_Fil|Produto inativo para a filial.",
        "Prod_Bloq_Comp|Produto bloqueado para compra na filial.",
    });
    return table;
}

bool WithoutBlocked(const std::string& idBlPrComEst) {
    return text::Trim(idBlPrComEst) == "S";
}

// Writes the search's text, its only text for every database, with the branch bound.
std::string Write(db::TADOIBQuery& query, std::string sql, const std::string& branch,
                  const std::string& caption) {
    query.Close();
    query.SetSQL_ORACLE({});
    query.SetSQL_MSSQL({});
    query.SetSQL_IB({});
    query.SetSQL(std::move(sql) + " ORDER BY P.CDARVPROD");
    if (query.HasParam("P_CDFILIAL")) query.ParamByName("P_CDFILIAL") = Variant(branch);
    return caption;
}

std::string Caption(const std::string& branch, bool withoutBlocked) {
    return std::string(withoutBlocked ? "Produtos ativos e liberados para compra na filial "
                                      : "Produtos ativos na filial ") +
           branch;
}

bool StockAnswer(TfrmLancNFEntrada& form, std::string_view method, const net::CallArgs& args) {
    CallOptions options;
    options.retry = true;
    return form.server.Call(form.server.netEstoque, method, args, options).AsString() == "S";
}

} // namespace

std::string SQL_Pesquisa_Produto(const std::string& branch, const std::string& idBlPrComEst,
                                 db::TADOIBQuery& query) {
    const std::string code = text::Trim(branch);
    std::string sql = std::string(kFields) +
                      " FROM PRODUTO P WHERE P.CDNVPRODUTO = :P_CDNVPRODUTO AND P.IDPRODATIVPR = 'S'";
    if (code.empty()) return Write(query, sql, code, {});
    const bool withoutBlocked = WithoutBlocked(idBlPrComEst);
    sql += " AND NOT EXISTS (SELECT 1 FROM PRODUTOFILIAL F WHERE F.CDFILIAL = :P_CDFILIAL"
           " AND F.CDPRODUTO = P.CDPRODUTO AND (F.IDATIVO <> 'S'";
    sql += withoutBlocked ? " OR F.IDBLOQCOMPRA = 'S'))" : "))";
    return Write(query, sql, code, Caption(code, withoutBlocked));
}

std::string SQL_Pesquisa_ProdutoCache(const std::string& branch, const std::string& idBlPrComEst,
                                      db::TADOIBQuery& query) {
    const std::string code = text::Trim(branch);
    if (code.empty()) return SQL_Pesquisa_Produto(code, idBlPrComEst, query);
    const bool withoutBlocked = WithoutBlocked(idBlPrComEst);
    std::string sql = std::string(kFields) +
                      " FROM PRODUTOFILIAL F JOIN PRODUTO P ON P.CDPRODUTO = F.CDPRODUTO"
                      " WHERE F.CDFILIAL = :P_CDFILIAL AND F.IDATIVO = 'S' AND P.CDNVPRODUTO = :P_CDNVPRODUTO"
                      " AND P.IDPRODATIVPR = 'S'";
    if (withoutBlocked) sql += " AND F.IDBLOQCOMPRA <> 'S'";
    return Write(query, sql, code, Caption(code, withoutBlocked));
}

void Validacao_Produto(const std::string& branch, const std::string& cdArvProd,
                       const std::string& idBlPrComEst) {
    const std::string tree = text::Trim(cdArvProd);
    if (tree.empty()) return;
    db::TADOIBQuery query("qryValidacaoProduto");
    query.SetSQL("SELECT P.IDPRODATIVPR, F.IDATIVO, F.IDBLOQCOMPRA FROM PRODUTO P"
                 " LEFT JOIN PRODUTOFILIAL F ON F.CDPRODUTO = P.CDPRODUTO AND F.CDFILIAL = :P_CDFILIAL"
                 " WHERE P.CDARVPROD = :P_CDARVPROD");
    query.ParamByName("P_CDFILIAL") = Variant(text::Trim(branch));
    query.ParamByName("P_CDARVPROD") = Variant(tree);
    query.Open();
    if (query.IsEmpty()) support::MensErro(Messages(), "Prod_Inex", true);
    const auto flag = [&](const char* name) { return query.FieldByName(name).AsString(); };
    if (flag("IDPRODATIVPR") != "S" || flag("IDATIVO") == "N")
        support::MensErro(Messages(), "Prod_Inat_Fil", true);
    if (WithoutBlocked(idBlPrComEst) && flag("IDBLOQCOMPRA") == "S")
        support::MensErro(Messages(), "Prod_Bloq_Comp", true);
}

bool Produto_Ctrl_Estoque(TfrmLancNFEntrada& form, const std::string& branch, const std::string& cdProdEsto) {
    return StockAnswer(form, "Produto_Ctrl_Estoque", net::CallArgs().Str(branch).Str(cdProdEsto));
}

bool Utiliza_LocalEstoque(TfrmLancNFEntrada& form, const std::string& branch) {
    return StockAnswer(form, "Utiliza_LocalEstoque", net::CallArgs().Str(branch));
}

bool Utiliza_Almoxarifado(TfrmLancNFEntrada& form, const std::string& branch) {
    return StockAnswer(form, "Utiliza_Almoxarifado", net::CallArgs().Str(branch));
}

} // namespace dfe::dfe11000
