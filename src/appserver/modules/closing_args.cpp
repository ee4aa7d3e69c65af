#include "appserver/modules/closing_args.h"

#include "appserver/modules/call_arguments.h"

namespace dfe::appserver {
namespace {

std::string ArgName(const MethodContext& call, size_t index, std::string_view what) {
    return "Argumento " + std::to_string(index + 1) + " (" + std::string(what) + ") de " + call.Method();
}

// The packet as it came (decoded later, once), or null.
Variant PacketOrNullArg(const MethodContext& call, size_t index, std::string_view what) {
    const Variant& v = call.Arg(index);
    if (v.IsNull()) return Variant::Null();
    if (!v.IsPacket()) throw MethodRefusal(ArgName(call, index, what) + " deve ser um pacote de dados.");
    return v;
}

// A text of any width the client keeps for itself (release codes, stamps): read, never judged by width.
constexpr size_t kFreeText = 4096;

} // namespace

std::optional<Packet> PacketArgOrNull(const MethodContext& call, size_t index, std::string_view what) {
    const Variant v = PacketOrNullArg(call, index, what);
    if (v.IsNull()) return std::nullopt;
    try {
        return FromDataPacket(v.AsPacket());
    } catch (const PacketError& e) {
        throw MethodRefusal(ArgName(call, index, what) + ": " + e.what());
    }
}

template <> net::FechaNotaFiscalArgs FromCall<net::FechaNotaFiscalArgs>(const MethodContext& call) {
    using Args = net::FechaNotaFiscalArgs;
    ExpectArgCount(call, Args::kArgCount, Args::kArgCount);
    Args a;
    a.header = PacketOrNullArg(call, 0, "cabeçalho");
    a.items = PacketOrNullArg(call, 1, "itens");
    a.relatedDocuments = PacketOrNullArg(call, 2, "documentos relacionados");
    a.charges = PacketOrNullArg(call, 3, "encargos");
    a.installments = PacketOrNullArg(call, 4, "vencimentos");
    a.additionalData = PacketOrNullArg(call, 5, "dados adicionais");
    a.itemTaxes = PacketOrNullArg(call, 6, "impostos dos itens");
    a.taxTotals = PacketOrNullArg(call, 7, "totais dos impostos");
    a.authorizationLinks = PacketOrNullArg(call, 8, "relação com autorizações");
    a.allItems = PacketOrNullArg(call, 9, "todos os itens");
    a.receivingBranch = CodeArg(call, 10, 4, "filial recebedora");
    a.entryDate = DateArg(call, 11, "data de entrada").value_or(DateTime());
    a.onlineStock = CodeArg(call, 12, 1, "estoque on-line");
    a.stockFrom = DateArg(call, 13, "início do período de estoque").value_or(DateTime());
    a.stockTo = DateArg(call, 14, "fim do período de estoque").value_or(DateTime());
    a.stockPosting = CodeArg(call, 15, 10, "lançamento de estoque");
    a.productsValue = NumberArg(call, 16, "valor dos produtos").value_or(0);
    a.releaseCodes = CodeArg(call, 17, kFreeText, "códigos de liberação");
    a.operationType = CodeArg(call, 18, 2, "tipo de operação");
    a.operatorCode = CodeArg(call, 19, 12, "operador");
    a.otherInvoices = CodeArg(call, 20, 1, "outras notas");
    a.series = CodeArg(call, 21, 5, "série");
    a.branchInProcess = CodeArg(call, 22, 4, "filial em processo");
    a.generateReturn = BoolArg(call, 23, "gera devolução");
    a.documentValue = NumberArg(call, 24, "valor da nota").value_or(0);
    a.returnFlag = ScalarValueArg(call, 25, "operação de devolução");
    a.destinationIsBranch = BoolArg(call, 26, "destino filial");
    a.integrationCode = CodeArg(call, 27, 16, "código de integração");
    a.nfeItems = call.Arg(28);
    a.apportionA = CodeArg(call, 29, 1, "indicador de rateio A");
    a.apportionB = CodeArg(call, 30, 1, "indicador de rateio B");
    a.reversalFlag = ScalarValueArg(call, 31, "estorno de NF-e");
    a.hideCredited = CodeArg(call, 32, 1, "visualiza impostos creditados");
    a.danfeStamp = CodeArg(call, 33, kFreeText, "data e hora do DANFE");
    a.showNfeInfo = CodeArg(call, 34, 1, "painel da NF-e");
    a.supplierLimit = CodeArg(call, 35, 1, "limite do fornecedor");
    return a;
}

template <> net::GetOcorrAtendArgs FromCall<net::GetOcorrAtendArgs>(const MethodContext& call) {
    using Args = net::GetOcorrAtendArgs;
    ExpectArgCount(call, Args::kArgCount, Args::kArgCount);
    Args a;
    a.participantKind = CodeArg(call, 0, 1, "tipo de participante");
    a.customer = CodeArg(call, 1, 21, "cliente");
    a.supplier = CodeArg(call, 2, 21, "fornecedor");
    a.issuingBranch = CodeArg(call, 3, 4, "filial emitente");
    a.relatedBranch = CodeArg(call, 4, 4, "filial do documento relacionado");
    a.relatedPosting = CodeArg(call, 5, 10, "lançamento do documento relacionado");
    a.branchInProcess = CodeArg(call, 6, 4, "filial em processo");
    a.operatorCode = CodeArg(call, 7, 12, "operador");
    a.operatorName = CodeArg(call, 8, 60, "nome do operador");
    a.branch = CodeArg(call, 9, 4, "filial");
    a.postingNumber = CodeArg(call, 10, 10, "lançamento");
    return a;
}

template <> net::AprovaNotaFiscalArgs FromCall<net::AprovaNotaFiscalArgs>(const MethodContext& call) {
    using Args = net::AprovaNotaFiscalArgs;
    ExpectArgCount(call, Args::kArgCount, Args::kArgCount);
    Args a;
    a.branch = CodeArg(call, 0, 4, "filial");
    a.postingNumber = CodeArg(call, 1, 10, "lançamento");
    a.receivingBranch = CodeArg(call, 2, 4, "filial recebedora");
    a.operatorCode = CodeArg(call, 3, 12, "operador");
    a.branchInProcess = CodeArg(call, 4, 4, "filial em processo");
    a.company = CodeArg(call, 5, 2, "empresa");
    a.supplier = CodeArg(call, 6, 21, "fornecedor");
    a.operationType = CodeArg(call, 7, 2, "tipo de operação");
    return a;
}

} // namespace dfe::appserver
