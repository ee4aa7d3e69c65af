// The whole posting of the list row in one call. The answer is read and checked in full before any dataset
// is touched, so a refusal or a malformed answer leaves every dataset as it was.
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/posting/row_fields.h"
#include "platform/data/data_error.h"
#include "platform/net/check_result.h"
#include "support/show_avi.h"
#include "support/show_msg.h"

#include <optional>

namespace dfe::dfe11000 {
namespace {

constexpr size_t kAnswerSize = 15;
constexpr size_t kSupplierString = 13;

// One element of the answer ready to load: a packet that fits its dataset, or nothing (the dataset closes).
struct PendingLoad {
    DataSet* target;
    std::optional<Packet> packet;
};

std::string HeaderStateWord(DataSetState state) {
    const bool named =
        state == DataSetState::Browse || state == DataSetState::Edit || state == DataSetState::Insert;
    return named ? DataSetStateName(state) : "INATIVO";
}

PendingLoad Prepare(DataSet& target, const Variant& element) {
    if (element.IsNull()) return {&target, std::nullopt};
    if (!element.IsPacket())
        throw PacketError(target.Name() + ": esperava um pacote de dados e recebeu " +
                          VariantTypeName(element.Type()));
    Packet packet = FromDataPacket(element.AsPacket());
    target.CheckData(packet);
    return {&target, std::move(packet)};
}

} // namespace

void TfrmLancNFEntrada::GetNFDadosGerais() {
    ModuleState& state = Cli_dfe11000();
    if (TipoOperElem(0) != "S")
        state.stTpOper = "N";
    else
        state.stTpOper = DevolucaoOrigem() || !state.stLista.empty() ? "S" : "N";

    Variant answer;
    {
        support::ShowAviScope busy(App().MainForm(), support::kAviCopiando, msgPadrao.Msg("AtuaServ"));
        net::ConnectionReference reference(References(), netLancNFEntrada);
        net::CallArgs args;
        args.Str(FieldText(cdsRomaneioNF, "CDFILIAL")).Str(FieldText(cdsRomaneioNF, "NRLANCTONF"));
        args.Str(FieldText(cdsRomaneioNF, "IDTPIJURNF")).Str(FieldText(cdsRomaneioNF, "NRINSJURNF"));
        args.Str(FieldText(cdsRomaneioNF, "CDFILIEMIT")).StrRef(state.stTpOper);
        args.Var(Variant(TipoOperElem(8))).Var(Variant(TipoOperElem(14)));
        args.Str(FieldText(cdsRomaneioNF, "IDORIGDESTNF")).Var(Variant(TipoOperElem(0)));
        std::string headerState = HeaderStateWord(cdsNotaFiscal.State());
        args.StrRef(headerState).StrRef(state.stListDevol);
        answer = net::CheckResultServ(netLancNFEntrada.Call("GetNFDadosGerais", args));
    }
    LoadNFDadosGerais(answer);
}

void TfrmLancNFEntrada::LoadNFDadosGerais(const Variant& answer) {
    const std::string invalid = msgPadrao.Msg("NFDados_Inv");
    if (const std::string* text = answer.TextIf()) support::MensErro(*text, true);
    if (!answer.IsArray()) support::MensErro(invalid, true);
    const std::vector<Variant>& items = answer.AsArray().Items();
    const std::string* accepted = items.empty() ? nullptr : items[0].TextIf();
    if (!accepted || *accepted != "S") {
        const std::string* reason = items.size() > 1 ? items[1].TextIf() : nullptr;
        support::MensErro(reason && !reason->empty() ? *reason : invalid, true);
    }
    if (items.size() < kAnswerSize) support::MensErro(invalid, true);

    DataSet* const order[] = {&cdsNotaFiscal,  &cdsItemNotaFisc, &cdsItemProduto, &cdsItemEncargo,
                              &cdsContaPagar,  &cdsDadosAdic,    &cdsImposNFTot,  &cdsItemProImpos,
                              &cdsItensNFOrig, &cdsNFRelacAF,    &cdsParamForne};
    std::vector<PendingLoad> loads;
    std::string supplier;
    try {
        for (size_t i = 0; i < std::size(order); ++i)
            loads.push_back(Prepare(*order[i], items[i + 2]));
        loads.push_back(Prepare(cdsProdXFornDF, items[14]));
        const Variant& text = items[kSupplierString];
        if (!text.IsNull() && !text.TextIf()) throw PacketError("texto do fornecedor inválido");
        supplier = text.AsString();
    } catch (const PacketError& e) {
        support::MensErro(invalid + "\n" + e.what(), true);
    } catch (const DataSetError& e) {
        support::MensErro(invalid + "\n" + e.what(), true);
    }

    for (PendingLoad& load : loads) {
        if (load.packet)
            load.target->SetData(std::move(*load.packet));
        else
            load.target->Close();
        if (load.target == &cdsParamForne) stParamForn = supplier;
    }
    if (cdsNotaFiscal.Active())
        cdsNotaFiscalAux.CopyDataFrom(cdsNotaFiscal);
    else
        cdsNotaFiscalAux.Close();
    // Another posting: what was known of the previous one's origin documents no longer holds.
    Cli_dfe11000().stExisteDadosNF = "N";
}

} // namespace dfe::dfe11000
