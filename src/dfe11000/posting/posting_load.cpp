// The whole posting of the list row in one call. The answer is read and checked in full before any dataset
// is touched, so a refusal or a malformed answer leaves every dataset as it was.
#include "dfe11000/header/header_rules.h"
#include "dfe11000/header/origin_rules.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/posting/posting_list.h"
#include "dfe11000/posting/posting_loader.h"
#include "dfe11000/server/module_parameters.h"
#include "platform/data/data_error.h"
#include "platform/net/answer_reader.h"
#include "platform/net/net_errors.h"
#include "platform/net/posting_calls.h"
#include "support/show_avi.h"
#include "support/show_msg.h"

#include <optional>

namespace dfe::dfe11000 {
namespace {

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
        state.stTpOper = form_.Origin().DevolucaoOrigem() || !state.stLista.empty() ? "S" : "N";

    const OperationType type = form_.Header().TipoOper();
    net::GetNFDadosGeraisArgs call;
    CallOptions options;
    options.busyText = form_.msgPadrao.Msg("AtuaServ");
    const Variant answer = server_.Call(
        server_.netLancNFEntrada, net::GetNFDadosGeraisArgs::kMethod,
        [&] {
            call = net::GetNFDadosGeraisArgs{};
            call.branch = FieldText(data_.cdsRomaneioNF, "CDFILIAL");
            call.postingNumber = FieldText(data_.cdsRomaneioNF, "NRLANCTONF");
            call.participantPersonType = FieldText(data_.cdsRomaneioNF, "IDTPIJURNF");
            call.participantNumber = FieldText(data_.cdsRomaneioNF, "NRINSJURNF");
            call.issuingBranch = FieldText(data_.cdsRomaneioNF, "CDFILIEMIT");
            call.returnKind = state.stTpOper;
            call.reversalElement = Variant(type.IDNFESTCANC);
            call.originQuantityElement = Variant(type.IDNFRETIND);
            call.participantKind = FieldText(data_.cdsRomaneioNF, "IDORIGDESTNF");
            call.returnElement = Variant(type.IDOPERDEVONF);
            call.headerState = HeaderStateWord(data_.cdsNotaFiscal.State());
            call.returnList = state.stListDevol;
            return net::ToCallArgs(call);
        },
        options);
    state.stTpOper = call.returnKind;
    state.stListDevol = call.returnList;
    LoadNFDadosGerais(answer);
}

void PostingLoader::LoadNFDadosGerais(const Variant& answer) {
    const std::string invalid = form_.msgPadrao.Msg("NFDados_Inv");
    if (const std::string* text = answer.TextIf()) support::MensErro(*text, true);
    if (!answer.IsArray()) support::MensErro(invalid, true);

    const std::pair<const char*, DataSet*> parts[] = {
        {"cdsNotaFiscal", &data_.cdsNotaFiscal},   {"cdsItemNotaFisc", &data_.cdsItemNotaFisc},
        {"cdsItemProduto", &data_.cdsItemProduto}, {"cdsItemEncargo", &data_.cdsItemEncargo},
        {"cdsContaPagar", &data_.cdsContaPagar},   {"cdsDadosAdic", &data_.cdsDadosAdic},
        {"cdsImposNFTot", &data_.cdsImposNFTot},   {"cdsItemProImpos", &data_.cdsItemProImpos},
        {"cdsItensNFOrig", &data_.cdsItensNFOrig}, {"cdsNFRelacAF", &data_.cdsNFRelacAF},
        {"cdsParamForne", &data_.cdsParamForne},   {"cdsProdXFornDF", &data_.cdsProdXFornDF}};
    std::vector<PendingLoad> loads;
    std::string supplier;
    try {
        const net::AnswerReader reader(answer, net::kGetNFDadosGeraisAnswer);
        const std::string* accepted = reader.Received() > 0 ? reader.Element("accepted").TextIf() : nullptr;
        if (!accepted || *accepted != "S") {
            const std::string* reason = reader.Received() > 1 ? reader.Element("message").TextIf() : nullptr;
            support::MensErro(reason && !reason->empty() ? *reason : invalid, true);
        }
        reader.ExpectComplete();
        for (const auto& [name, target] : parts)
            loads.push_back(Prepare(*target, reader.Element(name)));
        supplier = reader.Text("stParamForn");
    } catch (const net::AnswerError& e) {
        support::MensErro(invalid + "\n" + e.what(), true);
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
    form_.Header().ForgetOperationType();
}

} // namespace dfe::dfe11000
