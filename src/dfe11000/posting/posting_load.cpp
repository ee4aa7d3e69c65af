// The whole posting of the list row in one call. The answer is read and checked in full before any dataset
// is touched, so a refusal or a malformed answer leaves every dataset as it was.
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "platform/data/data_error.h"
#include "platform/net/check_result.h"
#include "support/show_avi.h"
#include "support/show_msg.h"
#include "dfe11000/header/header_rules.h"
#include "dfe11000/posting/posting_list.h"
#include "dfe11000/posting/posting_loader.h"
#include "dfe11000/server/module_parameters.h"

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

void PostingLoader::GetNFDadosGerais() {
    ModuleState& state = Cli_dfe11000();
    if (form_.Header().TipoOper().IDOPERDEVONF != "S")
        state.stTpOper = "N";
    else
        state.stTpOper = form_.List().DevolucaoOrigem() || !state.stLista.empty() ? "S" : "N";

    Variant answer;
    {
        support::ShowAviScope busy(form_.App().MainForm(), support::kAviCopiando, form_.msgPadrao.Msg("AtuaServ"));
        net::ConnectionReference reference(server_.References(), server_.netLancNFEntrada);
        net::CallArgs args;
        args.Str(FieldText(data_.cdsRomaneioNF, "CDFILIAL")).Str(FieldText(data_.cdsRomaneioNF, "NRLANCTONF"));
        args.Str(FieldText(data_.cdsRomaneioNF, "IDTPIJURNF")).Str(FieldText(data_.cdsRomaneioNF, "NRINSJURNF"));
        args.Str(FieldText(data_.cdsRomaneioNF, "CDFILIEMIT")).StrRef(state.stTpOper);
        args.Var(Variant(form_.Header().TipoOper().IDNFESTCANC)).Var(Variant(form_.Header().TipoOper().IDNFRETIND));
        args.Str(FieldText(data_.cdsRomaneioNF, "IDORIGDESTNF")).Var(Variant(form_.Header().TipoOper().IDOPERDEVONF));
        std::string headerState = HeaderStateWord(data_.cdsNotaFiscal.State());
        args.StrRef(headerState).StrRef(state.stListDevol);
        answer = net::CheckResultServ(server_.netLancNFEntrada.Call("GetNFDadosGerais", args));
    }
    LoadNFDadosGerais(answer);
}

void PostingLoader::LoadNFDadosGerais(const Variant& answer) {
    const std::string invalid = form_.msgPadrao.Msg("NFDados_Inv");
    if (const std::string* text = answer.TextIf()) support::MensErro(*text, true);
    if (!answer.IsArray()) support::MensErro(invalid, true);
    const std::vector<Variant>& items = answer.AsArray().Items();
    const std::string* accepted = items.empty() ? nullptr : items[0].TextIf();
    if (!accepted || *accepted != "S") {
        const std::string* reason = items.size() > 1 ? items[1].TextIf() : nullptr;
        support::MensErro(reason && !reason->empty() ? *reason : invalid, true);
    }
    if (items.size() < kAnswerSize) support::MensErro(invalid, true);

    DataSet* const order[] = {&data_.cdsNotaFiscal,  &data_.cdsItemNotaFisc, &data_.cdsItemProduto, &data_.cdsItemEncargo,
                              &data_.cdsContaPagar,  &data_.cdsDadosAdic,    &data_.cdsImposNFTot,  &data_.cdsItemProImpos,
                              &data_.cdsItensNFOrig, &data_.cdsNFRelacAF,    &data_.cdsParamForne};
    std::vector<PendingLoad> loads;
    std::string supplier;
    try {
        for (size_t i = 0; i < std::size(order); ++i)
            loads.push_back(Prepare(*order[i], items[i + 2]));
        loads.push_back(Prepare(data_.cdsProdXFornDF, items[14]));
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
        if (load.target == &data_.cdsParamForne) form_.Parameters().SetSupplierString(supplier);
    }
    if (data_.cdsNotaFiscal.Active())
        data_.cdsNotaFiscalAux.CopyDataFrom(data_.cdsNotaFiscal);
    else
        data_.cdsNotaFiscalAux.Close();
    // Another posting: what was known of the previous one's origin documents no longer holds.
    Cli_dfe11000().stExisteDadosNF = "N";
}

} // namespace dfe::dfe11000
