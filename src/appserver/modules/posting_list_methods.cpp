#include "appserver/modules/posting_list_methods.h"

#include "appserver/modules/layout_query.h"
#include "appserver/modules/posting_calls.h"
#include "appserver/sql/text_list.h"
#include "platform/core/text.h"
#include "platform/net/connection_names.h"

namespace dfe::appserver {
namespace {

// More codes than any register holds: a longer list is not one the client built.
constexpr size_t kMaxListCodes = 500;

struct ListFilter {
    std::string branch;
    std::vector<std::string> series;     // empty: every series
    std::vector<std::string> operations; // empty: every operation type
    std::string participant;             // registration number of the customer or supplier
    std::string issuingBranch;
    std::optional<DateTime> entryFrom, entryTo, issueFrom, issueTo;
    std::string kind; // "C", "F", "L" or empty for every participant
    std::string customerCode;
};

std::vector<std::string> CodeList(const std::string& listText, size_t width, std::string_view what) {
    std::vector<std::string> codes = ParseCodeList(listText);
    if (codes.size() > kMaxListCodes) {
        throw MethodRefusal("A lista de " + std::string(what) + " tem mais de " +
                            std::to_string(kMaxListCodes) + " códigos.");
    }
    for (const std::string& code : codes) {
        if (text::Length(code) > width) {
            throw MethodRefusal("Código inválido na lista de " + std::string(what) + ": \"" + code + "\".");
        }
    }
    return codes;
}

std::optional<DateTime> Bound(DateTime d) {
    return d.IsEmpty() ? std::nullopt : std::optional<DateTime>(d);
}

ListFilter ReadFilter(const MethodContext& call) {
    const auto args = FromCall<net::GetRomaneioNFArgs>(call);
    ListFilter f;
    f.branch = args.branch;
    if (f.branch.empty()) throw MethodRefusal("A filial dos lançamentos deve ser informada.");
    if (args.series != "T") f.series = CodeList(args.series, 5, "séries");
    f.operations = CodeList(args.operationTypes, 2, "tipos de operação");
    f.participant = args.participant;
    f.issuingBranch = args.issuingBranch;
    f.entryFrom = Bound(args.entryFrom);
    f.entryTo = Bound(args.entryTo);
    f.issueFrom = Bound(args.issueFrom);
    f.issueTo = Bound(args.issueTo);
    f.kind = args.participantKind;
    if (!f.kind.empty() && f.kind != "C" && f.kind != "F" && f.kind != "L") {
        throw MethodRefusal("Tipo de participante inválido: \"" + f.kind + "\" (use C, F, L ou vazio).");
    }
    if (args.allDates == "T") f.issueFrom = f.issueTo = std::nullopt;
    f.customerCode = args.customer;
    return f;
}

// A date bound covers its whole day, whatever the time stored with the posting's date.
void AddDateRange(std::string& sql, db::SqlParams& params, std::string_view column, std::string_view name,
                  const std::optional<DateTime>& from, const std::optional<DateTime>& to) {
    if (from) {
        sql += " AND " + std::string(column) + " >= :P_" + std::string(name) + "INI";
        params.emplace_back("P_" + std::string(name) + "INI",
                            DateTime(static_cast<double>(from->WholeDays())));
    }
    if (to) {
        sql += " AND " + std::string(column) + " < :P_" + std::string(name) + "FIM";
        params.emplace_back("P_" + std::string(name) + "FIM",
                            DateTime(static_cast<double>(to->WholeDays() + 1)));
    }
}

void AddParticipant(std::string& sql, db::SqlParams& params, const ListFilter& f) {
    if (f.kind == "C") {
        sql += " AND N.IDORIGDESTNF = 'C'";
        if (!f.participant.empty()) {
            sql += " AND N.NRINSJURNF = :P_PARTICIPANTE";
            params.emplace_back("P_PARTICIPANTE", f.participant);
        }
        if (!f.customerCode.empty()) {
            sql += " AND N.CDCLIENTE = :P_CDCLIENTE";
            params.emplace_back("P_CDCLIENTE", f.customerCode);
        }
    } else if (f.kind == "F") {
        // A posting without a kind is a supplier's.
        sql += " AND COALESCE(N.IDORIGDESTNF, 'F') NOT IN ('C', 'L')";
        if (!f.participant.empty()) {
            sql += " AND N.NRINSJURNF = :P_PARTICIPANTE";
            params.emplace_back("P_PARTICIPANTE", f.participant);
        }
    } else if (f.kind == "L") {
        sql += " AND N.IDORIGDESTNF = 'L'";
        if (!f.issuingBranch.empty()) {
            sql += " AND N.CDFILIEMIT = :P_CDFILIEMIT";
            params.emplace_back("P_CDFILIEMIT", f.issuingBranch);
        }
    }
}

const std::string& ListSelect() {
    static const std::string sql = "SELECT " +
                                   SelectList(RomaneioNFLayout(), "N",
                                              {{"NMRAZSOCFORN", "FO.NMRAZSOCFORN"},
                                               {"NMTIPOOPER", "T.NMTIPOOPER"},
                                               {"NMRAZSOCCLIE", "C.NMRAZSOCCLIE"},
                                               {"NMFILIAL", "FE.NMFILIAL"},
                                               {"NMRAZSOCEMPR", "E.NMRAZSOCEMPR"}}) +
                                   " FROM NOTAFISCAL N"
                                   " LEFT JOIN TIPOOPERAC T ON T.CDTIPOOPER = N.CDTIPOOPER"
                                   " LEFT JOIN FORNECEDOR FO ON FO.CDFORNECED = N.CDFORNECED"
                                   " LEFT JOIN CLIENTE C ON C.CDCLIENTE = N.CDCLIENTE"
                                   " LEFT JOIN FILIAL FE ON FE.CDFILIAL = N.CDFILIEMIT"
                                   " LEFT JOIN EMPRESA E ON E.CDEMPRESA = N.CDEMPRESA"
                                   " WHERE N.CDFILIAL = :P_CDFILIAL AND N.IDENTRSAIDOP = 'E'";
    return sql;
}

Variant GetRomaneioNF(MethodContext& call) {
    const ListFilter f = ReadFilter(call);
    std::string sql = ListSelect();
    db::SqlParams params = {{"P_CDFILIAL", f.branch}};
    if (!f.series.empty()) sql += " AND N.CDSERIEENTR IN " + BindCodeList("P_SERIE", f.series, params);
    if (!f.operations.empty())
        sql += " AND N.CDTIPOOPER IN " + BindCodeList("P_TPOPER", f.operations, params);
    AddParticipant(sql, params, f);
    AddDateRange(sql, params, "N.DTENTRSAID", "ENTRADA", f.entryFrom, f.entryTo);
    AddDateRange(sql, params, "N.DTEMISSAO", "EMISSAO", f.issueFrom, f.issueTo);
    sql += " ORDER BY N.DTENTRSAID, N.NRLANCTONF";
    return Variant(QueryPacket(call.Db(), RomaneioNFLayout(), sql, params));
}

} // namespace

void RegisterPostingListMethods(MethodRegistry& registry) {
    registry.Add(net::kLancNFEntrada, net::GetRomaneioNFArgs::kMethod, MethodKind::Read, GetRomaneioNF);
}

} // namespace dfe::appserver
