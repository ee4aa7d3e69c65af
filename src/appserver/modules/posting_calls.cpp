#include "appserver/modules/posting_calls.h"

#include "appserver/modules/call_arguments.h"

namespace dfe::appserver {
namespace {

// A list of codes travels as one text; its codes are checked by the method.
constexpr size_t kListTextWidth = 64 * 1024;

DateTime DateOrEmpty(const MethodContext& call, size_t index, std::string_view what) {
    return DateArg(call, index, what).value_or(DateTime());
}

net::OriginIssuer IssuerArgs(const MethodContext& call, size_t first) {
    ParticipantFilter p = ParticipantArgs(call, first);
    return {std::move(p.personType), std::move(p.number), std::move(p.issuingBranch)};
}

} // namespace

template <> net::GetRomaneioNFArgs FromCall<net::GetRomaneioNFArgs>(const MethodContext& call) {
    using Args = net::GetRomaneioNFArgs;
    ExpectArgCount(call, Args::kArgCount, Args::kArgCount);
    Args a;
    a.branch = CodeArg(call, 0, 4, "filial");
    a.series = CodeArg(call, 1, kListTextWidth, "séries");
    a.operationTypes = CodeArg(call, 2, kListTextWidth, "tipos de operação");
    a.participant = CodeArg(call, 3, 21, "participante");
    a.issuingBranch = CodeArg(call, 4, 4, "filial emitente");
    a.entryFrom = DateOrEmpty(call, 5, "entrada inicial");
    a.entryTo = DateOrEmpty(call, 6, "entrada final");
    a.issueFrom = DateOrEmpty(call, 7, "emissão inicial");
    a.issueTo = DateOrEmpty(call, 8, "emissão final");
    a.participantKind = CodeArg(call, 9, 1, "tipo de participante");
    a.allDates = CodeArg(call, 10, 1, "todas as datas");
    a.customer = CodeArg(call, 11, 21, "cliente");
    return a;
}

template <> net::GetNFDadosGeraisArgs FromCall<net::GetNFDadosGeraisArgs>(const MethodContext& call) {
    using Args = net::GetNFDadosGeraisArgs;
    ExpectArgCount(call, Args::kArgCount, Args::kArgCount);
    Args a;
    PostingKey key = PostingKeyArgs(call);
    a.branch = std::move(key.branch);
    a.postingNumber = std::move(key.number);
    ParticipantFilter participant = ParticipantArgs(call, 2);
    a.participantPersonType = std::move(participant.personType);
    a.participantNumber = std::move(participant.number);
    a.issuingBranch = std::move(participant.issuingBranch);
    a.returnKind = CodeArg(call, 5, 1, "tipo de operação de devolução");
    a.reversalElement = ScalarValueArg(call, 6, "estorno de NF-e");
    a.originQuantityElement = ScalarValueArg(call, 7, "quantidade de origem");
    a.participantKind = CodeArg(call, 8, 1, "tipo de participante");
    a.returnElement = ScalarValueArg(call, 9, "operação de devolução");
    a.headerState = CodeArg(call, 10, 10, "estado do cabeçalho");
    // Any scalar; its text.
    a.returnList = ScalarArg(call, 11, "lista de devolução");
    return a;
}

// Series, number, scope, the posting being changed and the new-posting flag: the arguments 1 to 6 the three
// duplicate-number questions share.
template <class Args> void ReadNumberQuestion(const MethodContext& call, Args& a) {
    a.series = CodeArg(call, 1, 5, "série");
    a.number = CodeArg(call, 2, 20, "número");
    a.scope = CodeArg(call, 3, 1, "abrangência");
    PostingKey key = PostingKeyArgs(call, 4);
    a.postingBranch = std::move(key.branch);
    a.postingNumber = std::move(key.number);
    a.newPosting = BoolArg(call, 6, "lançamento novo");
}

template <> net::DuplicateNumberArgs FromCall<net::DuplicateNumberArgs>(const MethodContext& call) {
    ExpectArgCount(call, net::kDuplicateNumberArgCount, net::kDuplicateNumberArgCount);
    net::DuplicateNumberArgs a;
    a.participant = CodeArg(call, 0, 21, "participante");
    ReadNumberQuestion(call, a);
    a.branchInProcess = CodeArg(call, 7, 4, "filial em processo");
    return a;
}

template <> net::GetNrFornArgs FromCall<net::GetNrFornArgs>(const MethodContext& call) {
    using Args = net::GetNrFornArgs;
    ExpectArgCount(call, Args::kArgCount, Args::kArgCount);
    Args a;
    a.supplier = CodeArg(call, 0, 21, "fornecedor");
    ReadNumberQuestion(call, a);
    a.operationType = CodeArg(call, 7, 2, "tipo de operação");
    a.branchInProcess = CodeArg(call, 8, 4, "filial em processo");
    a.model = CodeArg(call, 9, 2, "modelo");
    return a;
}

template <> net::GetNFOrigemArgs FromCall<net::GetNFOrigemArgs>(const MethodContext& call) {
    using Args = net::GetNFOrigemArgs;
    ExpectArgCount(call, Args::kArgCount, Args::kArgCount);
    Args a;
    a.number = CodeArg(call, 0, 20, "número");
    a.anyNumber = CodeArg(call, 1, 1, "qualquer número");
    a.series = CodeArg(call, 2, 5, "série");
    a.anySeries = CodeArg(call, 3, 1, "qualquer série");
    a.branch = CodeArg(call, 4, 4, "filial");
    a.issuer = IssuerArgs(call, 5);
    return a;
}

template <> net::GetNFOrigSaidArgs FromCall<net::GetNFOrigSaidArgs>(const MethodContext& call) {
    using Args = net::GetNFOrigSaidArgs;
    ExpectArgCount(call, Args::kArgCount, Args::kArgCount);
    Args a;
    a.branch = CodeArg(call, 0, 4, "filial");
    a.issuer = IssuerArgs(call, 1);
    a.series = CodeArg(call, 4, 5, "série");
    a.number = CodeArg(call, 5, 20, "número");
    a.entryOrigins = CodeArg(call, 6, kListTextWidth, "tipos de operação de origem de entrada");
    a.exitOrigins = CodeArg(call, 7, kListTextWidth, "tipos de operação de origem de saída");
    a.operationType = CodeArg(call, 8, 2, "tipo de operação");
    a.originRelated = ScalarValueArg(call, 9, "documento de origem relacionado");
    a.reversal = ScalarValueArg(call, 10, "estorno de NF-e");
    a.anySeries = CodeArg(call, 11, 1, "qualquer série");
    a.anyNumber = CodeArg(call, 12, 1, "qualquer número");
    return a;
}

template <> net::GetNFOrigListaArgs FromCall<net::GetNFOrigListaArgs>(const MethodContext& call) {
    using Args = net::GetNFOrigListaArgs;
    ExpectArgCount(call, Args::kArgCount, Args::kArgCount);
    Args a;
    a.branch = CodeArg(call, 0, 4, "filial");
    a.issuer = IssuerArgs(call, 1);
    a.entryOrigins = CodeArg(call, 4, kListTextWidth, "tipos de operação de origem de entrada");
    a.exitOrigins = CodeArg(call, 5, kListTextWidth, "tipos de operação de origem de saída");
    a.operationType = CodeArg(call, 6, 2, "tipo de operação");
    a.originRelated = ScalarValueArg(call, 7, "documento de origem relacionado");
    return a;
}

template <> net::GetItemNFArgs FromCall<net::GetItemNFArgs>(const MethodContext& call) {
    using Args = net::GetItemNFArgs;
    ExpectArgCount(call, Args::kArgCount, Args::kArgCount);
    Args a;
    a.branch = CodeArg(call, 0, 4, "filial");
    a.kind = CodeArg(call, 1, 2, "tipo dos lançamentos");
    a.issuer = IssuerArgs(call, 2);
    a.postingNumber = CodeArg(call, 5, 10, "lançamento");
    a.every = CodeArg(call, 6, 1, "todos");
    return a;
}

} // namespace dfe::appserver
