#include "appserver/modules/origin_methods.h"

#include "appserver/modules/call_arguments.h"
#include "appserver/modules/layout_query.h"
#include "appserver/modules/posting_calls.h"
#include "appserver/modules/posting_readers.h"
#include "appserver/modules/returned_quantities.h"
#include "appserver/sql/text_list.h"
#include "platform/core/text.h"
#include "platform/net/connection_names.h"

#include <algorithm>

namespace dfe::appserver {
namespace {

// More codes than any register holds: a longer list is not one the client built.
constexpr size_t kMaxOriginTypes = 500;

[[noreturn]] void RefuseFlag(const MethodContext& call, size_t index, std::string_view what) {
    throw MethodRefusal("Argumento " + std::to_string(index + 1) + " (" + std::string(what) + ") de " +
                        call.Method() + " deve ser T ou vazio.");
}

// "T" asks for any value; empty for the value given beside it.
bool AnyFlag(const MethodContext& call, const std::string& flag, size_t index, std::string_view what) {
    if (flag.empty()) return false;
    if (flag != "T") RefuseFlag(call, index, what);
    return true;
}

// An element of the operation type sent as a variant: "S" or not.
bool Yes(const Variant& element) {
    return !element.IsNull() && element.Type() == VariantType::String &&
           text::Trim(element.StringRef()) == "S";
}

// A filter value of the issuer: empty, or "T", leaves it open.
bool Given(const std::string& value) {
    return !value.empty() && value != "T";
}

void RequireBranch(const MethodContext& call, const std::string& branch) {
    if (branch.empty())
        throw MethodRefusal("A filial das notas fiscais de origem deve ser informada em " + call.Method() +
                            ".");
}

// The series as stored; the number without its leading zeros, as the duplicate-number checks compare it.
void AddSeriesAndNumber(std::string& sql, db::SqlParams& params, const std::optional<std::string>& series,
                        const std::optional<std::string>& number) {
    if (series) {
        sql += " AND COALESCE(N.CDSERIEENTR, '') = :P_SERIE";
        params.emplace_back("P_SERIE", *series);
    }
    if (number) {
        sql += " AND LTRIM(N.NRNOTAFISC, '0') = LTRIM(:P_NUMERO, '0')";
        params.emplace_back("P_NUMERO", *number);
    }
}

// The participant of the document: person type and registration number; the participant branch in the
// column given.
void AddIssuer(std::string& sql, db::SqlParams& params, const net::OriginIssuer& issuer,
               std::string_view branchColumn) {
    if (Given(issuer.personType)) {
        sql += " AND N.IDTPIJURNF = :P_IDTPIJURNF";
        params.emplace_back("P_IDTPIJURNF", issuer.personType);
    }
    if (Given(issuer.number)) {
        sql += " AND N.NRINSJURNF = :P_NRINSJURNF";
        params.emplace_back("P_NRINSJURNF", issuer.number);
    }
    if (Given(issuer.issuingBranch)) {
        sql += " AND N." + std::string(branchColumn) + " = :P_CDFILIEMIT";
        params.emplace_back("P_CDFILIEMIT", issuer.issuingBranch);
    }
}

// ---- Incoming origins: complements and remittance returns

// Incoming postings of the branch, not cancelled, by series and number ("T" any) and the issuer filter,
// latest entry first; the participant's name after its kind.
Variant GetNFOrigem(MethodContext& call) {
    const auto a = FromCall<net::GetNFOrigemArgs>(call);
    RequireBranch(call, a.branch);
    const bool anyNumber = AnyFlag(call, a.anyNumber, 1, "qualquer número");
    const bool anySeries = AnyFlag(call, a.anySeries, 3, "qualquer série");
    const std::string name = ParticipantName("N");
    std::string sql =
        "SELECT " + SelectList(NFOrigemLayout(), "N", {{"NMRAZSOCFORN", name}, {"ENTRADA", "N.DTENTRSAID"}}) +
        " FROM NOTAFISCAL N" + ParticipantJoins("N") +
        " WHERE N.CDFILIAL = :P_CDFILIAL AND N.IDENTRSAIDOP = 'E'"
        " AND COALESCE(N.IDSTATUS, 'P') <> 'C'";
    db::SqlParams params = {{"P_CDFILIAL", a.branch}};
    AddSeriesAndNumber(sql, params, anySeries ? std::nullopt : std::optional(a.series),
                       anyNumber ? std::nullopt : std::optional(a.number));
    AddIssuer(sql, params, a.issuer, "CDFILIEMIT");
    sql += " ORDER BY N.DTENTRSAID DESC, N.NRLANCTONF DESC";
    return Variant(QueryPacket(call.Db(), NFOrigemLayout(), sql, params,
                               {{"ENTRADA", DisplayText::Kind::Date, "dd/mm/yyyy"}}));
}

// ---- Outgoing origins: returns

// The operation types a return's origin may have, as the client sends them: a list grouped by side
// ("_01_03_", entry or exit as the argument says), or an operation type's origin text without side markers,
// which the client sends whole ("51;52") and which names types of either side.
struct OriginTypes {
    std::vector<std::string> entry, exit, either;
    bool Empty() const { return entry.empty() && exit.empty() && either.empty(); }
};

void ReadOriginTypes(const std::string& list, std::vector<std::string>& side, OriginTypes& types) {
    std::string separated = list;
    std::replace(separated.begin(), separated.end(), '_', ',');
    const std::vector<std::string> codes = ParseCodeList(separated);
    if (codes.size() > kMaxOriginTypes)
        throw MethodRefusal("A lista de tipos de operação de origem tem mais de " +
                            std::to_string(kMaxOriginTypes) + " códigos.");
    for (const std::string& code : codes) {
        if (text::Length(code) > 2)
            throw MethodRefusal("Tipo de operação de origem inválido: \"" + code + "\".");
    }
    std::vector<std::string>& into = list.starts_with('_') ? side : types.either;
    into.insert(into.end(), codes.begin(), codes.end());
}

OriginTypes ReadOriginTypes(const std::string& entryList, const std::string& exitList) {
    OriginTypes types;
    ReadOriginTypes(entryList, types.entry, types);
    ReadOriginTypes(exitList, types.exit, types);
    return types;
}

// What a return's search of outgoing invoices asks.
struct OutgoingSearch {
    std::string branch; // the branch that issued the invoices
    net::OriginIssuer issuer;
    std::optional<std::string> series, number; // nothing: any
    OriginTypes types;
    bool pendingOnly = false; // IDDCORIGRELAC "S"
    bool reversal = false;    // IDNFESTCANC "S"
};

// The candidates: the branch's documents, not cancelled; outgoing invoices of any type when no origin type is
// listed, else the documents whose type is on the list of their side. The issuer filter names the invoice's
// participant (the customer or supplier it went to, or the branch it went to); for the reversal of an NF-e
// not cancelled in time the origin is an NF-e (model 55 or 65) the branch itself issued, and the issuing
// branch names that issuer. Documents whose every item came back whole are left out when asked
// (QTITEMDEVOL, as AtualizaQtdDevol keeps it).
std::string OutgoingWhere(const OutgoingSearch& s, db::SqlParams& params) {
    std::string sql = " WHERE N.CDFILIAL = :P_CDFILIAL AND COALESCE(N.IDSTATUS, 'P') <> 'C'";
    params.emplace_back("P_CDFILIAL", s.branch);
    if (s.types.Empty()) {
        sql += " AND N.IDENTRSAIDOP = 'S'";
    } else {
        std::vector<std::string> sides;
        if (!s.types.entry.empty())
            sides.push_back("(N.IDENTRSAIDOP = 'E' AND N.CDTIPOOPER IN " +
                            BindCodeList("P_TPENTR", s.types.entry, params) + ")");
        if (!s.types.exit.empty())
            sides.push_back("(N.IDENTRSAIDOP = 'S' AND N.CDTIPOOPER IN " +
                            BindCodeList("P_TPSAID", s.types.exit, params) + ")");
        if (!s.types.either.empty())
            sides.push_back("N.CDTIPOOPER IN " + BindCodeList("P_TPORIG", s.types.either, params));
        sql += " AND (";
        for (size_t i = 0; i < sides.size(); ++i)
            sql += (i ? " OR " : "") + sides[i];
        sql += ")";
    }
    if (s.reversal) sql += " AND N.IDENTRSAIDOP = 'S' AND N.CDMODDOCFISC IN ('55', '65')";
    AddIssuer(sql, params, s.issuer, s.reversal ? "CDFILIAL" : "CDFILIEMIT");
    AddSeriesAndNumber(sql, params, s.series, s.number);
    if (s.pendingOnly) {
        sql += " AND EXISTS (SELECT 1 FROM ITEMPRODUTO I WHERE I.CDFILIAL = N.CDFILIAL"
               " AND I.NRLANCTONF = N.NRLANCTONF AND COALESCE(I.QTITEMDEVOL, 0) < I.QTITEMPROD)";
    }
    return sql + " ORDER BY N.DTEMISSAO DESC, N.NRLANCTONF DESC";
}

// How many consumer invoices (NFC-e, model 65) a candidate is.
constexpr std::string_view kConsumerInvoices = "CASE WHEN N.CDMODDOCFISC = '65' THEN 1 ELSE 0 END";

// Number "T" or "L" (the search list), or the any-number flag: every number of the series filter.
Variant GetNFOrigSaid(MethodContext& call) {
    const auto a = FromCall<net::GetNFOrigSaidArgs>(call);
    RequireBranch(call, a.branch);
    const bool anySeries = AnyFlag(call, a.anySeries, 11, "qualquer série");
    const bool anyNumber =
        AnyFlag(call, a.anyNumber, 12, "qualquer número") || a.number == "T" || a.number == "L";
    OutgoingSearch s;
    s.branch = a.branch;
    s.issuer = a.issuer;
    if (!anySeries) s.series = a.series;
    if (!anyNumber) s.number = a.number;
    s.types = ReadOriginTypes(a.entryOrigins, a.exitOrigins);
    s.pendingOnly = Yes(a.originRelated);
    s.reversal = Yes(a.reversal);
    db::SqlParams params;
    const std::string sql = "SELECT " +
                            SelectList(NFOrigSaidLayout(), "N",
                                       {{"CDSERIE", "N.CDSERIEENTR"},
                                        {"DATAEMISSAO", "N.DTEMISSAO"},
                                        {"VALORNF", "N.VRNOTAFISC"},
                                        {"QTDNFCE", kConsumerInvoices}}) +
                            " FROM NOTAFISCAL N" + OutgoingWhere(s, params);
    return Variant(QueryPacket(call.Db(), NFOrigSaidLayout(), sql, params,
                               {{"DATAEMISSAO", DisplayText::Kind::Date, "dd/mm/yy"},
                                {"VALORNF", DisplayText::Kind::Number, "#,##0.00"}}));
}

// The candidates of the origin list: the search above without series and number. DSLANCAMENTO is the key the
// selection text carries: branch, " - ", posting number, 17 characters.
Variant GetNFOrigLista(MethodContext& call) {
    const auto a = FromCall<net::GetNFOrigListaArgs>(call);
    RequireBranch(call, a.branch);
    OutgoingSearch s;
    s.branch = a.branch;
    s.issuer = a.issuer;
    s.types = ReadOriginTypes(a.entryOrigins, a.exitOrigins);
    s.pendingOnly = Yes(a.originRelated);
    db::SqlParams params;
    const std::string sql =
        "SELECT " +
        SelectList(
            NFOrigListaLayout(), "N",
            {{"IDMARCADO", "'N'"},
             {"CDSERIE", "N.CDSERIEENTR"},
             {"DSLANCAMENTO", "SUBSTR(N.CDFILIAL || ' - ' || N.NRLANCTONF || '                 ', 1, 17)"},
             {"QTDNFCE", kConsumerInvoices}}) +
        " FROM NOTAFISCAL N" + OutgoingWhere(s, params);
    return Variant(QueryPacket(call.Db(), NFOrigListaLayout(), sql, params));
}

// ---- Remittance returns

// The document a remittance belongs to: the incoming postings, not cancelled and not themselves returns,
// whose related documents name the remittance (a triangular purchase naming the remittance that delivered
// it), earliest first. Nothing when none does; the client then takes the remittance's own items.
Variant GetDevolucao(MethodContext& call) {
    ExpectArgCount(call, 2, 2);
    const PostingKey origin = PostingKeyArgs(call);
    return Variant(QueryPacket(call.Db(), DevolucaoLayout(),
                               "SELECT Q.CDFILIAL, Q.NRLANCTONF FROM NOTAFISCAL Q"
                               " LEFT JOIN TIPOOPERAC T ON T.CDTIPOOPER = Q.CDTIPOOPER"
                               " WHERE Q.IDENTRSAIDOP = 'E' AND COALESCE(Q.IDSTATUS, 'P') <> 'C' AND "
                               "COALESCE(T.IDOPERDEVONF, 'N') <> 'S'"
                               " AND NOT (Q.CDFILIAL = :P_CDFILIAL AND Q.NRLANCTONF = :P_NRLANCTONF)"
                               " AND EXISTS (SELECT 1 FROM ITEMNOTAFISC I WHERE I.CDFILIAL = Q.CDFILIAL AND "
                               "I.NRLANCTONF = Q.NRLANCTONF"
                               " AND I.CDFILIALIT = :P_CDFILIAL AND I.NRLANCTONFIT = :P_NRLANCTONF)"
                               " ORDER BY Q.DTENTRSAID, Q.CDFILIAL, Q.NRLANCTONF",
                               KeyParams(origin)));
}

// ---- Returned quantities

Variant QuantityAnswer(bool updated, const std::string& message) {
    return Variant::Array({Variant(updated ? "OK" : "N"), Variant(message)});
}

// Recomputes, from every return naming them, what came back of each item of the origins the return names
// (returned_quantities.h), and stores it as the items' QTITEMDEVOL: repeating it changes nothing.
Variant AtualizaQtdDevol(MethodContext& call) {
    ExpectArgCount(call, 2, 2);
    const PostingKey key = PostingKeyArgs(call);
    if (key.branch.empty() || key.number.empty())
        return QuantityAnswer(false,
                              "Selecione na lista a devolução cuja quantidade devolvida será atualizada.");
    db::Database& db = call.Db();
    const Packet posting = db.Query("SELECT T.IDOPERDEVONF FROM NOTAFISCAL N"
                                    " LEFT JOIN TIPOOPERAC T ON T.CDTIPOOPER = N.CDTIPOOPER"
                                    " WHERE N.CDFILIAL = :P_CDFILIAL AND N.NRLANCTONF = :P_NRLANCTONF"
                                    " AND N.IDENTRSAIDOP = 'E'",
                                    KeyParams(key));
    const std::string what = "O lançamento " + key.number + " da filial " + key.branch;
    if (posting.rows.empty())
        return QuantityAnswer(false,
                              "Lançamento " + key.number + " da filial " + key.branch + " não encontrado.");
    if (posting.rows[0].values[0] != Variant("S"))
        return QuantityAnswer(false, what + " não é uma devolução.");
    const std::vector<PostingKey> origins = NamedOrigins(db, key);
    if (origins.empty())
        return QuantityAnswer(false, what + " não indica as notas fiscais de origem da devolução.");
    for (const OriginItem& item : ReturnedQuantities(db, origins, key)) {
        db.Execute("UPDATE ITEMPRODUTO SET QTITEMDEVOL = :P_QTITEMDEVOL WHERE CDFILIAL = :P_CDFILIAL"
                   " AND NRLANCTONF = :P_NRLANCTONF AND NRSEQITPROD = :P_NRSEQITPROD",
                   {{"P_QTITEMDEVOL", item.returned},
                    {"P_CDFILIAL", item.origin.branch},
                    {"P_NRLANCTONF", item.origin.number},
                    {"P_NRSEQITPROD", item.sequence}});
    }
    return QuantityAnswer(true, "");
}

} // namespace

void RegisterOriginMethods(MethodRegistry& registry) {
    const auto read = [&](const char* name, MethodFunction f) {
        registry.Add(net::kLancNFEntrada, name, MethodKind::Read, std::move(f));
    };
    read(net::GetNFOrigemArgs::kMethod, GetNFOrigem);
    read(net::GetNFOrigSaidArgs::kMethod, GetNFOrigSaid);
    read(net::GetNFOrigListaArgs::kMethod, GetNFOrigLista);
    read("GetDevolucao", GetDevolucao);
    registry.Add(net::kLancNFEntrada, "AtualizaQtdDevol", MethodKind::Write, AtualizaQtdDevol);
}

} // namespace dfe::appserver
