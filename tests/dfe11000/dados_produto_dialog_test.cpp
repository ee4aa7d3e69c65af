#include "module_fixture.h"

#include "dfe11000/dialogs/dados_produto_rules.h"
#include "dfe11000/dialogs/frm_dados_produto.h"
#include "dfe11000/dialogs/frm_desc_estoq_prod.h"
#include "platform/ui/keys.h"
#include "platform/ui/layout_check.h"

#include <functional>

namespace dfe::dfe11000 {
namespace {

constexpr const char* kDialog = "frmDadosProduto";
constexpr const char* kPlacement = "frmDescEstoqProd";

// The outsourcing entry of Curitiba's coffee roasting: the list stands on the roaster's processing invoice
// (0003/0000000016) and its two returns (0000000014 and 0000000015) are ticked; Curitiba keeps its stock in
// warehouse 000001, location 000001. Ground coffee is 1.06.001, the roaster's own-use coffee 9.01.007 is not
// a stock product, 1.06 is a subgroup.
class ProductDataDialog : public testing::ModuleTest {
protected:
    using Inside = std::function<void(TfrmDadosProduto&)>;

    void SetUp() override {
        support::zymora::LocalContext().branch = "0003";
        form = &Open();
        app.Dispatch([&] { form->Parameters().GetParamDFE("0003"); });
        DataSet& list = form->data.cdsRomaneioNF;
        list.CreateDataSet();
        list.Append();
        for (const auto& [field, value] : {std::pair{"CDFILIAL", "0003"},
                                           {"NRLANCTONF", "0000000016"},
                                           {"CDFILIRECE", "0003"},
                                           {"CDTIPOOPER", "21"},
                                           {"IDTPIJURNF", "J"},
                                           {"NRINSJURNF", "45128763000150"}})
            list.FieldByName(field).SetAsString(value);
        list.Post();
        marked.CreateDataSet({{"CDFILIAL", FieldType::String, 4},
                              {"NRLANCTONF", FieldType::String, 10},
                              {"VRNOTAFISC", FieldType::Float}});
        for (const char* number : {"0000000014", "0000000015"}) {
            marked.Append();
            marked.FieldByName("CDFILIAL").SetAsString("0003");
            marked.FieldByName("NRLANCTONF").SetAsString(number);
            marked.Post();
        }
        for (net::TNetConnection* c : {&gera, &stock}) {
            c->SetHost(std::string(net::kInProcessHost));
            c->SetThrowException(false);
        }
    }

    // Runs the dialog; `inside` runs while it is shown, and the clerk then cancels unless it ended.
    bool Show(const Inside& inside) {
        bool generated = false;
        dialogs.ExpectModal(kDialog)
            .Do([&](Form& f) {
                auto& d = static_cast<TfrmDadosProduto&>(f);
                inside(d);
                if (d.ModalResult() == mr::None) d.SetModalResult(mr::Cancel);
            })
            .Cancel();
        dialogs.ClearRecords();
        app.Dispatch([&] { generated = CriaDadosProduto(*form, OutsourcingEntry{&marked, &gera, &stock}); });
        EXPECT_EQ(dialogs.PendingAnswers(), 0u) << dialogs.DescribePending();
        return generated;
    }

    // The next placement dialog: confirmed as proposed, or given up.
    void ExpectPlacement(bool confirm) {
        dialogs.ExpectModal(kPlacement).Do([this, confirm](Form& f) {
            auto& d = static_cast<TfrmDescEstoqProd&>(f);
            if (confirm) {
                d.medCdAlmoxarife->SetText("000001");
                d.medCdLocalEstoq->SetText("000001");
                app.Click(d.bbtOK);
            } else {
                app.Click(d.bbtCancelar);
            }
        });
    }

