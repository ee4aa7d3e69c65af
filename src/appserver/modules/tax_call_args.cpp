#include "appserver/modules/tax_call_args.h"

#include "appserver/modules/call_arguments.h"

namespace dfe::appserver {
namespace {

// The origin list of a return travels as one text; its keys are the method's to check.
constexpr size_t kListTextWidth = 64 * 1024;

double Number(const MethodContext& call, size_t index, std::string_view what) {
    return NumberArg(call, index, what).value_or(0.0);
}

} // namespace

template <> net::GetImpoItemArgs FromCall<net::GetImpoItemArgs>(const MethodContext& call) {
    using Args = net::GetImpoItemArgs;
    ExpectArgCount(call, Args::kArgCount, Args::kArgCount);
    Args a;
    a.receivingBranch = CodeArg(call, 0, 4, "filial recebedora");
    a.company = CodeArg(call, 1, 2, "empresa");
    a.stateRegistration = CodeArg(call, 2, 16, "inscrição estadual");
    a.operationType = CodeArg(call, 3, 2, "tipo de operação");
    a.fiscalGroup = CodeArg(call, 4, 3, "grupo fiscal");
    a.productTree = CodeArg(call, 5, 20, "árvore do produto");
    a.product = CodeArg(call, 6, 10, "produto");
    a.brand = CodeArg(call, 7, 5, "marca");
    a.entryDate = DateArg(call, 8, "data de entrada").value_or(DateTime());
    a.itemTotal = Number(call, 9, "valor total do item");
    a.supplier = CodeArg(call, 10, 21, "fornecedor");
    const Variant& totals = call.Arg(11);
    if (!totals.IsNull() && !totals.IsPacket()) {
        throw MethodRefusal("Argumento 12 (totais de impostos) de " + call.Method() +
                            " deve ser um pacote de dados.");
    }
    a.documentTotals = totals;
    a.returnWithOrigin = CodeArg(call, 12, 1, "devolução com origem");
    a.relatedPosting = CodeArg(call, 13, 10, "lançamento relacionado");
    a.relatedBranch = CodeArg(call, 14, 4, "filial relacionada");
    a.quantity = Number(call, 15, "quantidade");
    a.postingNumber = CodeArg(call, 16, 10, "número do lançamento");
    a.returnList = CodeArg(call, 17, kListTextWidth, "lista de devolução");
    a.listMode = CodeArg(call, 18, 1, "devolução em lista");
    a.listModeInserting = CodeArg(call, 19, 1, "lista em inclusão");
    a.originQuantity = Number(call, 20, "quantidade de origem");
    a.unitPrice = Number(call, 21, "valor unitário");
    a.lot = CodeArg(call, 22, 20, "lote");
    a.subLot = CodeArg(call, 23, 4, "sublote");
    a.itemSequence = CodeArg(call, 24, 4, "sequência do item");
    a.regenerate = CodeArg(call, 25, 1, "regerar impostos");
    a.issuingBranch = CodeArg(call, 26, 4, "filial emitente");
    a.customer = CodeArg(call, 27, 21, "cliente");
    a.originTotal = Number(call, 28, "valor total de origem");
    a.discount = Number(call, 29, "desconto");
    a.branch = CodeArg(call, 30, 4, "filial do item");
    a.workCode = CodeArg(call, 31, 10, "código de trabalho");
    a.productOrigin = CodeArg(call, 32, 1, "origem do produto");
    a.participantState = CodeArg(call, 33, 2, "estado");
    a.municipality = CodeArg(call, 34, 5, "município");
    return a;
}

template <> net::CriaVencimentosArgs FromCall<net::CriaVencimentosArgs>(const MethodContext& call) {
    using Args = net::CriaVencimentosArgs;
    ExpectArgCount(call, Args::kArgCount, Args::kArgCount);
    Args a;
    a.kind = CodeArg(call, 0, 1, "tipo");
    // "CDFILDEST||CDFILLANC||NRAUTOFORN" or a supplier code.
    a.key = CodeArg(call, 1, 4 + 2 + 4 + 2 + 10, "chave");
    a.amount = Number(call, 2, "valor");
    a.issueDate = DateArg(call, 3, "data de emissão").value_or(DateTime());
    a.entryDate = DateArg(call, 4, "data de entrada").value_or(DateTime());
    a.receivingBranch = CodeArg(call, 5, 4, "filial recebedora");
    return a;
}

} // namespace dfe::appserver
