#include "module_fixture.h"
#include "posting_packets.h"

#include "platform/net/check_result.h"
#include "platform/net/net_errors.h"

#include <algorithm>
#include <functional>

namespace dfe::dfe11000 {
namespace {

using testing::PacketVariant;
using testing::Text;

class PostingLoaders : public testing::ModuleTest {
protected:
    void SetUp() override {
        form = &Open();
        DefineOperationType("T1");
        form->Header().SetCurrentType("T1");
        form->data.cdsRomaneioNF.SetData(testing::PacketFor(form->data.cdsRomaneioNF,
                                                            testing::ListRowFields(),
                                                            {{{"CDFILIAL", "0001"},
                                                              {"NRLANCTONF", "0000000009"},
                                                              {"IDORIGDESTNF", "C"},
                                                              {"CDTIPOOPER", "01"}}}));
        references = form->server.References().Count(net::kLancNFEntrada);
    }

    // Answers `method` with one row marked with the method's name, after `failures` lost connections.
    void Serve(const std::string& method, DataSet& ds, int failures = 0) {
        Answer(
            method,
            [this, method, &ds, failures](const net::RpcRequest& request) mutable -> std::optional<Variant> {
                order.push_back(method);
                arguments[method] = request.args.size();
                if (failures-- > 0) throw net::ConnectionError("conexão perdida");
                for (const net::RpcArg& a : request.args)
                    firstArgs[method].push_back(a.value.IsNull() ? "" : a.value.AsString());
                return PacketVariant(ds, {Text("MARCA", 20)}, {{{"MARCA", method}}});
            });
    }

    std::string Mark(const DataSet& ds) const {
        return ds.Active() && ds.FindField("MARCA") ? ds.FieldByName("MARCA").AsString() : "(fechado)";
    }

    TfrmLancNFEntrada* form = nullptr;
    int references = 0;
    std::vector<std::string> order;
    std::map<std::string, size_t> arguments;
    std::map<std::string, std::vector<std::string>> firstArgs;
};

TEST_F(PostingLoaders, EachPartIsOneCallWithItsBusyText) {
    struct Case {
        const char* method;
        std::function<void(TfrmLancNFEntrada&)> load;
        DataSet PostingDataSets::*target;
        const char* part;
        size_t arguments;
    };
    const Case cases[] = {
        {"GetNotaFiscal", [](TfrmLancNFEntrada& f) { f.Loader().GetNotaFiscal(); },
         &PostingDataSets::cdsNotaFiscal, "Corpo", 2},
        {"GetItemProduto", [](TfrmLancNFEntrada& f) { f.Loader().GetItemProduto(); },
         &PostingDataSets::cdsItemProduto, "Produtos", 6},
        {"GetItemNotaFisc", [](TfrmLancNFEntrada& f) { f.Loader().GetItemNotaFisc(); },
         &PostingDataSets::cdsItemNotaFisc, "Documentos relacionados...", 5},
        {"GetItemNFOrigem",
         [](TfrmLancNFEntrada& f) { f.Loader().GetItemNFOrigem("N", "0001", "0000000003"); },
         &PostingDataSets::cdsItemNFOrigem, "Produtos", 3},
        {"GetItemEncargo", [](TfrmLancNFEntrada& f) { f.Loader().GetItemEncargo(); },
         &PostingDataSets::cdsItemEncargo, "Encargos", 2},
        {"GetContaPagar", [](TfrmLancNFEntrada& f) { f.Loader().GetContaPagar(); },
         &PostingDataSets::cdsContaPagar, "Conta pagar", 2},
        {"GetDadosAdic", [](TfrmLancNFEntrada& f) { f.Loader().GetDadosAdic(); },
         &PostingDataSets::cdsDadosAdic, "Dados Adicionais", 2},
        {"GetImposNFTot", [](TfrmLancNFEntrada& f) { f.Loader().GetImposNFTot(); },
         &PostingDataSets::cdsImposNFTot, "Totalização de impostos", 3},
        {"GetItemProImpos", [](TfrmLancNFEntrada& f) { f.Loader().GetItemProImpos(); },
         &PostingDataSets::cdsItemProImpos, "Impostos por produto", 2},
    };
    for (const Case& c : cases) {
        DataSet& target = form->data.*c.target;
        // Two lost connections are repeated without a word.
        Serve(c.method, target, 2);
        c.load(*form);
        EXPECT_EQ(Calls(c.method), 3) << c.method;
        EXPECT_EQ(Mark(target), c.method);
        EXPECT_EQ(arguments[c.method], c.arguments) << c.method;
        ASSERT_GE(firstArgs[c.method].size(), 2u) << c.method;
        if (std::string(c.method) != "GetItemNFOrigem") {
            EXPECT_EQ(firstArgs[c.method][0], "0001") << c.method;
            EXPECT_EQ(firstArgs[c.method][1], "0000000009") << c.method;
        }
        const std::string busy = std::string("Recebendo nota fiscal (") + c.part + ") do servidor...";
        const std::vector<std::string>& texts = dialogs.BusyTexts();
        EXPECT_NE(std::find(texts.begin(), texts.end(), busy), texts.end()) << c.method;
    }
    EXPECT_EQ(form->data.cdsNotaFiscalAux.Data(), form->data.cdsNotaFiscal.Data());
    EXPECT_EQ(dialogs.Messages().size(), 0u) << dialogs.Describe();
    EXPECT_EQ(dialogs.BusyDepth(), 0);
    EXPECT_EQ(form->server.References().Count(net::kLancNFEntrada), references);
}

TEST_F(PostingLoaders, AReturnWithAnOriginListReadsItsOriginsFirst) {
    Serve("GetItensNFOrig", form->data.cdsItensNFOrig);
    Serve("GetItemProduto", form->data.cdsItemProduto);
    DefineOperationType("01", {{"IDOPERDEVONF", "S"}}); // the listed posting's type
    form->ui.rbtLista->SetChecked(true);
    form->Loader().GetItemProduto();
    EXPECT_EQ(order, (std::vector<std::string>{"GetItensNFOrig", "GetItemProduto"}));
    EXPECT_EQ(Mark(form->data.cdsItensNFOrig), "GetItensNFOrig");

    order.clear();
    DefineOperationType("01", {{"IDOPERDEVONF", "N"}});
    form->Loader().GetItemProduto();
    EXPECT_EQ(order, (std::vector<std::string>{"GetItemProduto"}));
}

TEST_F(PostingLoaders, ARefusalIsShownOnceAndKeepsTheLoadedPart) {
    Serve("GetItemEncargo", form->data.cdsItemEncargo);
    form->Loader().GetItemEncargo();
    Answer("GetItemEncargo",
           [](const net::RpcRequest&) { return net::MakeErrorAnswer("Lançamento excluído."); });
    app.Dispatch([&] { form->Loader().GetItemEncargo(); });
    EXPECT_EQ(Calls("GetItemEncargo"), 2);
    EXPECT_TRUE(dialogs.Shown("Lançamento excluído."));
    EXPECT_EQ(Mark(form->data.cdsItemEncargo), "GetItemEncargo");
    EXPECT_EQ(dialogs.BusyDepth(), 0);
    EXPECT_EQ(form->server.References().Count(net::kLancNFEntrada), references);
}

} // namespace
} // namespace dfe::dfe11000