    // A row typed into the dataset as the grid leaves it, already placed.
    static void AddRow(TfrmDadosProduto& d, const char* code, Variant quantity, bool placed = true) {
        DataSet& ds = d.cdsDadosProduto;
        ds.Append();
        ds.FieldByName("CDARVPROD").SetAsString(code);
        ds.FieldByName("QTITEMPROD").SetAsVariant(quantity);
        if (placed) ds.FieldByName("CDFILIMOVI").SetAsString("0003");
    }
    std::string Post(TfrmDadosProduto& d) {
        dialogs.ClearRecords();
        app.Dispatch([&] { d.cdsDadosProduto.Post(); });
        return LastError();
    }
    std::string LastError() const {
        const auto errors = dialogs.Errors();
        return errors.empty() ? std::string()
                              : (errors.back().code.empty() ? errors.back().text : errors.back().code);
    }
    int64_t Entries() {
        return lookups_->Query("SELECT COUNT(*) FROM MOVESTOQUE").rows[0].values[0].AsInteger();
    }

    TfrmLancNFEntrada* form = nullptr;
    DataSet marked{"cdsNFsMarcadas"};
    net::TNetConnection gera{net::kGeraMoviEstTer};
    net::TNetConnection stock{net::kEstoque};
};

TEST_F(ProductDataDialog, ShowsAsDesignedAndRefusesToConfirmWithoutProducts) {
    EXPECT_FALSE(Show([&](TfrmDadosProduto& d) {
        EXPECT_EQ(d.Caption(), "Dados dos Produtos");
        EXPECT_EQ(d.lblCodTela.Caption(), "DFE11290");
        EXPECT_EQ(LayoutFaults(d), std::vector<std::string>{});
        EXPECT_TRUE(d.dbgDadosProduto->Focused());
        EXPECT_EQ(d.dbgDadosProduto->SelectedField()->FieldName(), "CDARVPROD");
        app.Click(d.bbtOK);
        EXPECT_EQ(LastError(), "Prod_inf");
    }));
    EXPECT_EQ(Calls("GeraEntradaEstoque"), 0);
}

TEST_F(ProductDataDialog, ARowPostsOnlyWithAProductOfTheLastLevelAndAPositiveQuantity) {
    Show([&](TfrmDadosProduto& d) {
        const struct {
            const char* code;
            Variant quantity;
            const char *error, *cell;
        } cases[] = {
            {"", Variant(10.0), "Prod_inf", "CDARVPROD"},
            {"1.06", Variant(10.0), "Prod_Nao_Cad", "CDARVPROD"}, // a subgroup
            {"1.06.999", Variant(10.0), "Prod_Nao_Cad", "CDARVPROD"},
            {"café", Variant(10.0), "Prod_Nao_Cad", "CDARVPROD"},
            {"1.06.001", Variant::Null(), "Quant_Inf", "QTITEMPROD"},
            {"1.06.001", Variant(0.0), "Quant_Inv", "QTITEMPROD"},
            {"1.06.001", Variant(-2.0), "Quant_Inv", "QTITEMPROD"},
        };
        for (const auto& c : cases) {
            AddRow(d, c.code, c.quantity);
            EXPECT_EQ(Post(d), c.error) << c.code;
            EXPECT_EQ(d.dbgDadosProduto->SelectedField()->FieldName(), c.cell) << c.code;
            EXPECT_EQ(d.cdsDadosProduto.State(), DataSetState::Insert) << c.code;
            d.cdsDadosProduto.Cancel();
        }
        AddRow(d, "1.06.001", Variant(380.0));
        EXPECT_EQ(Post(d), "");
        EXPECT_EQ(d.cdsDadosProduto.FieldByName("CDPRODUTO").AsString(), "0000001058");
        EXPECT_EQ(d.cdsDadosProduto.FieldByName("NMPRODUTO").AsString(), "Café torrado e moído 500 g");
    });
}

TEST_F(ProductDataDialog, LeavingTheProductCellAsksWhereTheRowEntersStockOnce) {
    Show([&](TfrmDadosProduto& d) {
        DBGrid& grid = *d.dbgDadosProduto;
        DataSet& ds = d.cdsDadosProduto;
        // Given up, the row goes and the clerk stays on the product cell.
        AddRow(d, "1.06.001", Variant::Null(), false);
        ExpectPlacement(false);
        app.PressKey(key::Tab);
        EXPECT_EQ(grid.SelectedField()->FieldName(), "CDARVPROD");
        EXPECT_TRUE(ds.IsEmpty());
        EXPECT_EQ(ds.State(), DataSetState::Browse);

        AddRow(d, "1.06.001", Variant::Null(), false);
        ExpectPlacement(true);
        app.PressKey(key::Tab);
        EXPECT_EQ(grid.SelectedField()->FieldName(), "NMPRODUTO");
        EXPECT_EQ(ds.FieldByName("CDFILIMOVI").AsString(), "0003");
        EXPECT_EQ(ds.FieldByName("CDALMOXARIFE").AsString(), "000001");
        EXPECT_EQ(ds.State(), DataSetState::Insert);
        // Back on the product and out again: it is placed already.
        app.PressKey(key::Tab, ShiftState{.shift = true});
        app.PressKey(key::Tab);
        EXPECT_EQ(dialogs.PendingAnswers(), 0u);
        // An unknown product is refused before anything is asked.
        app.PressKey(key::Tab, ShiftState{.shift = true});
        ds.FieldByName("CDARVPROD").SetAsString("1.06.999");
        dialogs.ClearRecords();
        app.PressKey(key::Tab);
        EXPECT_EQ(LastError(), "Prod_Nao_Cad");
        EXPECT_EQ(grid.SelectedField()->FieldName(), "CDARVPROD");
    });
}

TEST_F(ProductDataDialog, ARowNeverLeftFromItsProductIsPlacedBeforeItIsKept) {
    Show([&](TfrmDadosProduto& d) {
        AddRow(d, "1.06.001", Variant(10.0), false);
        ExpectPlacement(false);
        EXPECT_EQ(Post(d), "");
        EXPECT_TRUE(d.cdsDadosProduto.IsEmpty()); // given up with its placement

        AddRow(d, "1.06.001", Variant(10.0), false);
        ExpectPlacement(true);
        EXPECT_EQ(Post(d), "");
        EXPECT_EQ(d.cdsDadosProduto.RecordCount(), 1);
        EXPECT_EQ(d.cdsDadosProduto.FieldByName("CDLOCALESTOQ").AsString(), "000001");
    });
}

TEST_F(ProductDataDialog, ThePickListOffersTheLastLevelAndFillsTheRow) {
    Show([&](TfrmDadosProduto& d) {
        dialogs.ExpectPick("Produto").Where("CDARVPROD", "1.06.001");
        d.dbgDadosProduto->ClickEditButton();
        EXPECT_EQ(d.cdsDadosProduto.State(), DataSetState::Insert);
        EXPECT_EQ(d.cdsDadosProduto.FieldByName("CDPRODUTO").AsString(), "0000001058");
        EXPECT_EQ(d.cdsDadosProduto.FieldByName("NMPRODUTO").AsString(), "Café torrado e moído 500 g");
        const int64_t lastLevel = lookups_->Query("SELECT COUNT(*) FROM PRODUTO WHERE CDNVPRODUTO = 3")
                                      .rows[0]
                                      .values[0]
                                      .AsInteger();
        EXPECT_EQ(d.qryProduto.RecordCount(), lastLevel);
    });
}

TEST_F(ProductDataDialog, AGeneratedEntryIsReportedAndClosesTheDialog) {
    EXPECT_TRUE(Show([&](TfrmDadosProduto& d) {
        AddRow(d, "1.06.001", Variant(380.0));
        d.cdsDadosProduto.FieldByName("CDALMOXARIFE").SetAsString("000001");
        app.Click(d.bbtOK);
        EXPECT_TRUE(dialogs.Shown("NF_Sucess")) << dialogs.Describe();
        EXPECT_EQ(d.ModalResult(), mr::Ok);
    }));
    EXPECT_TRUE(
        std::count(dialogs.BusyTexts().begin(), dialogs.BusyTexts().end(), "Gerando entrada no estoque..."));
    EXPECT_EQ(dialogs.BusyDepth(), 0);
    EXPECT_EQ(Entries(), 1);
}

TEST_F(ProductDataDialog, EveryOtherAnswerOfTheServerKeepsTheDialogOpenWithItsRows) {
    const struct {
        std::function<void()> arrange;
        const char* code;
        const char* detail; // part of the detail shown
    } cases[] = {
        {[] {}, "IrreEsto", "9.01.007: Produto não é produto de estoque."},
        {[&] {
             lookups_->Execute("UPDATE NOTAFISCAL SET IDAVISOS = '1' WHERE CDFILIAL = '0003'"
                               " AND NRLANCTONF = '0000000014'");
         },
         "ErroAvis", "0003 - 0000000014: Nota fiscal 000000781 possui erros."},
        {[&] {
             lookups_->Execute("UPDATE NOTAFISCAL SET IDAVISOS = NULL WHERE CDFILIAL = '0003'");
             lookups_->Execute("UPDATE FILIAL SET CDSERIE = NULL WHERE CDFILIAL = '0003'");
         },
         "Serie_NCad", ""},
    };
    for (const auto& c : cases) {
        c.arrange();
        EXPECT_FALSE(Show([&](TfrmDadosProduto& d) {
            AddRow(d, std::string(c.code) == "IrreEsto" ? "9.01.007" : "1.06.001", Variant(5.0));
            d.cdsDadosProduto.FieldByName("CDALMOXARIFE").SetAsString("000001");
            app.Click(d.bbtOK);
            const auto errors = dialogs.Errors();
            ASSERT_FALSE(errors.empty()) << c.code;
            EXPECT_EQ(errors.back().code, c.code);
            EXPECT_EQ(errors.back().text, d.msgPadrao.Msg(c.code));
            EXPECT_NE(errors.back().detail.find(c.detail), std::string::npos) << errors.back().detail;
            EXPECT_EQ(d.ModalResult(), mr::None) << c.code;
            EXPECT_EQ(d.cdsDadosProduto.RecordCount(), 1) << c.code;
        })) << c.code;
    }
    EXPECT_EQ(Entries(), 0);
}

TEST_F(ProductDataDialog, AStatusOutsideTheTableAndARefusalAreShownAsTheServerWroteThem) {
    const struct {
        Override answer;
        const char* shown;
    } cases[] = {
        {[](const net::RpcRequest&) -> std::optional<Variant> {
             return Variant::Array({Variant("Quant_Inv"), Variant::Null()});
         },
         "Quant_Inv"},
        {[](const net::RpcRequest&) -> std::optional<Variant> {
             return Variant::Array({Variant("Estoque em inventário."), Variant::Null()});
         },
         "Estoque em inventário."},
        {nullptr, "Lançamento 0003/0000000099 não encontrado."},
    };
    for (const auto& c : cases) {
        if (c.answer) {
            Answer("GeraEntradaEstoque", c.answer);
        } else {
            overrides_.clear();
            form->data.cdsRomaneioNF.Edit();
            form->data.cdsRomaneioNF.FieldByName("NRLANCTONF").SetAsString("0000000099");
            form->data.cdsRomaneioNF.Post();
        }
        EXPECT_FALSE(Show([&](TfrmDadosProduto& d) {
            AddRow(d, "1.06.001", Variant(5.0));
            app.Click(d.bbtOK);
            EXPECT_EQ(LastError(), c.shown);
            EXPECT_EQ(dialogs.BusyDepth(), 0);
            EXPECT_EQ(d.ModalResult(), mr::None);
        })) << c.shown;
    }
}

} // namespace
} // namespace dfe::dfe11000
