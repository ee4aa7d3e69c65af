#include "appserver/modules/outsourcing_methods.h"

#include "appserver/modules/call_arguments.h"
#include "platform/core/decimal.h"
#include "platform/core/text.h"
#include "platform/net/connection_names.h"

#include <cmath>
#include <initializer_list>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace dfe::appserver {
namespace {

constexpr double kMaxQuantity = 999999999999.999; // NUMERIC(15,3)

struct ProductRow {
    std::string product, branch, warehouse, location, lot, subLot;
    double quantity = 0;
};

// What the client could not have meant is refused with the row and field named.
[[noreturn]] void RefuseRow(std::string_view what, size_t row, std::string_view why) {
    throw MethodRefusal(std::string(what) + ", linha " + std::to_string(row + 1) + ": " + std::string(why) +
                        ".");
}

Packet PacketArg(const MethodContext& call, size_t index, std::string_view what,
                 std::initializer_list<std::string_view> fields) {
    const Variant& v = call.Arg(index);
    const std::string name =
        "Argumento " + std::to_string(index + 1) + " (" + std::string(what) + ") de " + call.Method();
    if (!v.IsPacket()) throw MethodRefusal(name + " deve ser um pacote de dados.");
    Packet packet;
    try {
        packet = FromDataPacket(v.AsPacket());
    } catch (const PacketError& e) {
        throw MethodRefusal(name + " não é um pacote de dados válido: " + e.what());
    }
    if (packet.isDelta) throw MethodRefusal(name + " deve trazer as linhas, não alterações.");
    for (std::string_view field : fields) {
        if (packet.FieldIndex(field) < 0)
            throw MethodRefusal(name + " não tem o campo " + std::string(field) + ".");
    }
    return packet;
}

std::string TextOf(const Packet& p, const PacketRow& row, size_t rowIndex, std::string_view field,
                   size_t width, std::string_view what) {
    const Variant& v = row.values[static_cast<size_t>(p.FieldIndex(field))];
    if (v.IsNull()) return {};
    if (v.Type() != VariantType::String) RefuseRow(what, rowIndex, std::string(field) + " deve ser um texto");
    std::string value = text::Trim(v.StringRef());
    if (text::Length(value) > width)
        RefuseRow(what, rowIndex,
                  std::string(field) + " tem mais de " + std::to_string(width) + " caracteres");
    return value;
}

std::vector<ProductRow> ReadProducts(const Packet& p) {
    constexpr std::string_view what = "Dados dos produtos";
    std::vector<ProductRow> rows;
    for (size_t i = 0; i < p.rows.size(); ++i) {
        const PacketRow& r = p.rows[i];
        ProductRow row;
        row.product = TextOf(p, r, i, "CDPRODUTO", 10, what);
        row.branch = TextOf(p, r, i, "CDFILIMOVI", 4, what);
        row.warehouse = TextOf(p, r, i, "CDALMOXARIFE", 6, what);
        row.location = TextOf(p, r, i, "CDLOCALESTOQ", 6, what);
        row.lot = TextOf(p, r, i, "NRLOTEESTQ", 20, what);
        row.subLot = TextOf(p, r, i, "NRSUBLOTE", 4, what);
        if (row.product.empty()) RefuseRow(what, i, "produto não informado");
        if (row.branch.empty()) RefuseRow(what, i, "filial de movimentação não informada");
        const Variant& q = r.values[static_cast<size_t>(p.FieldIndex("QTITEMPROD"))];
        if (q.Type() != VariantType::Double && q.Type() != VariantType::Integer)
            RefuseRow(what, i, "quantidade não informada");
        row.quantity = decimal::Round(q.AsFloat(), 3);
        if (!std::isfinite(row.quantity) || row.quantity <= 0 || row.quantity > kMaxQuantity)
            RefuseRow(what, i, "quantidade deve ser maior que zero");
        rows.push_back(std::move(row));
    }
    if (rows.empty()) throw MethodRefusal("Nenhum produto informado para a entrada no estoque.");
    return rows;
}

std::vector<PostingKey> ReadTicked(const Packet& p) {
    constexpr std::string_view what = "Notas fiscais marcadas";
    std::vector<PostingKey> keys;
    std::set<PostingKey> seen;
    for (size_t i = 0; i < p.rows.size(); ++i) {
        PostingKey key{TextOf(p, p.rows[i], i, "CDFILIAL", 4, what),
                       TextOf(p, p.rows[i], i, "NRLANCTONF", 10, what)};
        if (key.branch.empty() || key.number.empty()) RefuseRow(what, i, "lançamento não informado");
        if (!seen.insert(key).second) RefuseRow(what, i, "lançamento repetido");
        keys.push_back(std::move(key));
    }
    return keys;
}

std::string Describe(const PostingKey& key) {
    return key.branch + "/" + key.number;
}

// The posting's own columns this entry reads.
struct PostingRow {
    std::string receivingBranch, personType, registration, noteNumber;
    Variant value;
    bool processing = false; // its operation charges a processing and moves no stock
    bool processedReturn = false;
};

std::optional<PostingRow> FindPosting(db::Database& db, const PostingKey& key) {
    const Packet found = db.Query(
        "SELECT COALESCE(N.CDFILIRECE, N.CDFILIAL), N.IDTPIJURNF, N.NRINSJURNF, N.NRNOTAFISC, N.VRNOTAFISC,"
        " T.IDNFRETIND, T.IDATUESTTPOP, T.IDOPERDEVONF FROM NOTAFISCAL N"
        " JOIN TIPOOPERAC T ON T.CDTIPOOPER = N.CDTIPOOPER"
        " WHERE N.CDFILIAL = :P_CDFILIAL AND N.NRLANCTONF = :P_NRLANCTONF AND N.IDENTRSAIDOP = 'E'"
        " AND COALESCE(N.IDSTATUS, 'P') <> 'C'",
        KeyParams(key));
    if (found.rows.empty()) return std::nullopt;
    const auto& v = found.rows[0].values;
    const auto text = [&](size_t i) { return v[i].IsNull() ? std::string() : text::Trim(v[i].AsString()); };
    PostingRow row{text(0), text(1), text(2), text(3), v[4], false, false};
    row.processing = text(5) == "S" && text(6) == "N";
    row.processedReturn = text(5) == "S" && text(7) == "S";
    return row;
}

// The problem rows the client lists to the clerk: a code, the objects it concerns and a value.
class Problems {
public:
    void Add(std::string code, std::string object, std::string object2, std::string why,
             std::string object4 = {}, Variant value = Variant::Null()) {
        packet_.rows.push_back(
            PacketRow{RowStatus::Unmodified,
                      {Variant(std::move(code)), Variant(std::move(object)), Variant(std::move(object2)),
                       Variant(text::Left(why, 255)), Variant(std::move(object4)), std::move(value)},
                      {}});
    }
    bool Empty() const { return packet_.rows.empty(); }
    Variant Answer(const char* status) const {
        Packet p = packet_;
        p.fields = {{"CDERRO", FieldType::String, 10},    {"CDOBJETO", FieldType::String, 60},
                    {"CDOBJETO2", FieldType::String, 60}, {"CDOBJETO3", FieldType::String, 255},
                    {"CDOBJETO4", FieldType::String, 60}, {"CDOBJETO5", FieldType::Float}};
        return Variant::Array({Variant(status), Variant(ToDataPacket(p))});
    }

private:
    Packet packet_;
};

std::string Text(const Variant& v) {
    return v.IsNull() ? std::string() : text::Trim(v.AsString());
}

// Whether each product may enter the stock where the clerk placed it.
Problems StockProblems(db::Database& db, const std::string& entryBranch,
                       const std::vector<ProductRow>& rows) {
    Problems problems;
    const Packet levels = db.Query("SELECT MAX(CDNVPRODUTO) FROM NIVELPRODUTO");
    const int64_t lastLevel =
        levels.rows.empty() || levels.rows[0].values[0].IsNull() ? 0 : levels.rows[0].values[0].AsInteger();
    for (const ProductRow& row : rows) {
        const Variant quantity(row.quantity);
        const Packet product = db.Query("SELECT CDARVPROD, CDNVPRODUTO, CDPRODESTO FROM PRODUTO"
                                        " WHERE CDPRODUTO = :P_CDPRODUTO",
                                        {{"P_CDPRODUTO", row.product}});
        if (product.rows.empty() || product.rows[0].values[1].AsInteger() != lastLevel) {
            problems.Add(
                "PROD_NCAD", row.product, product.rows.empty() ? "" : Text(product.rows[0].values[0]),
                "Produto não cadastrado no último nível da árvore de produtos.", row.branch, quantity);
            continue;
        }
        const std::string tree = Text(product.rows[0].values[0]);
        const auto add = [&](const char* code, const std::string& why) {
            problems.Add(code, row.product, tree, why, row.branch, quantity);
        };
        if (Text(product.rows[0].values[2]) != row.product) {
            add("PROD_NEST", "Produto não é produto de estoque.");
            continue;
        }
        if (db.Query("SELECT 1 FROM FILIAL F JOIN FILIAL E ON E.CDEMPRESA = F.CDEMPRESA"
                     " WHERE F.CDFILIAL = :P_CDFILIMOVI AND E.CDFILIAL = :P_CDFILIAL",
                     {{"P_CDFILIMOVI", row.branch}, {"P_CDFILIAL", entryBranch}})
                .rows.empty()) {
            add("FILI_NCAD", "Filial de movimentação " + row.branch + " não pertence à empresa.");
            continue;
        }
        const Packet kept = db.Query("SELECT IDATIVO, IDCTRLESTOQUE, IDUTCTRLLOTE FROM PRODUTOFILIAL"
                                     " WHERE CDFILIAL = :P_CDFILIAL AND CDPRODUTO = :P_CDPRODUTO",
                                     {{"P_CDFILIAL", row.branch}, {"P_CDPRODUTO", row.product}});
        if (kept.rows.empty() || Text(kept.rows[0].values[0]) != "S") {
            add("PROD_INAT", "Produto inativo na filial " + row.branch + ".");
            continue;
        }
        if (Text(kept.rows[0].values[1]) != "S")
            add("PROD_NCTRL", "Produto sem controle de estoque na filial " + row.branch + ".");
        if (Text(kept.rows[0].values[2]) == "S" && (row.lot.empty() || row.subLot.empty()))
            add("LOTE_INF", "Lote e sub-lote devem ser informados: o produto é controlado por lote.");
        const Packet params =
            db.Query("SELECT IDUTILALMOX, IDUTILLCESTQ FROM PARAMDFE WHERE CDFILIAL = :P_CDFILIAL",
                     {{"P_CDFILIAL", row.branch}});
        const bool warehouses = !params.rows.empty() && Text(params.rows[0].values[0]) == "S";
        const bool locations = !params.rows.empty() && Text(params.rows[0].values[1]) == "S";
        const db::SqlParams place{
            {"P_CDFILIAL", row.branch}, {"P_CDALMOXARIFE", row.warehouse}, {"P_CDLOCALESTOQ", row.location}};
        if (row.warehouse.empty()) {
            if (warehouses) add("ALMOX_INF", "Almoxarifado não informado.");
        } else if (db.Query("SELECT 1 FROM ALMOXARIFADO WHERE CDFILIAL = :P_CDFILIAL"
                            " AND CDALMOXARIFE = :P_CDALMOXARIFE",
                            place)
                       .rows.empty()) {
            add("ALMOX_CAD",
                "Almoxarifado " + row.warehouse + " não cadastrado na filial " + row.branch + ".");
            continue;
        }
        if (row.location.empty()) {
            if (locations) add("LOCAL_INF", "Localização não informada.");
        } else if (db.Query("SELECT 1 FROM LOCALESTOQUE WHERE CDFILIAL = :P_CDFILIAL AND CDALMOXARIFE ="
                            " :P_CDALMOXARIFE AND CDLOCALESTOQ = :P_CDLOCALESTOQ",
                            place)
                       .rows.empty()) {
            add("LOCAL_CAD",
                "Localização " + row.location + " não cadastrada no almoxarifado " + row.warehouse + ".");
        }
    }
    return problems;
}

// The postings involved that still carry errors: their own mark or an item's.
Problems ErrorsOf(db::Database& db, const std::vector<PostingKey>& postings) {
    Problems problems;
    for (const PostingKey& key : postings) {
        const Packet header = db.Query("SELECT NRNOTAFISC, IDAVISOS FROM NOTAFISCAL"
                                       " WHERE CDFILIAL = :P_CDFILIAL AND NRLANCTONF = :P_NRLANCTONF",
                                       KeyParams(key));
        const std::string note = header.rows.empty() ? std::string() : Text(header.rows[0].values[0]);
        const std::string object = key.branch + " - " + key.number;
        if (!header.rows.empty() && Text(header.rows[0].values[1]).find('1') != std::string::npos)
            problems.Add("AVISO_ERRO", object, note, "Nota fiscal " + note + " possui erros.");
        const Packet items = db.Query("SELECT NRSEQITPROD FROM ITEMPRODUTO WHERE CDFILIAL = :P_CDFILIAL"
                                      " AND NRLANCTONF = :P_NRLANCTONF AND COALESCE(IDDELETE, 'N') <> 'S'"
                                      " AND IDAVISOSITEM LIKE '%1%' ORDER BY NRSEQITPROD",
                                      KeyParams(key));
        for (const PacketRow& item : items.rows) {
            const std::string seq = Text(item.values[0]);
            problems.Add("AVISO_ERRO", object, note,
                         "Item " + seq + " da nota fiscal " + note + " possui erros.", seq);
        }
    }
    return problems;
}

std::string NextMovementNumber(db::Database& db, const std::string& branch) {
    const Packet last = db.Query("SELECT MAX(NRMOVESTQ) FROM MOVESTOQUE WHERE CDFILIAL = :P_CDFILIAL",
                                 {{"P_CDFILIAL", branch}});
    const std::string current = last.rows.empty() ? std::string() : Text(last.rows[0].values[0]);
    const int64_t next = (text::IsDigits(current) ? std::stoll(current) : 0) + 1;
    return text::PadLeft(std::to_string(next), 10, '0');
}

// Generates the stock entry of the goods a supplier returns processed, under the posting of its processing
// invoice (arguments: branch and number of that posting, the ticked return documents, the products with their
// placement, the operator). Answers ["OK", null], or the status of what keeps it from being made with the
// problems: "IrreEsto" (the products' stock), "ErroAvis" (documents with errors), "Serie_NCad" (the branch
// has no default series). A write: one transaction, repeated requests answered from the log.
Variant GeraEntradaEstoque(MethodContext& call) {
    ExpectArgCount(call, 5, 5);
    const PostingKey posting = PostingKeyArgs(call, 0);
    const std::vector<PostingKey> ticked =
        ReadTicked(PacketArg(call, 2, "notas fiscais marcadas", {"CDFILIAL", "NRLANCTONF"}));
    const std::vector<ProductRow> products =
        ReadProducts(PacketArg(call, 3, "dados dos produtos",
                               {"CDPRODUTO", "QTITEMPROD", "CDFILIMOVI", "CDALMOXARIFE", "CDLOCALESTOQ",
                                "NRLOTEESTQ", "NRSUBLOTE"}));
    const std::string op = CodeArg(call, 4, 12, "operador");
    if (posting.branch.empty() || posting.number.empty()) throw MethodRefusal("Lançamento não informado.");
    if (op.empty()) throw MethodRefusal("Operador não informado.");

    db::Database& db = call.Db();
    const std::optional<PostingRow> processing = FindPosting(db, posting);
    if (!processing) throw MethodRefusal("Lançamento " + Describe(posting) + " não encontrado.");
    if (!processing->processing)
        throw MethodRefusal("Lançamento " + Describe(posting) + " não é de industrialização por terceiros.");
    const Packet done = db.Query("SELECT CDFILIAL, NRMOVESTQ FROM MOVESTOQUE WHERE CDFILLANC = :P_CDFILIAL"
                                 " AND NRLANCTONF = :P_NRLANCTONF",
                                 KeyParams(posting));
    if (!done.rows.empty())
        throw MethodRefusal("Entrada no estoque do lançamento " + Describe(posting) +
                            " já gerada (movimento " + Text(done.rows[0].values[0]) + "/" +
                            Text(done.rows[0].values[1]) + ").");
    std::vector<Variant> values;
    for (const PostingKey& key : ticked) {
        const std::optional<PostingRow> doc = key == posting ? std::nullopt : FindPosting(db, key);
        if (!doc || !doc->processedReturn || doc->personType != processing->personType ||
            doc->registration != processing->registration)
            throw MethodRefusal("Lançamento " + Describe(key) +
                                " não é um retorno de industrialização do mesmo fornecedor.");
        const Packet used =
            db.Query("SELECT CDFILIAL, NRMOVESTQ FROM NFMOVESTOQUE WHERE CDFILLANC = :P_CDFILIAL"
                     " AND NRLANCTONF = :P_NRLANCTONF",
                     KeyParams(key));
        if (!used.rows.empty())
            throw MethodRefusal("Nota fiscal " + doc->noteNumber + " (lançamento " + Describe(key) +
                                ") já utilizada no movimento de estoque " + Text(used.rows[0].values[0]) +
                                "/" + Text(used.rows[0].values[1]) + ".");
        values.push_back(doc->value);
    }

    const std::string entryBranch = processing->receivingBranch;
    if (const Problems stock = StockProblems(db, entryBranch, products); !stock.Empty())
        return stock.Answer("IrreEsto");
    std::vector<PostingKey> involved{posting};
    involved.insert(involved.end(), ticked.begin(), ticked.end());
    if (const Problems errors = ErrorsOf(db, involved); !errors.Empty()) return errors.Answer("ErroAvis");
    const Packet branch = db.Query("SELECT CDSERIE, DTPROCESSA FROM FILIAL WHERE CDFILIAL = :P_CDFILIAL",
                                   {{"P_CDFILIAL", entryBranch}});
    const std::string series = branch.rows.empty() ? std::string() : Text(branch.rows[0].values[0]);
    if (series.empty()) return Variant::Array({Variant("Serie_NCad"), Variant::Null()});

    const DateTime now = call.Now();
    const Variant& processDate = branch.rows[0].values[1];
    const DateTime day = processDate.IsNull() ? now.DatePart() : processDate.AsDateTime().DatePart();
    const std::string number = NextMovementNumber(db, entryBranch);
    db.Execute("INSERT INTO MOVESTOQUE (CDFILIAL, NRMOVESTQ, IDTIPOMOVEST, CDSERIE, CDFILLANC, NRLANCTONF,"
               " DTMOVIMENTO, CDOPERADOR, DTINCLUSAO) VALUES (:P_CDFILIAL, :P_NRMOVESTQ, 'E', :P_CDSERIE,"
               " :P_CDFILLANC, :P_NRLANCTONF, :P_DTMOVIMENTO, :P_CDOPERADOR, :P_DTINCLUSAO)",
               {{"P_CDFILIAL", entryBranch},
                {"P_NRMOVESTQ", number},
                {"P_CDSERIE", series},
                {"P_CDFILLANC", posting.branch},
                {"P_NRLANCTONF", posting.number},
                {"P_DTMOVIMENTO", Variant(day)},
                {"P_CDOPERADOR", op},
                {"P_DTINCLUSAO", Variant(now)}});
    int seq = 0;
    for (const ProductRow& row : products) {
        const auto orNull = [](const std::string& s) { return s.empty() ? Variant::Null() : Variant(s); };
        db.Execute(
            "INSERT INTO ITEMMOVESTOQUE (CDFILIAL, NRMOVESTQ, NRSEQITMOV, CDPRODUTO, QTMOVIMENTO,"
            " CDFILIMOVI, CDALMOXARIFE, CDLOCALESTOQ, NRLOTEESTQ, NRSUBLOTE) VALUES (:P_CDFILIAL,"
            " :P_NRMOVESTQ, :P_SEQ, :P_CDPRODUTO, :P_QT, :P_CDFILIMOVI, :P_CDALMOXARIFE, :P_CDLOCALESTOQ,"
            " :P_NRLOTEESTQ, :P_NRSUBLOTE)",
            {{"P_CDFILIAL", entryBranch},
             {"P_NRMOVESTQ", number},
             {"P_SEQ", text::PadLeft(std::to_string(++seq), 4, '0')},
             {"P_CDPRODUTO", row.product},
             {"P_QT", Variant(row.quantity)},
             {"P_CDFILIMOVI", row.branch},
             {"P_CDALMOXARIFE", orNull(row.warehouse)},
             {"P_CDLOCALESTOQ", orNull(row.location)},
             {"P_NRLOTEESTQ", orNull(row.lot)},
             {"P_NRSUBLOTE", orNull(row.subLot)}});
        // A lot seen for the first time becomes one of the branch's lots.
        const db::SqlParams lot{{"P_CDFILIAL", row.branch},
                                {"P_CDPRODESTO", row.product},
                                {"P_NRLOTEESTQ", row.lot},
                                {"P_NRSUBLOTE", row.subLot}};
        if (!row.lot.empty() && !row.subLot.empty() &&
            db.Query("SELECT 1 FROM LOTEESTOQUE WHERE CDFILIAL = :P_CDFILIAL AND CDPRODESTO = :P_CDPRODESTO"
                     " AND NRLOTEESTQ = :P_NRLOTEESTQ AND NRSUBLOTE = :P_NRSUBLOTE",
                     lot)
                .rows.empty())
            db.Execute("INSERT INTO LOTEESTOQUE (CDFILIAL, CDPRODESTO, NRLOTEESTQ, NRSUBLOTE)"
                       " VALUES (:P_CDFILIAL, :P_CDPRODESTO, :P_NRLOTEESTQ, :P_NRSUBLOTE)",
                       lot);
    }
    for (size_t i = 0; i < ticked.size(); ++i) {
        db.Execute("INSERT INTO NFMOVESTOQUE (CDFILIAL, NRMOVESTQ, CDFILLANC, NRLANCTONF, VRNOTAFISC)"
                   " VALUES (:P_CDFILIAL, :P_NRMOVESTQ, :P_CDFILLANC, :P_NRLANCTONF, :P_VRNOTAFISC)",
                   {{"P_CDFILIAL", entryBranch},
                    {"P_NRMOVESTQ", number},
                    {"P_CDFILLANC", ticked[i].branch},
                    {"P_NRLANCTONF", ticked[i].number},
                    {"P_VRNOTAFISC", values[i]}});
    }
    return Variant::Array({Variant("OK"), Variant::Null()});
}

} // namespace

void RegisterOutsourcingMethods(MethodRegistry& registry) {
    registry.Add(net::kGeraMoviEstTer, "GeraEntradaEstoque", MethodKind::Write, GeraEntradaEstoque);
}

} // namespace dfe::appserver
