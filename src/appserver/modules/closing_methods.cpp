#include "appserver/modules/closing_methods.h"

#include "appserver/modules/closing_args.h"
#include "appserver/modules/closing_checks.h"
#include "appserver/modules/closing_store.h"
#include "appserver/modules/packet_answer.h"
#include "platform/core/text.h"
#include "platform/net/closing_calls.h"
#include "platform/net/connection_names.h"

#include <set>

namespace dfe::appserver {
namespace {

Packet ClosingAnswer(const std::vector<ClosingRow>& rows) {
    Packet p;
    for (size_t i = 0; i < net::kClosingRowFields.size(); ++i) {
        const std::string name(net::kClosingRowFields[i]);
        if (i == 5)
            p.fields.push_back({name, FieldType::Float, 0});
        else
            p.fields.push_back({name, FieldType::String, i == 0 ? 20 : 250});
    }
    for (const ClosingRow& r : rows) {
        auto cut = [](const std::string& s, size_t width) { return text::Left(s, width); };
        p.rows.push_back(
            {RowStatus::Unmodified,
             {Variant(cut(r.code, 20)), Variant(cut(r.object, 250)), Variant(cut(r.object2, 250)),
              Variant(cut(r.object3, 250)), Variant(cut(r.object4, 250)), Variant(r.value)},
             {}});
    }
    return p;
}

// The closing's work inside its savepoint: the posting stored, checked and posted. Gives the answer's rows
// and whether the posting stays.
struct Outcome {
    std::vector<ClosingRow> rows;
    bool posted = false;
};

struct ClosingPackets {
    std::optional<Packet> header, items, related, charges, installments, additional, itemTaxes, taxTotals,
        links, allItems;
};

constexpr PostingTable kNotaFiscal{"NOTAFISCAL", "CDFILIAL", {}};
constexpr PostingTable kItemProduto{"ITEMPRODUTO", "CDFILIAL", {"NRSEQITPROD"}};
constexpr PostingTable kItemEncargo{"ITEMENCARGO", "CDFILIAL", {"CDENCARGO"}};
constexpr PostingTable kContaPagar{"CONTAPAGAR", "CDFILIAL", {"NRSEQVENPAG"}};
constexpr PostingTable kDadosAdic{"DADOSADIC", "CDFILIAL", {"NRDADOADIC"}};
constexpr PostingTable kNFRelacAF{
    "NFRELACAF", "CDFILLANC", {"CDFILIAL", "NRAUTOFORN", "CDFILDEST", "CDPRODUTO", "CDMARCA", "DTPROGENTAF"}};
constexpr PostingTable kItemNotaFisc{"ITEMNOTAFISC", "CDFILIAL", {"NRSEQUITNOTA"}};
constexpr PostingTable kItemProImpos{"ITEMPROIMPOS", "CDFILIAL", {"NRSEQITPROD", "CDIMPOSTO"}};
constexpr PostingTable kImposNFTot{"IMPOSNFTOT", "CDFILIAL", {"CDIMPOSTO"}};

// The working tax tables name their fields their own way.
constexpr ColumnMap kItemTaxColumns = {
    {"CDPRODUTO", "CDPRODUTO"},
    {"NRSEQIMPOIT", "NRSEQITPROD"},
    {"CDIMPOSTOIT", "CDIMPOSTO"},
    {"VRCONTIMPOIT", "VRCONTITIMP"},
    {"VRREDBCIMPOIT", "VRPERREDBCIT"},
    {"VR1REDBCIMPOIT", "VR1PERREDBCIT"},
    {"VRBCALCIMPOIT", "VRBASECALCIT"},
    {"VRALIQIMPOIT", "VRALIQITEM"},
    {"VRPDEDIMPOIT", "VRPARDEDIT"},
    {"VRIMPOSIT", "VRIMPOSTOIT"},
    {"CDFISCIMPOIT", "CDFISCALIT"},
    {"CDSTRIBIMPOIT", "CDSITUTRIBIT"},
    {"CDFOPERIMPOIT", "CDFISCOPERIT"},
    {"CDSCFOPIMPOIT", "CDSUFXCFOPIT"},
    {"IDERRIMPOIT", "IDERROSIMPIT"},
    {"IDAVISIMPOIT", "IDAVISIMPIT"},
    {"IDVALORINFO", "IDVALORINFIT"},
    {"IDTRIMPSTTI", "IDTRIMPSTII"},
    {"CDSTRIBITNFE", "CDSITUTRIBITNFE"},
    {"IDMODBCITEMNFE", "IDMODBCITNFE"},
    {"IDMODBCSTITENFE", "IDMODBCSTITNFE"},
    {"CDTPCREDPICOITE", "CDTPCREDPICOITE"},
    {"CDNATUBCALPCIT", "CDNATUBCALPCIT"},
    {"VRADICALIQFECP", "VRADICALIQFECP"},
    {"VRADICFECP", "VRADICFECP"},
    {"IDTRATIMPO", "IDTRATIMPO"},
    {"NRSEQITPRO", "NRITPROIMPOS"},
};
constexpr ColumnMap kTaxTotalColumns = {
    {"CDIMPOSTOT", "CDIMPOSTO"},    {"VRIMPOSTOT", "VRTOTIMPONF"},  {"VRBCALIMPTOT", "VRTOTBCALCNF"},
    {"IDERROSTOT", "IDERROSIMPTT"}, {"IDAVISOSTOT", "IDAVISIMPTT"}, {"IDTRATIMPO", "IDTRATIMPO"},
    {"IDPRODNOTA", "IDPRODNOTA"},
};

void StorePosting(db::Database& db, const ClosingPackets& p, const PostingKey& key, bool fresh) {
    if (p.header) ApplyDelta(db, kNotaFiscal, *p.header, key, fresh);
    if (p.items) ApplyDelta(db, kItemProduto, *p.items, key, fresh);
    if (p.charges) ApplyDelta(db, kItemEncargo, *p.charges, key, fresh);
    if (p.installments) ApplyDelta(db, kContaPagar, *p.installments, key, fresh);
    if (p.additional) ApplyDelta(db, kDadosAdic, *p.additional, key, fresh);
    if (p.links) ApplyDelta(db, kNFRelacAF, *p.links, key, fresh);
    if (p.related) ReplaceRows(db, kItemNotaFisc, *p.related, key);
    if (p.itemTaxes) {
        ReplaceRows(db, kItemProImpos, *p.itemTaxes, key, kItemTaxColumns);
        // The taxes of an item deleted in the same closing go with it.
        db.Execute("DELETE FROM ITEMPROIMPOS WHERE CDFILIAL = :P_CDFILIAL AND NRLANCTONF = :P_NRLANCTONF"
                   " AND NRSEQITPROD NOT IN (SELECT NRSEQITPROD FROM ITEMPRODUTO"
                   " WHERE CDFILIAL = :P_CDFILIAL AND NRLANCTONF = :P_NRLANCTONF)",
                   KeyParams(key));
    }
    if (p.taxTotals) ReplaceRows(db, kImposNFTot, *p.taxTotals, key, kTaxTotalColumns);
}

Outcome Close(db::Database& db, const net::FechaNotaFiscalArgs& a, const ClosingPackets& p, DateTime now) {
    std::optional<PostingKey> found =
        ClosingPostingKey(p.header, {&p.allItems, &p.items, &p.installments, &p.charges, &p.additional});
    if (!found) throw std::runtime_error("Nenhum dado do lançamento veio no fechamento.");
    PostingKey key = *found;
    const bool fresh = InsertsNewPosting(p.header);
    if (fresh)
        key.number = NextBranchNumber(db, key.branch, "NRLANCTONF");
    else if (key.number.empty())
        throw std::runtime_error("O lançamento fechado não tem número.");
    else if (db.Query("SELECT 1 FROM NOTAFISCAL WHERE CDFILIAL = :P_CDFILIAL AND NRLANCTONF = :P_NRLANCTONF",
                      KeyParams(key))
                 .rows.empty())
        throw ClosingConflict("O lançamento " + key.branch + "/" + key.number +
                              " não existe mais; foi excluído em outra estação.");

    StorePosting(db, p, key, fresh);
    if (fresh) {
        db.Execute(
            "UPDATE NOTAFISCAL SET IDENTRSAIDOP = 'E', CDOPERADOR = COALESCE(NULLIF(CDOPERADOR, ''), :P_OP),"
            " DTLANCAMENNF = COALESCE(DTLANCAMENNF, :P_AGORA)"
            " WHERE CDFILIAL = :P_CDFILIAL AND NRLANCTONF = :P_NRLANCTONF",
            {{"P_CDFILIAL", key.branch},
             {"P_NRLANCTONF", key.number},
             {"P_OP", a.operatorCode},
             {"P_AGORA", now}});
    }

    std::vector<Finding> findings = CheckPosting(db, key, {a.supplierLimit != "N"});
    const std::string stockNumber = PostPosting(db, key, a.operatorCode, now, findings);

    const std::set<std::string> released = ParseReleaseCodes(a.releaseCodes);
    Outcome out;
    std::vector<ClosingRow> accepted;
    for (Finding& f : findings) {
        if (!f.releaseCode.empty() && released.count(f.releaseCode)) {
            accepted.push_back({net::closing_row::kWarning, f.row.code, f.row.object, f.row.object2});
        } else {
            out.rows.push_back(std::move(f.row));
        }
    }
    if (!out.rows.empty()) {
        out.rows.push_back({net::closing_row::kFailed});
        return out;
    }
    out.posted = true;
    out.rows = std::move(accepted);
    out.rows.push_back({net::closing_row::kPostingNumber, key.number});
    if (!stockNumber.empty()) out.rows.push_back({net::closing_row::kStockPosting, stockNumber});
    return out;
}

class Savepoint {
public:
    explicit Savepoint(db::Database& db) : db_(db) { db_.ExecuteScript("SAVEPOINT FECHANF"); }
    void Release() { db_.ExecuteScript("RELEASE SAVEPOINT FECHANF"); }
    void Undo() {
        db_.ExecuteScript("ROLLBACK TO SAVEPOINT FECHANF");
        Release();
    }

private:
    db::Database& db_;
};

Variant FechaNotaFiscal(MethodContext& call) {
    const auto a = FromCall<net::FechaNotaFiscalArgs>(call);
    ClosingPackets p;
    p.header = PacketArgOrNull(call, 0, "cabeçalho");
    p.items = PacketArgOrNull(call, 1, "itens");
    p.related = PacketArgOrNull(call, 2, "documentos relacionados");
    p.charges = PacketArgOrNull(call, 3, "encargos");
    p.installments = PacketArgOrNull(call, 4, "vencimentos");
    p.additional = PacketArgOrNull(call, 5, "dados adicionais");
    p.itemTaxes = PacketArgOrNull(call, 6, "impostos dos itens");
    p.taxTotals = PacketArgOrNull(call, 7, "totais dos impostos");
    p.links = PacketArgOrNull(call, 8, "relação com autorizações");
    p.allItems = PacketArgOrNull(call, 9, "todos os itens");

    db::Database& db = call.Db();
    Outcome out;
    Savepoint savepoint(db);
    try {
        out = Close(db, a, p, call.Now());
        if (out.posted)
            savepoint.Release();
        else
            savepoint.Undo();
    } catch (const std::exception& e) {
        // Nothing of a closing that failed half-way is kept; the clerk is told what went wrong.
        savepoint.Undo();
        out.rows = {{net::closing_row::kUnexpected, e.what()}, {net::closing_row::kFailed}};
    }
    // A new posting is apportioned by the server; an existing one as the clerk answered.
    if (a.apportionB == "P") call.SetArg(30, Variant("N"));
    // The client reads back only the apportionment indicator: the posting's packets are neither sent back nor
    // kept in the answer record.
    for (size_t i = 0; i < 10; ++i)
        call.SetArg(i, Variant::Null());
    return PacketAnswer(ClosingAnswer(out.rows));
}

// ---- After the closing

bool PostingExists(db::Database& db, const PostingKey& key) {
    return !db.Query("SELECT 1 FROM NOTAFISCAL WHERE CDFILIAL = :P_CDFILIAL AND NRLANCTONF = :P_NRLANCTONF",
                     KeyParams(key))
                .rows.empty();
}

// The branch's fiscal export record of the day, made again from the fiscal book as it stands.
Variant GeraArqExp(MethodContext& call) {
    ExpectArgCount(call, 2, 2);
    const std::string branch = CodeArg(call, 0, 4, "filial");
    const std::optional<DateTime> day = DateArg(call, 1, "data de entrada");
    if (branch.empty()) throw MethodRefusal("A filial deve ser informada em GeraArqExp.");
    if (!day) throw MethodRefusal("A data de entrada deve ser informada em GeraArqExp.");
    db::Database& db = call.Db();
    const db::SqlParams params = {
        {"P_CDFILIAL", branch}, {"P_DATA", day->DatePart()}, {"P_AGORA", call.Now()}};
    const Packet book = db.Query("SELECT COUNT(*) AS QT, COALESCE(SUM(VRCONTABIL), 0) AS VR FROM LIVROENTRADA"
                                 " WHERE CDFILIRECE = :P_CDFILIAL AND DTENTRADA = :P_DATA",
                                 params);
    db.Execute("DELETE FROM ARQEXPFISCAL WHERE CDFILIAL = :P_CDFILIAL AND DTREFERENCIA = :P_DATA", params);
    db::SqlParams insert = params;
    insert.push_back({"P_QT", book.rows[0].values[0].AsInteger()});
    insert.push_back({"P_VR", book.rows[0].values[1].AsFloat()});
    db.Execute("INSERT INTO ARQEXPFISCAL (CDFILIAL, DTREFERENCIA, QTLANCAMENTOS, VRCONTABIL, DTGERACAO)"
               " VALUES (:P_CDFILIAL, :P_DATA, :P_QT, :P_VR, :P_AGORA)",
               insert);
    return Variant("OK");
}

// Writes off whole the purchase authorizations the posting received, when the clerk asked so.
Variant GeraBaixaTotal(MethodContext& call) {
    ExpectArgCount(call, 5, 5);
    const std::optional<Packet> items = PacketArgOrNull(call, 0, "itens");
    PacketArgOrNull(call, 1, "entregas");
    const bool whole = BoolArg(call, 2, "baixa total");
    const PostingKey key = PostingKeyArgs(call, 3);
    db::Database& db = call.Db();
    if (!PostingExists(db, key))
        throw MethodRefusal("O lançamento " + key.branch + "/" + key.number + " não existe.");
    if (!whole) return Variant("OK");
    // The authorizations: those related to the posting, and those its items name.
    std::set<std::pair<std::string, std::string>> named; // destination branch, number
    const Packet links = db.Query("SELECT DISTINCT CDFILDEST, NRAUTOFORN FROM NFRELACAF"
                                  " WHERE CDFILLANC = :P_CDFILIAL AND NRLANCTONF = :P_NRLANCTONF",
                                  KeyParams(key));
    for (const PacketRow& r : links.rows)
        named.insert({r.values[0].AsString(), r.values[1].AsString()});
    if (items) {
        const int dest = items->FieldIndex("CDFILDEST"), number = items->FieldIndex("NRAUTOFORN");
        for (const PacketRow& r : items->rows) {
            if (dest < 0 || number < 0) break;
            const Variant& d = r.values[static_cast<size_t>(dest)];
            const Variant& n = r.values[static_cast<size_t>(number)];
            if (!d.IsNull() && !n.IsNull() && !n.AsString().empty())
                named.insert({d.AsString(), n.AsString()});
        }
    }
    for (const auto& [dest, number] : named) {
        db.Execute("UPDATE AUTORIZFORN SET IDBAIXATOTAL = 'S', CDFILBAIXA = :P_CDFILIAL, NRLANCBAIXA = "
                   ":P_NRLANCTONF,"
                   " DTBAIXATOTAL = :P_AGORA WHERE CDFILDEST = :P_DEST AND NRAUTOFORN = :P_NUMERO"
                   " AND COALESCE(IDBAIXATOTAL, 'N') <> 'S'",
                   {{"P_CDFILIAL", key.branch},
                    {"P_NRLANCTONF", key.number},
                    {"P_AGORA", call.Now()},
                    {"P_DEST", dest},
                    {"P_NUMERO", number}});
    }
    return Variant("OK");
}

// The attendance occurrence of a closed return; registered once.
Variant GetOcorrAtend(MethodContext& call) {
    const auto a = FromCall<net::GetOcorrAtendArgs>(call);
    const PostingKey key{a.branch, a.postingNumber};
    db::Database& db = call.Db();
    if (key.branch.empty() || key.number.empty() || !PostingExists(db, key))
        throw MethodRefusal("O lançamento " + key.branch + "/" + key.number + " não existe.");
    if (!db.Query("SELECT 1 FROM OCORRATEND WHERE CDFILIAL = :P_CDFILIAL AND NRLANCTONF = :P_NRLANCTONF",
                  KeyParams(key))
             .rows.empty())
        return Variant("OK");
    db.Execute(
        "INSERT INTO OCORRATEND (CDFILIAL, NRLANCTONF, IDORIGDESTNF, CDCLIENTE, CDFORNECED, CDFILIEMIT,"
        " CDFILIALIT, NRLANCTONFIT, CDFILPROC, CDOPERADOR, NMOPERADOR, DTREGISTRO) VALUES (:P_CDFILIAL,"
        " :P_NRLANCTONF, :P_TIPO, :P_CLIENTE, :P_FORNECEDOR, :P_EMITENTE, :P_FILIALIT, :P_LANCIT, :P_PROC,"
        " :P_OPERADOR, :P_NOME, :P_AGORA)",
        {{"P_CDFILIAL", key.branch},
         {"P_NRLANCTONF", key.number},
         {"P_TIPO", a.participantKind},
         {"P_CLIENTE", a.customer},
         {"P_FORNECEDOR", a.supplier},
         {"P_EMITENTE", a.issuingBranch},
         {"P_FILIALIT", a.relatedBranch},
         {"P_LANCIT", a.relatedPosting},
         {"P_PROC", a.branchInProcess},
         {"P_OPERADOR", a.operatorCode},
         {"P_NOME", a.operatorName},
         {"P_AGORA", call.Now()}});
    return Variant("OK");
}

// Approves a posting taken from an NF-e file; false for any other, or one cancelled.
Variant AprovaNotaFiscal(MethodContext& call) {
    const auto a = FromCall<net::AprovaNotaFiscalArgs>(call);
    if (a.operatorCode.empty()) throw MethodRefusal("O operador deve ser informado em AprovaNotaFiscal.");
    const int64_t changed = call.Db().Execute(
        "UPDATE NOTAFISCAL SET IDAPROVADA = 'S', CDOPERAPROV = :P_OPERADOR, DTAPROVACAO = :P_AGORA"
        " WHERE CDFILIAL = :P_CDFILIAL AND NRLANCTONF = :P_NRLANCTONF"
        " AND IDNFGERADAVIAXML = 'S' AND COALESCE(IDSTATUS, 'P') <> 'C'",
        {{"P_CDFILIAL", a.branch},
         {"P_NRLANCTONF", a.postingNumber},
         {"P_OPERADOR", a.operatorCode},
         {"P_AGORA", call.Now()}});
    return Variant(changed > 0);
}

// "ok" when an analysis version is in force at the branch today, "sem_vigencia" when it has versions but none
// in force, "nada" when it has none.
Variant GetVersaoAna(MethodContext& call) {
    ExpectArgCount(call, 2, 2);
    CodeArg(call, 0, 10, "lançamento");
    const std::string branch = CodeArg(call, 1, 4, "filial");
    if (branch.empty()) throw MethodRefusal("A filial deve ser informada em GetVersaoAna.");
    db::Database& db = call.Db();
    const db::SqlParams params = {{"P_CDFILIAL", branch}, {"P_HOJE", call.Now().DatePart()}};
    if (db.Query("SELECT 1 FROM VERSAOANALISE WHERE CDFILIAL = :P_CDFILIAL", params).rows.empty())
        return Variant("nada");
    const bool inForce =
        !db.Query("SELECT 1 FROM VERSAOANALISE WHERE CDFILIAL = :P_CDFILIAL"
                  " AND DTINIVIGENCIA <= :P_HOJE AND (DTFIMVIGENCIA IS NULL OR DTFIMVIGENCIA >= :P_HOJE)",
                  params)
             .rows.empty();
    return Variant(inForce ? "ok" : "sem_vigencia");
}

} // namespace

void RegisterClosingMethods(MethodRegistry& registry) {
    registry.Add(net::kLancNFEntrada, net::FechaNotaFiscalArgs::kMethod, MethodKind::Write, FechaNotaFiscal);
    registry.Add(net::kLancNFEntrada, net::kGeraArqExp, MethodKind::Write, GeraArqExp);
    registry.Add(net::kLancNFEntrada, net::kGeraBaixaTotal, MethodKind::Write, GeraBaixaTotal);
    registry.Add(net::kLancNFEntrada, net::GetOcorrAtendArgs::kMethod, MethodKind::Write, GetOcorrAtend);
    registry.Add(net::kLancNFEntrada, net::AprovaNotaFiscalArgs::kMethod, MethodKind::Write,
                 AprovaNotaFiscal);
    registry.Add(net::kLancNFEntrada, net::kGetVersaoAna, MethodKind::Read, GetVersaoAna);
}

} // namespace dfe::appserver
