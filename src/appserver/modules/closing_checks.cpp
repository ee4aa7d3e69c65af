#include "appserver/modules/closing_checks.h"

#include "platform/core/text.h"
#include "platform/net/closing_calls.h"

#include <cmath>

namespace dfe::appserver {
namespace {

using text::Trim;

constexpr double kCent = 0.005;

// The posting's header as the checks read it.
struct Header {
    std::string participant, series, number, receivingBranch, operationType, supplier, kind;
    DateTime entryDate;
    double productsValue = 0, documentValue = 0;
    bool movesStock = false;
};

std::string Text(const Packet& p, size_t row, std::string_view field) {
    const int i = p.FieldIndex(field);
    return i < 0 || p.rows[row].values[static_cast<size_t>(i)].IsNull()
               ? std::string()
               : Trim(p.rows[row].values[static_cast<size_t>(i)].AsString());
}
double Number(const Packet& p, size_t row, std::string_view field) {
    const int i = p.FieldIndex(field);
    return i < 0 || p.rows[row].values[static_cast<size_t>(i)].IsNull()
               ? 0
               : p.rows[row].values[static_cast<size_t>(i)].AsFloat();
}

Header ReadHeader(db::Database& db, const PostingKey& key) {
    const Packet p = db.Query(
        "SELECT N.IDORIGDESTNF, N.CDFORNECED, N.CDCLIENTE, N.CDFILIEMIT, N.CDSERIEENTR, N.NRNOTAFISC,"
        " COALESCE(N.CDFILIRECE, N.CDFILIAL) AS CDFILIRECE, N.CDTIPOOPER, N.DTENTRSAID, N.VRPRODUTOS, "
        "N.VRNOTAFISC,"
        " T.IDATUESTTPOP FROM NOTAFISCAL N LEFT JOIN TIPOOPERAC T ON T.CDTIPOOPER = N.CDTIPOOPER"
        " WHERE N.CDFILIAL = :P_CDFILIAL AND N.NRLANCTONF = :P_NRLANCTONF",
        KeyParams(key));
    if (p.rows.empty())
        throw std::runtime_error("O lançamento " + key.branch + "/" + key.number + " não existe.");
    Header h;
    h.kind = Text(p, 0, "IDORIGDESTNF");
    h.supplier = Text(p, 0, "CDFORNECED");
    h.participant = h.kind == "C"   ? Text(p, 0, "CDCLIENTE")
                    : h.kind == "L" ? Text(p, 0, "CDFILIEMIT")
                                    : h.supplier;
    h.series = Text(p, 0, "CDSERIEENTR");
    h.number = Text(p, 0, "NRNOTAFISC");
    h.receivingBranch = Text(p, 0, "CDFILIRECE");
    h.operationType = Text(p, 0, "CDTIPOOPER");
    const int date = p.FieldIndex("DTENTRSAID");
    if (!p.rows[0].values[static_cast<size_t>(date)].IsNull())
        h.entryDate = p.rows[0].values[static_cast<size_t>(date)].AsDateTime().DatePart();
    h.productsValue = Number(p, 0, "VRPRODUTOS");
    h.documentValue = Number(p, 0, "VRNOTAFISC");
    h.movesStock = Text(p, 0, "IDATUESTTPOP") != "N";
    return h;
}

Finding Error(ClosingRow row) {
    return {std::move(row), {}};
}

// A row of the fiscal routines' messages: the first character of the code places it, the object is the
// message's code followed by what completes it.
Finding FiscalError(char position, const char* message, const std::string& complement = {}) {
    return Error({std::string(1, position) + message, message + complement});
}

void DuplicateNumber(db::Database& db, const PostingKey& key, const Header& h, std::vector<Finding>& out) {
    if (h.participant.empty() || h.number.empty()) return;
    const char* column = h.kind == "C" ? "CDCLIENTE" : h.kind == "L" ? "CDFILIEMIT" : "CDFORNECED";
    const Packet p = db.Query(std::string("SELECT COALESCE(CDFILIRECE, CDFILIAL) AS CDFILIRECE, DTENTRSAID"
                                          " FROM NOTAFISCAL WHERE ") +
                                  column +
                                  " = :P_PARTICIPANTE AND COALESCE(CDSERIEENTR, '') = :P_SERIE"
                                  " AND LTRIM(NRNOTAFISC, '0') = LTRIM(:P_NUMERO, '0')"
                                  " AND IDENTRSAIDOP = 'E' AND COALESCE(IDSTATUS, 'P') <> 'C'"
                                  " AND NOT (CDFILIAL = :P_CDFILIAL AND NRLANCTONF = :P_NRLANCTONF)"
                                  " ORDER BY DTENTRSAID, CDFILIAL, NRLANCTONF",
                              {{"P_PARTICIPANTE", h.participant},
                               {"P_SERIE", h.series},
                               {"P_NUMERO", h.number},
                               {"P_CDFILIAL", key.branch},
                               {"P_NRLANCTONF", key.number}});
    if (p.rows.empty()) return;
    const Variant& date = p.rows[0].values[1];
    out.push_back({{"DFE11000_2", Text(p, 0, "CDFILIRECE"),
                    date.IsNull() ? "" : date.AsDateTime().Format("dd/mm/yyyy")},
                   net::release_code::kWarnings});
}

void StockPeriod(db::Database& db, const Header& h, std::vector<Finding>& out) {
    if (!h.movesStock || h.entryDate.IsEmpty()) return;
    const db::SqlParams params = {{"P_CDFILIAL", h.receivingBranch}, {"P_DATA", h.entryDate}};
    const bool closed =
        !db.Query("SELECT 1 FROM FECHAESTOQUE WHERE CDFILIAL = :P_CDFILIAL AND DTFECHAMENTO >= :P_DATA",
                  params)
             .rows.empty() ||
        !db.Query("SELECT 1 FROM IMPLANTESTQ WHERE CDFILIAL = :P_CDFILIAL AND DTIMPLANT >= :P_DATA", params)
             .rows.empty();
    if (closed)
        out.push_back({{"LIB00200_2", h.receivingBranch, h.entryDate.Format("dd/mm/yyyy")},
                       net::release_code::kImplantation});
}

void Registrations(db::Database& db, const PostingKey& key, const Header& h, std::vector<Finding>& out) {
    if (!h.series.empty() &&
        db.Query("SELECT 1 FROM SERIEENTR WHERE CDSERIEENTR = :P_SERIE", {{"P_SERIE", h.series}})
            .rows.empty())
        out.push_back(Error({"DFE11000_4", h.series}));
    // Each product once, in item order: unknown, inactive, or a stock product the movement branch keeps no
    // stock of.
    const Packet items = db.Query(
        "SELECT I.CDPRODUTO, P.CDPRODUTO AS REGISTERED, P.IDPRODATIVPR, P.CDPRODESTO, F.IDATIVO, "
        "M.IDCTRLESTOQUE"
        " FROM ITEMPRODUTO I"
        " LEFT JOIN PRODUTO P ON P.CDPRODUTO = I.CDPRODUTO"
        " LEFT JOIN PRODUTOFILIAL F ON F.CDFILIAL = I.CDFILIAL AND F.CDPRODUTO = I.CDPRODUTO"
        " LEFT JOIN PRODUTOFILIAL M ON M.CDFILIAL = COALESCE(NULLIF(I.CDFILIMOVI, ''), :P_CDFILIRECE)"
        " AND M.CDPRODUTO = I.CDPRODUTO"
        " WHERE I.CDFILIAL = :P_CDFILIAL AND I.NRLANCTONF = :P_NRLANCTONF AND COALESCE(I.IDDELETE, 'N') <> "
        "'S'"
        " AND (P.CDPRODUTO IS NULL OR P.IDPRODATIVPR = 'N' OR F.IDATIVO = 'N' OR M.IDCTRLESTOQUE = 'N')"
        " ORDER BY I.NRSEQITPROD",
        {{"P_CDFILIAL", key.branch}, {"P_NRLANCTONF", key.number}, {"P_CDFILIRECE", h.receivingBranch}});
    std::set<std::string> seen;
    for (size_t r = 0; r < items.rows.size(); ++r) {
        const std::string product = Text(items, r, "CDPRODUTO");
        if (!seen.insert(product).second) continue;
        if (Text(items, r, "REGISTERED").empty()) {
            out.push_back(FiscalError('9', "F007", product));
        } else if (Text(items, r, "IDPRODATIVPR") == "N" || Text(items, r, "IDATIVO") == "N") {
            out.push_back(Error({"DFE11000_3", product}));
        } else if (h.movesStock && Text(items, r, "IDCTRLESTOQUE") == "N") {
            const std::string stock = Text(items, r, "CDPRODESTO");
            if (stock.empty() || stock == product) out.push_back(Error({"DFE11000_5", product}));
        }
    }
}

void Cfops(db::Database& db, const PostingKey& key, const Header& h, std::vector<Finding>& out) {
    const Packet p = db.Query(
        "SELECT I.CDPRODUTO FROM ITEMPRODUTO I WHERE I.CDFILIAL = :P_CDFILIAL AND I.NRLANCTONF = "
        ":P_NRLANCTONF"
        " AND COALESCE(I.IDDELETE, 'N') <> 'S' AND COALESCE(I.CDFISOPEITEM, '') <> ''"
        " AND EXISTS (SELECT 1 FROM TPOPERCFOP C WHERE C.IDENTRSAIDOP = 'E' AND C.CDTIPOOPER = :P_CDTIPOOPER)"
        " AND NOT EXISTS (SELECT 1 FROM TPOPERCFOP C WHERE C.IDENTRSAIDOP = 'E' AND C.CDTIPOOPER = "
        ":P_CDTIPOOPER"
        " AND C.CDFISCOPER = I.CDFISOPEITEM)"
        " ORDER BY I.NRSEQITPROD",
        {{"P_CDFILIAL", key.branch}, {"P_NRLANCTONF", key.number}, {"P_CDTIPOOPER", h.operationType}});
    std::set<std::string> seen;
    for (size_t r = 0; r < p.rows.size(); ++r) {
        const std::string product = Text(p, r, "CDPRODUTO");
        if (seen.insert(product).second) out.push_back(Error({"1CFOPINV", product}));
    }
}

void Totals(db::Database& db, const PostingKey& key, const Header& h, std::vector<Finding>& out) {
    const db::SqlParams params = KeyParams(key);
    const Packet items = db.Query("SELECT COUNT(*) AS QT, SUM(VRTOTAITEM) AS VR FROM ITEMPRODUTO"
                                  " WHERE CDFILIAL = :P_CDFILIAL AND NRLANCTONF = :P_NRLANCTONF"
                                  " AND COALESCE(IDDELETE, 'N') <> 'S'",
                                  params);
    // A products' value of zero was not given (the screen does not add it up from the items).
    if (Number(items, 0, "QT") > 0 && h.productsValue != 0 &&
        std::fabs(Number(items, 0, "VR") - h.productsValue) > kCent)
        out.push_back(FiscalError('3', "F001"));

    const Packet retained = db.Query("SELECT T.CDIMPOSTO, I.SGIMPOSTO, T.VRTOTIMPONF FROM IMPOSNFTOT T"
                                     " JOIN IMPOSTO I ON I.CDIMPOSTO = T.CDIMPOSTO"
                                     " WHERE T.CDFILIAL = :P_CDFILIAL AND T.NRLANCTONF = :P_NRLANCTONF"
                                     " AND I.IDTRATIMPO = 'R' ORDER BY T.CDIMPOSTO",
                                     params);
    double retainedTotal = 0;
    for (size_t r = 0; r < retained.rows.size(); ++r) {
        const double value = Number(retained, r, "VRTOTIMPONF");
        retainedTotal += value;
        if (value > h.documentValue + kCent)
            out.push_back(FiscalError('2', "F004", Text(retained, r, "SGIMPOSTO")));
    }
    // Bonus items leave the installments short of the document; more than is owed is never right.
    const Packet installments = db.Query("SELECT COUNT(*) AS QT, SUM(VRORIGPAG) AS VR FROM CONTAPAGAR"
                                         " WHERE CDFILIAL = :P_CDFILIAL AND NRLANCTONF = :P_NRLANCTONF",
                                         params);
    if (Number(installments, 0, "QT") > 0 &&
        Number(installments, 0, "VR") > h.documentValue - retainedTotal + kCent)
        out.push_back(FiscalError('4', "F002"));
}

void SupplierLimit(db::Database& db, const Header& h, std::vector<Finding>& out) {
    if (h.kind == "C" || h.kind == "L" || h.supplier.empty()) return;
    const Packet p = db.Query("SELECT VRLIMITENF FROM LIMITEFORN WHERE CDFORNECED = :P_CDFORNECED",
                              {{"P_CDFORNECED", h.supplier}});
    if (p.rows.empty()) return;
    const double limit = Number(p, 0, "VRLIMITENF");
    if (h.documentValue > limit + kCent) out.push_back(Error({"BloqLimit", h.supplier, "", "", "", limit}));
}

} // namespace

std::set<std::string> ParseReleaseCodes(const std::string& text) {
    std::set<std::string> codes;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('#', start);
        if (end == std::string::npos) end = text.size();
        const std::string code = Trim(text.substr(start, end - start));
        if (!code.empty() && code != "0") codes.insert(text::Upper(code));
        start = end + 1;
    }
    return codes;
}

std::vector<Finding> CheckPosting(db::Database& db, const PostingKey& key,
                                  const ClosingCheckOptions& options) {
    const Header h = ReadHeader(db, key);
    std::vector<Finding> out;
    DuplicateNumber(db, key, h, out);
    StockPeriod(db, h, out);
    Cfops(db, key, h, out);
    Totals(db, key, h, out);
    Registrations(db, key, h, out);
    if (options.checkSupplierLimit) SupplierLimit(db, h, out);
    return out;
}

} // namespace dfe::appserver
