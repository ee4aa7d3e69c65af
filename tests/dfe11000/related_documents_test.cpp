// Related documents as a clerk picks or types them, their deletion, the closing's item code checks and the
// lots an imported invoice's items receive.
#include "header_fixture.h"

#include "dfe11000/dialogs/desc_estoq_prod_rules.h"
#include "dfe11000/dialogs/frm_desc_estoq_prod.h"
#include "dfe11000/items/item_rules.h"
#include "dfe11000/items/related_documents.h"
#include "dfe11000/module/module_helpers.h"
#include "platform/data/packet.h"

namespace dfe::dfe11000 {
namespace {

// The demo's Campinas (0002): Moinho Paulista's deliveries 22 and 23 wait for their billing (20 is billed);
// Sítio Boa Vista's entries without invoice 24 (free) and 25 (payables of its own).
class RelatedDocumentsTest : public testing::HeaderTest {
protected:
    void SetUp() override {
        HeaderTest::SetUp();
        Start("05");
    }

    // A new posting of the operation type for the supplier, the grid of its related documents focused.
    void Start(const std::string& code, const std::string& supplier = "45678901000175") {
        Include("0002");
        Type("CDTIPOOPER", code);
        form->ui.dbeCdTipoOper->SetText(code);
        form->Header().SetCurrentType(code);
        DataSet& header = form->data.cdsNotaFiscal;
        header.FieldByName("CDTIPOOPER").SetAsString(code);
        header.FieldByName("IDORIGDESTNF").SetAsString("F");
        header.FieldByName("IDTPIJURNF").SetAsString(supplier.size() == 11 ? "F" : "J");
        header.FieldByName("NRINSJURNF").SetAsString(supplier);
        Cli_dfe11000().boInsert = true;
        Related().Close();
        Related().CreateDataSet();
        if (code == "05") {
            form->ui.nbkItensNF->SetPageIndex(1);
            FocusIfPossible(form->ui.dbgItemNotaFisc);
        } else {
            form->ui.nbkTransport->SetPageIndex(1);
            FocusIfPossible(form->ui.dbgItemSemNF);
        }
    }

