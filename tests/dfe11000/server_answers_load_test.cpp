#include "module_fixture.h"

#include "platform/net/check_result.h"

namespace dfe::dfe11000 {
namespace {

// The server's answers of the demo postings load into the screen's own datasets, as declared: the contract
// between the two sides, checked with both of them real.
class ServerAnswersLoad : public testing::ModuleTest {
protected:
    void SetUp() override {
        form = &Open();
        lanc.SetHost(std::string(net::kInProcessHost));
        lanc.Connect();
    }
    Variant GeneralData(const char* branch, const char* number, const char* kind) {
        std::string tpOper = "N", state = "BROWSE", listDevol;
        return lanc.Call("GetNFDadosGerais", net::CallArgs()
                                                 .Str(branch)
                                                 .Str(number)
                                                 .Str("")
                                                 .Str("")
                                                 .Str("")
                                                 .StrRef(tpOper)
                                                 .Var(Variant("N"))
                                                 .Var(Variant("N"))
                                                 .Str(kind)
                                                 .Var(Variant("N"))
                                                 .StrRef(state)
                                                 .StrRef(listDevol));
    }

    TfrmLancNFEntrada* form = nullptr;
    net::TNetConnection lanc{net::kLancNFEntrada};
};

TEST_F(ServerAnswersLoad, TheListLoadsIntoTheListDataset) {
    std::string branch = "0001", series = "T", none, kind, all = "T";
    DateTime noDate;
    form->data.cdsRomaneioNF.SetData(net::CheckResultServ(lanc.Call("GetRomaneioNF", net::CallArgs()
                                                                                         .StrRef(branch)
                                                                                         .StrRef(series)
                                                                                         .StrRef(none)
                                                                                         .StrRef(none)
                                                                                         .StrRef(none)
                                                                                         .DateRef(noDate)
                                                                                         .DateRef(noDate)
                                                                                         .DateRef(noDate)
                                                                                         .DateRef(noDate)
                                                                                         .StrRef(kind)
                                                                                         .StrRef(all)
                                                                                         .StrRef(none))));
    EXPECT_EQ(form->data.cdsRomaneioNF.RecordCount(), 11);
    EXPECT_EQ(form->data.cdsRomaneioNF.FieldCount(), 32);
}

TEST_F(ServerAnswersLoad, EveryPostingOpensIntoThePostingDatasets) {
    TfrmLancNFEntrada& f = *form;
    DataSet* targets[] = {&f.data.cdsNotaFiscal,  &f.data.cdsItemNotaFisc, &f.data.cdsItemProduto,
                          &f.data.cdsItemEncargo, &f.data.cdsContaPagar,   &f.data.cdsDadosAdic,
                          &f.data.cdsImposNFTot,  &f.data.cdsItemProImpos, &f.data.cdsItensNFOrig,
                          &f.data.cdsNFRelacAF,   &f.data.cdsParamForne};
    const struct {
        const char* branch;
        const char* number;
        const char* kind;
    } postings[] = {{"0001", "0000000001", "F"}, {"0001", "0000000003", "F"}, {"0001", "0000000005", "C"},
                    {"0001", "0000000006", "F"}, {"0001", "0000000007", "C"}, {"0001", "0000000010", "L"},
                    {"0002", "0000000002", "F"}, {"0002", "0000000004", "F"}, {"0003", "0000000001", "F"}};
    for (const auto& p : postings) {
        const Variant answer = GeneralData(p.branch, p.number, p.kind);
        ASSERT_TRUE(answer.IsArray()) << p.number;
        const VariantArray& a = answer.AsArray();
        ASSERT_EQ(a[0], Variant("S")) << p.number;
        for (int i = 0; i < 11; ++i) {
            EXPECT_NO_THROW(targets[i]->SetData(a[i + 2]))
                << p.branch << "/" << p.number << " " << targets[i]->Name();
        }
        EXPECT_NO_THROW(f.data.cdsProdXFornDF.SetData(a[14])) << p.number;
        EXPECT_EQ(f.data.cdsNotaFiscal.RecordCount(), 1) << p.number;
        EXPECT_EQ(f.data.cdsNotaFiscal.FieldByName("NRLANCTONF").AsString(), p.number);
    }
}

TEST_F(ServerAnswersLoad, OriginItemsServiceCodesAndOriginCountLoad) {
    std::string list = "0001 - 0000000091_0001 - 0000000092_", none;
    form->data.cdsItemNFOrigem.SetData(net::CheckResultServ(
        lanc.Call("GetItemNFOrigem", net::CallArgs().StrRef(list).StrRef(none).StrRef(none))));
    EXPECT_EQ(form->data.cdsItemNFOrigem.RecordCount(), 2);
    form->data.cdsListServProd.SetData(net::CheckResultServ(lanc.Call("GetListServProd")));
    EXPECT_EQ(form->data.cdsListServProd.RecordCount(), 91);
    std::string branch = "0001", number = "0000000007";
    form->data.cdsCountNFOrig.SetData(
        net::CheckResultServ(lanc.Call("GetCountNFOrig", net::CallArgs().StrRef(branch).StrRef(number))));
    EXPECT_EQ(form->data.cdsCountNFOrig.FieldByName("NRREGISTROS").AsInteger(), 2);
}

} // namespace
} // namespace dfe::dfe11000
