#include "dfe11000/server/product_catalogue.h"
#include "module_fixture.h"
#include "platform/core/abort.h"
#include "platform/net/net_errors.h"

#include <set>

namespace dfe::dfe11000 {
namespace {

// The demo's head office (0001) lists "Bebida láctea de morango 900 g" (1.01.010) as inactive and blocks
// "Torrada tradicional 160 g" (1.08.012) for purchase; Campinas (0002) buys the drink.
constexpr const char* kInactiveAt0001 = "1.01.010";
constexpr const char* kBlockedAt0001 = "1.08.012";

class ProductCatalogue : public testing::ModuleTest {
protected:
    using Search = std::string (*)(const std::string&, const std::string&, db::TADOIBQuery&);

    // The search's product codes, opened as the item rules open it.
    std::set<std::string> Searched(Search search, const std::string& branch, const std::string& blocked,
                                   std::string* caption = nullptr) {
        db::TADOIBQuery query("qryProduto");
        const std::string shown = search(branch, blocked, query);
        if (caption) *caption = shown;
        if (query.HasParam("P_CDNVPRODUTO")) query.ParamByName("P_CDNVPRODUTO") = Variant(int64_t{3});
        query.Open();
        std::set<std::string> codes;
        for (query.First(); !query.Eof(); query.Next())
            codes.insert(query.FieldByName("CDARVPROD").AsString());
        return codes;
    }
    // The refusal's code, or "" when the product may be bought.
    std::string Validated(const std::string& branch, const std::string& code, const std::string& blocked) {
        dialogs.ClearRecords();
        try {
            Validacao_Produto(branch, code, blocked);
        } catch (const Abort&) {
            const auto errors = dialogs.Errors();
            return errors.empty() ? "Abort without a message" : errors.back().code + "|" + errors.back().text;
        }
        return dialogs.Errors().empty() ? "" : "a message without Abort";
    }
};

TEST_F(ProductCatalogue, TheSearchOffersTheBranchsActiveProductsOfTheLastLevel) {
    // Out of the register and out of the head office's catalogue: a wine no longer sold, and an olive kept
    // out of the head office's list.
    lookups_->Execute("UPDATE PRODUTO SET IDPRODATIVPR = 'N' WHERE CDARVPROD = '2.05.001'");
    lookups_->Execute("DELETE FROM PRODUTOFILIAL WHERE CDFILIAL = '0001'"
                      " AND CDPRODUTO = (SELECT CDPRODUTO FROM PRODUTO WHERE CDARVPROD = '1.07.009')");
    const struct {
        Search search;
        const char *name, *branch, *blocked;
        bool inactive, blockedShown, unlisted;
        const char* caption;
    } cases[] = {
        {SQL_Pesquisa_Produto, "register", "0001", "N", false, true, true, "Produtos ativos na filial 0001"},
        {SQL_Pesquisa_Produto, "register", "0001", "S", false, false, true,
         "Produtos ativos e liberados para compra na filial 0001"},
        {SQL_Pesquisa_Produto, "register", "0002", "S", true, true, true,
         "Produtos ativos e liberados para compra na filial 0002"},
        {SQL_Pesquisa_Produto, "register", "", "S", true, true, true, ""},
        {SQL_Pesquisa_ProdutoCache, "catalogue", "0001", "N", false, true, false,
         "Produtos ativos na filial 0001"},
        {SQL_Pesquisa_ProdutoCache, "catalogue", "0001", "S", false, false, false,
         "Produtos ativos e liberados para compra na filial 0001"},
        {SQL_Pesquisa_ProdutoCache, "catalogue", "0002", "N", true, true, true,
         "Produtos ativos na filial 0002"},
        {SQL_Pesquisa_ProdutoCache, "catalogue", "", "N", true, true, true, ""},
    };
    for (const auto& c : cases) {
        const std::string what = std::string(c.name) + " " + c.branch + " " + c.blocked;
        std::string caption;
        const std::set<std::string> codes = Searched(c.search, c.branch, c.blocked, &caption);
        EXPECT_EQ(caption, c.caption) << what;
        EXPECT_GT(codes.size(), 200u) << what;
        EXPECT_TRUE(codes.contains("1.01.001")) << what;
        EXPECT_FALSE(codes.contains("1.01")) << what << ": a subgroup is no product";
        EXPECT_FALSE(codes.contains("2.05.001")) << what << ": inactive in the register";
        EXPECT_EQ(codes.contains(kInactiveAt0001), c.inactive) << what;
        EXPECT_EQ(codes.contains(kBlockedAt0001), c.blockedShown) << what;
        EXPECT_EQ(codes.contains("1.07.009"), c.unlisted) << what;
    }
}

TEST_F(ProductCatalogue, TheSearchAnswersTheProductFieldsAndBindsTheBranch) {
    for (Search search : {SQL_Pesquisa_Produto, SQL_Pesquisa_ProdutoCache}) {
        db::TADOIBQuery query("qryProduto");
        query.SetSQL_ORACLE("SELECT 1 FROM DUAL");
        search("0001' OR '1' = '1", "N", query);
        EXPECT_TRUE(query.SQL_ORACLE().empty()) << "one text for every database";
        EXPECT_EQ(query.SQL().find("0001"), std::string::npos) << query.SQL();
        ASSERT_TRUE(query.HasParam("P_CDFILIAL"));
        ASSERT_TRUE(query.HasParam("P_CDNVPRODUTO"));
        query.ParamByName("P_CDNVPRODUTO") = Variant(int64_t{3});
        query.Open();
        std::string fields;
        for (int i = 0; i < query.FieldCount(); ++i)
            fields += query.FieldAt(i).FieldName() + " ";
        EXPECT_EQ(fields, "CDARVPROD CDPRODUTO NMPRODUTO CDNVPRODUTO SGUNIDADE CDPRODESTO CDPRODINTE ");
        if (search == SQL_Pesquisa_ProdutoCache) {
            EXPECT_TRUE(query.IsEmpty()) << "no branch has that code";
        }
    }
    // The search is ordered by code.
    db::TADOIBQuery query("qryProduto");
    SQL_Pesquisa_ProdutoCache("0003", "S", query);
    query.ParamByName("P_CDNVPRODUTO") = Variant(int64_t{3});
    query.Open();
    std::string previous;
    for (query.First(); !query.Eof(); query.Next()) {
        EXPECT_LT(previous, query.FieldByName("CDARVPROD").AsString());
        previous = query.FieldByName("CDARVPROD").AsString();
    }
}

TEST_F(ProductCatalogue, AProductTheBranchMayNotBuyIsRefused) {
    lookups_->Execute("UPDATE PRODUTO SET IDPRODATIVPR = 'N' WHERE CDARVPROD = '2.05.001'");
    lookups_->Execute("DELETE FROM PRODUTOFILIAL WHERE CDFILIAL = '0001'"
                      " AND CDPRODUTO = (SELECT CDPRODUTO FROM PRODUTO WHERE CDARVPROD = '1.07.009')");
    const std::string inactive = "Prod_Inat_Fil|Produto inativo para a filial.";
    const struct {
        const char *branch, *code, *blocked, *refusal;
    } cases[] = {
        {"0001", "1.01.001", "S", ""},
        {"0001", kInactiveAt0001, "N", inactive.c_str()},
        {"0002", kInactiveAt0001, "S", ""},
        {"0001", kBlockedAt0001, "S", "Prod_Bloq_Comp|Produto bloqueado para compra na filial."},
        {"0001", kBlockedAt0001, "N", ""},
        {"0001", "2.05.001", "N", inactive.c_str()}, // inactive in the register
        {"0001", "1.07.009", "S", ""},               // not listed: the register decides
        {"0001", "9.99.999", "N", "Prod_Inex|Produto não cadastrado."},
        {"0001", "1.01", "N", ""}, // a group: the level is the caller's check
        {"0001", "", "S", ""},     // nothing typed: the caller's check
    };
    for (const auto& c : cases)
        EXPECT_EQ(Validated(c.branch, c.code, c.blocked), c.refusal) << c.branch << " " << c.code;
}

// Only a product active in the branch's catalogue is found where the installation caches it.
TEST_F(ProductCatalogue, TheCachedProductLookupReadsTheBranchsCatalogue) {
    TfrmLancNFEntrada& form = Open();
    const auto found = [&](db::TADOIBQuery& text, const char* branch, const char* code) {
        form.lookups.qryValidProd.CopyFrom(text);
        form.lookups.qryValidProd.ParamByName("P_CDPRODUTO") = Variant(code);
        if (form.lookups.qryValidProd.HasParam("P_CDFILIAL"))
            form.lookups.qryValidProd.ParamByName("P_CDFILIAL") = Variant(branch);
        form.lookups.qryValidProd.Open();
        return !form.lookups.qryValidProd.IsEmpty();
    };
    const struct {
        const char *branch, *code;
        bool cached, plain;
    } cases[] = {
        {"0001", "1.01.001", true, true},
        {"0001", kInactiveAt0001, false, true},
        {"0002", kInactiveAt0001, true, true},
        {"0001", kBlockedAt0001, true, true}, // blocked is not inactive
        {"0009", "1.01.001", false, true},    // a branch without catalogue
        {"0001", "1.01", false, true},        // a group: the level is the item rules' check
    };
    for (const auto& c : cases) {
        EXPECT_EQ(found(form.lookups.qryProdCache, c.branch, c.code), c.cached) << c.branch << " " << c.code;
        EXPECT_EQ(found(form.lookups.qrySemCache, c.branch, c.code), c.plain) << c.branch << " " << c.code;
    }
}

TEST_F(ProductCatalogue, TheStockServerAnswersForTheBranch) {
    TfrmLancNFEntrada& form = Open();
    EXPECT_TRUE(Produto_Ctrl_Estoque(form, "0001", "0000000101"));
    EXPECT_FALSE(Produto_Ctrl_Estoque(form, "0001", "0000001234")); // detergent for the branch's own use
    EXPECT_FALSE(Produto_Ctrl_Estoque(form, "", "0000000101"));
    EXPECT_TRUE(Utiliza_LocalEstoque(form, "0001"));
    EXPECT_FALSE(Utiliza_LocalEstoque(form, "0004"));
    EXPECT_TRUE(Utiliza_Almoxarifado(form, "0002"));
    EXPECT_FALSE(Utiliza_Almoxarifado(form, "0005"));
    EXPECT_EQ(Calls("Produto_Ctrl_Estoque"), 3);
    // A refusal reaches the caller as the server's; the connection's reference is given back.
    const int held = form.server.References().Count(form.server.netEstoque.ServerName());
    EXPECT_THROW(Utiliza_Almoxarifado(form, "00001"), net::ServerRefusal);
    EXPECT_EQ(form.server.References().Count(form.server.netEstoque.ServerName()), held);
    EXPECT_EQ(dialogs.BusyDepth(), 0);
}

} // namespace
} // namespace dfe::dfe11000
