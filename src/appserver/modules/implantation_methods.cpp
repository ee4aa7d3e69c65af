#include "appserver/modules/implantation_methods.h"

#include "appserver/modules/call_arguments.h"
#include "appserver/modules/layout_query.h"
#include "platform/net/connection_names.h"

namespace dfe::appserver {
namespace {

// Arguments: the receiving branch, the entry date, the posting's branch and number. The stock that moves is
// the receiving branch's (the posting's own branch while none is set). One row "Lib00200_2" when that
// branch's implantation is made for the entry day; none for an empty date.
Variant VerifLiberacao(MethodContext& call) {
    ExpectArgCount(call, 4, 4);
    const std::string receiving = CodeArg(call, 0, 4, "filial recebedora");
    const std::optional<DateTime> date = DateArg(call, 1, "data de entrada");
    const PostingKey posting = PostingKeyArgs(call, 2);
    const std::string branch = receiving.empty() ? posting.branch : receiving;
    if (branch.empty())
        throw MethodRefusal(
            "A filial recebedora deve ser informada para verificar a implantação do estoque.");
    if (!date) return Variant(PacketEncoder(ReleaseCheckLayout()).Finish());
    return Variant(QueryPacket(
        call.Db(), ReleaseCheckLayout(),
        "SELECT 'Lib00200_2' AS CDERRO FROM IMPLANTESTQ"
        " WHERE CDFILIAL = :P_CDFILIAL AND DTIMPLANT = :P_DATA",
        {{"P_CDFILIAL", branch}, {"P_DATA", Variant(DateTime(static_cast<double>(date->WholeDays())))}}));
}

} // namespace

void RegisterImplantationMethods(MethodRegistry& registry) {
    registry.Add(net::kLancNFEntrada, "Verif_Liberacao", MethodKind::Read, VerifLiberacao);
}

} // namespace dfe::appserver