    DataSet& Related() { return form->data.cdsItemNotaFisc; }
    std::string Keys() {
        std::string out;
        for (Related().First(); !Related().Eof(); Related().Next())
            out += (out.empty() ? "" : ",") + Related().FieldByName("LANCAMENTO").AsString();
        return out;
    }
    // A reference typed in a new row and stored.
    std::string Typed(const std::string& reference) {
        return Run([&] {
            Related().Append();
            Related().FieldByName("LANCAMENTO").SetAsString(reference);
            Related().Post();
        });
    }
    std::string Search(std::vector<std::string> keys) {
        dialogs.ExpectMultiSelect("Notas Fiscais|Não há notas fiscais cadastradas.").Choose(std::move(keys));
        return Run([&] { form->RelatedDocuments().dbgItemNotaFiscEditButtonClick(); });
    }
};

TEST_F(RelatedDocumentsTest, TheSearchAddsEachChosenDeliveryOnce) {
    ASSERT_EQ(Search({"0002 - 0000000022", "0002 - 0000000023"}), "") << dialogs.Describe();
    EXPECT_EQ(Keys(), "0002 - 0000000022,0002 - 0000000023");
    Related().First();
    EXPECT_EQ(Related().FieldByName("NRSEQUITNOTA").AsString(), "001");
    EXPECT_EQ(Related().FieldByName("NRLANCTONFIT").AsString(), "0000000022");
    EXPECT_EQ(Related().FieldByName("NRNOTAFISC").AsString(), "000000920");
    EXPECT_EQ(Related().FieldByName("VRNOTAFISC").AsFloat(), 1250.0);
    EXPECT_EQ(Related().FieldByName("NMRAZSOCFORN").AsString(), "Moinho Paulista Indústria de Farinhas Lt");
    Related().Last();
    EXPECT_EQ(Related().FieldByName("NRSEQUITNOTA").AsString(), "002");

    // Chosen again with a new one: the delivery already there stays one row.
    ASSERT_EQ(Search({"0002 - 0000000023"}), "") << dialogs.Describe();
    EXPECT_EQ(Keys(), "0002 - 0000000022,0002 - 0000000023");
    EXPECT_EQ(dialogs.PendingAnswers(), 0u);

    // Cancelled: nothing changes.
    dialogs.ExpectMultiSelect().Cancel();
    EXPECT_EQ(Run([&] { form->RelatedDocuments().dbgItemNotaFiscEditButtonClick(); }), "");
    EXPECT_EQ(Related().RecordCount(), 2);
}

TEST_F(RelatedDocumentsTest, ATypedReferenceIsCheckedWithItsMessageAndFocus) {
    const struct {
        const char* code;
        const char* supplier;
        const char* typed;
        const char* error;
        const char* stored; // the reference kept when accepted
    } cases[] = {
        {"05", "45678901000175", "22", "", "0002 - 0000000022"},
        {"05", "45678901000175", "0002 - 0000000023", "", "0002 - 0000000023"},
        {"05", "45678901000175", "", "Lanc_Inf", ""},
        {"05", "45678901000175", "999", "Lanc_Cad", ""},
        {"05", "45678901000175", "12345678901", "Lanc_Cad", ""}, // longer than any posting number
        {"05", "45678901000175", "1-2", "Lanc_Cad", ""},
        {"05", "45678901000175", "20", "Lanc_Inv05", ""}, // billed by posting 21
        {"05", "11222333000181", "22", "Lanc_Inv05", ""}, // another supplier's delivery
        {"11", "12345678909", "24", "", "0002 - 0000000024"},
        {"11", "12345678909", "25", "Lanc_CVenc", ""},
        {"11", "12345678909", "21", "Lanc_Inv11", ""}, // a billing, no entry without invoice
    };
    for (const auto& c : cases) {
        Start(c.code, c.supplier);
        EXPECT_EQ(Typed(c.typed), c.error) << c.code << " " << c.typed;
        if (*c.error) {
            DBGrid* grid = std::string(c.code) == "05" ? form->ui.dbgItemNotaFisc : form->ui.dbgItemSemNF;
            EXPECT_EQ(form->ActiveControl(), grid) << c.typed;
            EXPECT_TRUE(InEdit(Related())) << c.typed;
            Related().Cancel();
        } else {
            EXPECT_EQ(Keys(), c.stored) << c.typed;
        }
    }
}

TEST_F(RelatedDocumentsTest, ADuplicateIsTheSameKeyInAnotherRowOnly) {
    ASSERT_EQ(Typed("22"), "") << dialogs.Describe();
    EXPECT_EQ(Typed("0002 - 0000000022"), "Lanc_JCad");
    Related().Cancel();

    // The row checked when its column is left and again when stored is not its own duplicate.
    Start("11", "12345678909");
    ASSERT_EQ(Run([&] {
                  Related().Append();
                  Related().FieldByName("LANCAMENTO").SetAsString("24");
                  form->RelatedDocuments().dbgItemSemNFColExit();
                  Related().Post();
              }),
              "");
    EXPECT_EQ(Keys(), "0002 - 0000000024");
    // Changed again and stored again.
    ASSERT_EQ(Run([&] {
                  Related().Edit();
                  Related().FieldByName("LANCAMENTO").SetAsString("0002 - 0000000024");
                  Related().Post();
              }),
              "");

    // A row checked, then cancelled or deleted, leaves its key free.
    Start("05");
    ASSERT_EQ(Run([&] {
                  Related().Append();
                  Related().FieldByName("LANCAMENTO").SetAsString("23");
                  form->RelatedDocuments().Vd_ItemNotaFisc();
                  Related().Cancel();
              }),
              "");
    EXPECT_EQ(Typed("23"), "") << dialogs.Describe();
    ASSERT_TRUE(Related().Locate("LANCAMENTO", Variant("0002 - 0000000023")));
    {
        DetachedHandler<DataSet::Handler> quiet(Related().BeforeDelete);
        Related().Delete();
    }
    EXPECT_EQ(Typed("23"), "") << dialogs.Describe();
}

TEST_F(RelatedDocumentsTest, OnlyANewPostingDeletesARowAndOnlyWhenTheClerkConfirms) {
    ASSERT_EQ(Search({"0002 - 0000000022", "0002 - 0000000023"}), "");
    ASSERT_EQ(form->ActiveControl(), form->ui.dbgItemNotaFisc);
    const struct {
        bool newPosting;
        int answer; // 0: no question
        int left;
    } cases[] = {{true, mr::No, 2}, {false, 0, 2}, {true, mr::Yes, 1}};
    for (const auto& c : cases) {
        Cli_dfe11000().boInsert = c.newPosting;
        if (c.answer) dialogs.ExpectQuestion("Excl_Items").Answer(c.answer);
        EXPECT_EQ(Run([&] { Related().Delete(); }), "");
        EXPECT_EQ(Related().RecordCount(), c.left);
        EXPECT_EQ(dialogs.PendingAnswers(), 0u);
        if (c.answer) {
            EXPECT_EQ(dialogs.Messages().back().text, "Confirma exclusão do item ?");
        }
    }
}

class ItemCodeChecksTest : public testing::HeaderTest {
protected:
    void SetUp() override {
        HeaderTest::SetUp();
        Include("0001");
        form->data.cdsItemProduto.EmptyOrCreateDataSet();
    }
    void Add(const std::string& sequence, const std::string& cst, const std::string& cfop,
             const std::string& deleted = "N") {
        testing::AddLoadedItem(form->data.cdsItemProduto, {{"NRSEQITPROD", Variant(sequence)},
                                                           {"CDARVPROD", Variant("1.01.001")},
                                                           {"CDSITUTRIBPR", Variant(cst)},
                                                           {"CDFISOPEITEM", Variant(cfop)},
                                                           {"IDDELETE", Variant(deleted)}});
    }
};

TEST_F(ItemCodeChecksTest, TheFirstItemWithoutItsCodeIsFocusedAndRefused) {
    struct Row {
        const char* cst;
        const char* cfop;
        const char* deleted;
    };
    const struct {
        const char* what;
        std::vector<Row> rows;
        const char* cst;  // error of Vd_CstItem
        const char* cfop; // error of Vd_CfopItem
        const char* row;  // the item focused on the first error
    } cases[] = {
        {"complete", {{"000", "1102", "N"}, {"060", "1403", "N"}}, "", "", ""},
        {"empty before short",
         {{"000", "1102", "N"}, {"", "", "N"}, {"1", "11", "N"}},
         "Cst_Inf",
         "Cfop_Inf",
         "0002"},
        {"short", {{"000", "1102", "N"}, {"1", "11", "N"}}, "Cst_Inv", "Cfop_Inv", "0002"},
        {"deleted rows ignored", {{"", "", "S"}, {"000", "1102", "N"}}, "", "", ""},
        {"deleted, then a short one", {{"", "", "S"}, {"00", "110", "N"}}, "Cst_Inv", "Cfop_Inv", "0002"},
    };
    for (const auto& c : cases) {
        form->data.cdsItemProduto.EmptyDataSet();
        int n = 0;
        for (const Row& r : c.rows) {
            const std::string sequence = "000" + std::to_string(++n);
            Add(sequence, r.cst, r.cfop, r.deleted);
        }
        EXPECT_EQ(Run([&] { form->Items().Vd_CstItem(); }), c.cst) << c.what;
        if (*c.cst) {
            EXPECT_EQ(form->data.cdsItemProduto.FieldByName("NRSEQITPROD").AsString(), c.row) << c.what;
            EXPECT_EQ(form->ui.dbgItemProduto->SelectedField()->FieldName(), "CDSITUTRIBPR") << c.what;
        }
        EXPECT_EQ(Run([&] { form->Items().Vd_CfopItem(); }), c.cfop) << c.what;
        if (*c.cfop) {
            EXPECT_EQ(form->ui.dbgItemProduto->SelectedField()->FieldName(), "CDFISOPEITEM") << c.what;
        }
    }
}

class PreencheLoteTest : public testing::HeaderTest {
protected:
    void SetUp() override {
        HeaderTest::SetUp();
        Include("0001");
        Type("CDTIPOOPER", "01");
        form->Header().SetCurrentType("01");
        form->Header().ReopenTipoOperacForCurrent();
        DataSet& items = form->data.cdsItemProduto;
        items.EmptyOrCreateDataSet();
        for (const char* sequence : {"0001", "0002"})
            testing::AddLoadedItem(items, {{"NRSEQITPROD", Variant(sequence)},
                                           {"CDPRODUTO", Variant("0000000010")},
                                           {"CDPRODESTO", Variant("0000000010")},
                                           {"CDFILIMOVI", Variant("0001")}});
        items.First();
        Answer("GetProdFili", [this](const net::RpcRequest&) -> std::optional<Variant> {
            Packet p;
            p.fields = {FieldDef{"IDUTCTRLLOTE", FieldType::String, 1}};
            p.rows.push_back(PacketRow{RowStatus::Unmodified, {Variant(lotControlled)}, {}});
            return Variant(ToDataPacket(p));
        });
    }
    void Param(const char* field, const std::string& value) {
        DataSet& params = form->data.cdsParamDFE;
        params.Edit();
        params.FieldByName(field).SetAsString(value);
        params.Post();
    }
    void AuthorizedLot(const std::string& lot) {
        DataSet& af = form->data.cdsItemAutF;
        af.Close();
        af.CreateDataSet(
            {FieldDef{"CDPRODUTO", FieldType::String, 10}, FieldDef{"NRLOTEESTQ", FieldType::String, 20}});
        af.Append();
        af.FieldByName("CDPRODUTO").SetAsString("0000000010");
        af.FieldByName("NRLOTEESTQ").SetAsString(lot);
        af.Post();
    }
    // The items' own posting rules are the item tests'.
    std::string Fill() {
        DataSet& items = form->data.cdsItemProduto;
        DetachedHandler<DataSet::Handler> before(items.BeforePost);
        DetachedHandler<DataSet::Handler> after(items.AfterPost);
        return Run([&] { form->RelatedDocuments().PreencheLote(); });
    }
    std::string Lots() {
        DataSet& items = form->data.cdsItemProduto;
        std::string out;
        for (items.First(); !items.Eof(); items.Next())
            out += "[" + items.FieldByName("NRLOTEESTQ").AsString() + "]";
        return out;
    }
    std::string lotControlled = "S";
};

TEST_F(PreencheLoteTest, WithoutLotsOrWarehousesNothingIsAsked) {
    Param("IDUTILLOTE", "N");
    Param("IDUTILALMOX", "N");
    EXPECT_EQ(Fill(), "");
    EXPECT_EQ(Calls("GetProdFili"), 0);
    EXPECT_EQ(Lots(), "[][]");
}

TEST_F(PreencheLoteTest, ALotControlledItemTakesItsAuthorizationsLot) {
    Param("IDUTILLOTE", "S");
    Param("IDCTRLESTQ", "S");
    Param("IDSUGALMLOESTPR", "N");
    AuthorizedLot("L2026-118");
    EXPECT_EQ(Fill(), "") << dialogs.Describe();
    EXPECT_EQ(Lots(), "[L2026-118][L2026-118]");
    // Not kept by lot: a blank lot, and the placement asked where the operation moves stock.
    lotControlled = "N";
    Param("IDUTILLOTE", "N");
    Param("IDUTILALMOX", "S");
    form->data.cdsItemProduto.First();
    dialogs.ExpectModal("frmDescEstoqProd").Cancel();
    EXPECT_EQ(Fill(), "");
    EXPECT_EQ(dialogs.PendingAnswers(), 0u) << dialogs.DescribePending();
}

TEST_F(PreencheLoteTest, AMissingLotIsAskedAgainUntilGivenOrAbandoned) {
    Param("IDUTILLOTE", "S");
    Param("IDCTRLESTQ", "S");
    Param("IDSUGALMLOESTPR", "N");
    const auto confirmWithout = [](Form& f) {
        static_cast<TfrmDescEstoqProd&>(f).Rules().boConfirma = true;
        f.SetModalResult(mr::Ok);
    };
    const auto confirmWith = [this](const char* lot) {
        return [this, lot](Form& f) {
            form->data.cdsItemProduto.FieldByName("NRLOTEESTQ").SetAsString(lot);
            static_cast<TfrmDescEstoqProd&>(f).Rules().boConfirma = true;
            f.SetModalResult(mr::Ok);
        };
    };
    // First item: confirmed without a lot, told so, asked again; then both items get theirs.
    dialogs.ExpectModal("frmDescEstoqProd").Do(confirmWithout);
    dialogs.ExpectModal("frmDescEstoqProd").Do(confirmWith("A1"));
    dialogs.ExpectModal("frmDescEstoqProd").Do(confirmWith("B2"));
    EXPECT_EQ(Fill(), "Lote_Inf");
    EXPECT_EQ(dialogs.PendingAnswers(), 0u) << dialogs.DescribePending();
    EXPECT_EQ(Lots(), "[A1][B2]");

    // Abandoned: the batch ends there, the later items untouched.
    form->data.cdsItemProduto.First();
    dialogs.ExpectModal("frmDescEstoqProd").Cancel();
    EXPECT_EQ(Fill(), "");
    EXPECT_EQ(dialogs.PendingAnswers(), 0u) << dialogs.DescribePending();
}

} // namespace
} // namespace dfe::dfe11000
