// What a closed posting becomes. Everything here is made from the stored posting and removed before it is
// made again, so closing a posting a second time (edited, or the same closing repeated) leaves one of each.
#include "appserver/modules/closing_checks.h"
#include "appserver/modules/closing_store.h"
#include "platform/core/text.h"

namespace dfe::appserver {
namespace {

constexpr double kQuantityEpsilon = 0.0005;

// The items that enter stock: not deleted, with a quantity, of a product kept in stock (its own stock
// product) where the movement branch keeps it.
constexpr const char* kStockItems =
    " FROM ITEMPRODUTO I JOIN PRODUTO P ON P.CDPRODUTO = I.CDPRODUTO"
    " LEFT JOIN PRODUTOFILIAL M ON M.CDFILIAL = COALESCE(NULLIF(I.CDFILIMOVI, ''), :P_CDFILIRECE)"
    " AND M.CDPRODUTO = I.CDPRODUTO"
    " WHERE I.CDFILIAL = :P_CDFILIAL AND I.NRLANCTONF = :P_NRLANCTONF AND COALESCE(I.IDDELETE, 'N') <> 'S'"
    " AND I.QTITEMPROD > 0 AND COALESCE(NULLIF(P.CDPRODESTO, ''), P.CDPRODUTO) = P.CDPRODUTO"
    " AND COALESCE(M.IDCTRLESTOQUE, 'S') = 'S'";

constexpr const char* kBalanceKey = "CDFILIMOVI, CDPRODUTO, CDALMOXARIFE, CDLOCALESTOQ";

std::string TextAt(const Packet& p, size_t row, std::string_view field) {
    const int i = p.FieldIndex(field);
    const Variant& v = p.rows[row].values[static_cast<size_t>(i)];
    return v.IsNull() ? std::string() : text::Trim(v.AsString());
}

struct Balance {
    std::string branch, product, warehouse, location;
    double quantity = 0;
};

db::SqlParams BalanceParams(const Balance& b) {
    return {
        {"P_FILIAL", b.branch}, {"P_PRODUTO", b.product}, {"P_ALMOX", b.warehouse}, {"P_LOCAL", b.location}};
}
constexpr const char* kBalanceWhere = " WHERE CDFILIAL = :P_FILIAL AND CDPRODUTO = :P_PRODUTO"
                                      " AND CDALMOXARIFE = :P_ALMOX AND CDLOCALESTOQ = :P_LOCAL";

// Takes the stock posting's movements out of the balances and deletes them; gives what each balance lost.
std::vector<Balance> ReverseStock(db::Database& db, const db::SqlParams& stock) {
    const Packet groups = db.Query(std::string("SELECT ") + kBalanceKey +
                                       ", SUM(QTMOVIMENTO) AS QT, SUM(VRMOVIMENTO) AS VR FROM ITLANCESTOQUE"
                                       " WHERE CDFILIAL = :S_FILIAL AND NRLANCESTQ = :S_NUMERO GROUP BY " +
                                       kBalanceKey,
                                   stock);
    std::vector<Balance> out;
    for (size_t r = 0; r < groups.rows.size(); ++r) {
        Balance b{TextAt(groups, r, "CDFILIMOVI"), TextAt(groups, r, "CDPRODUTO"),
                  TextAt(groups, r, "CDALMOXARIFE"), TextAt(groups, r, "CDLOCALESTOQ"),
                  groups.rows[r].values[4].AsFloat()};
        db::SqlParams params = BalanceParams(b);
        params.push_back({"P_QT", groups.rows[r].values[4]});
        params.push_back({"P_VR", groups.rows[r].values[5]});
        db.Execute(
            std::string("UPDATE SALDOESTOQUE SET QTSALDO = QTSALDO - :P_QT, VRSALDO = VRSALDO - :P_VR") +
                kBalanceWhere,
            params);
        out.push_back(std::move(b));
    }
    db.Execute("DELETE FROM ITLANCESTOQUE WHERE CDFILIAL = :S_FILIAL AND NRLANCESTQ = :S_NUMERO", stock);
    return out;
}

// Balances are locked in key order, so two closings touching the same products wait in line, never on each
// other.
void MakeStock(db::Database& db, const db::SqlParams& posting, const db::SqlParams& stock) {
    db::SqlParams params = posting;
    params.insert(params.end(), stock.begin(), stock.end());
    db.Execute(
        std::string("INSERT INTO ITLANCESTOQUE (CDFILIAL, NRLANCESTQ, NRSEQITPROD, CDPRODUTO, CDFILIMOVI,"
                    " CDALMOXARIFE, CDLOCALESTOQ, NRLOTEESTQ, NRSUBLOTE, QTMOVIMENTO, VRMOVIMENTO)"
                    " SELECT :S_FILIAL, :S_NUMERO, I.NRSEQITPROD, I.CDPRODUTO,"
                    " COALESCE(NULLIF(I.CDFILIMOVI, ''), :P_CDFILIRECE), COALESCE(I.CDALMOXARIFE, ''),"
                    " COALESCE(I.CDLOCALESTOQ, ''), I.NRLOTEESTQ, I.NRSUBLOTE,"
                    " I.QTITEMPROD * COALESCE(I.VRFATOCONV, 1),"
                    " COALESCE(I.VRTOTAITEM, 0) - COALESCE(I.VRDESCITEM, 0)") +
            kStockItems,
        params);
    db.Execute(
        std::string("INSERT INTO SALDOESTOQUE (CDFILIAL, CDPRODUTO, CDALMOXARIFE, CDLOCALESTOQ, QTSALDO,"
                    " VRSALDO) SELECT ") +
            kBalanceKey +
            ", SUM(QTMOVIMENTO), SUM(VRMOVIMENTO) FROM ITLANCESTOQUE"
            " WHERE CDFILIAL = :S_FILIAL AND NRLANCESTQ = :S_NUMERO GROUP BY " +
            kBalanceKey + " ORDER BY " + kBalanceKey +
            " ON CONFLICT (CDFILIAL, CDPRODUTO, CDALMOXARIFE, CDLOCALESTOQ) DO UPDATE"
            " SET QTSALDO = SALDOESTOQUE.QTSALDO + EXCLUDED.QTSALDO,"
            " VRSALDO = SALDOESTOQUE.VRSALDO + EXCLUDED.VRSALDO",
        stock);
}

// The stock posting of the posting: the one it has, else the number its header holds (postings stored before
// this server made movements), else a new one.
std::string StockPostingNumber(db::Database& db, const PostingKey& key, const std::string& held,
                               const std::string& operatorCode, DateTime entry, DateTime now) {
    std::string number = held;
    if (number.empty() || number == kNewPostingNumber ||
        !db.Query("SELECT 1 FROM LANCESTOQUE WHERE CDFILIAL = :P_CDFILIAL AND NRLANCESTQ = :P_NR",
                  {{"P_CDFILIAL", key.branch}, {"P_NR", number}})
             .rows.empty())
        number = NextBranchNumber(db, key.branch, "NRLANCESTQ");
    db.Execute(
        "INSERT INTO LANCESTOQUE (CDFILIAL, NRLANCESTQ, CDFILLANC, NRLANCTONF, DTMOVIMENTO, CDOPERADOR,"
        " DTINCLUSAO) VALUES (:P_CDFILIAL, :P_NR, :P_CDFILIAL, :P_NRLANCTONF, :P_DATA, :P_OPERADOR, "
        ":P_AGORA)",
        {{"P_CDFILIAL", key.branch},
         {"P_NR", number},
         {"P_NRLANCTONF", key.number},
         {"P_DATA", entry.IsEmpty() ? Variant::Null() : Variant(entry)},
         {"P_OPERADOR", operatorCode},
         {"P_AGORA", now}});
    return number;
}

} // namespace

std::string PostPosting(db::Database& db, const PostingKey& key, const std::string& operatorCode,
                        DateTime now, std::vector<Finding>& findings) {
    const db::SqlParams keyParams = KeyParams(key);
    const Packet header = db.Query(
        "SELECT N.NRLANCESTQ, N.DTENTRSAID, COALESCE(N.CDFILIRECE, N.CDFILIAL) AS CDFILIRECE, N.IDDOCFISCAL,"
        " N.IDSTATUS, T.IDATUESTTPOP FROM NOTAFISCAL N LEFT JOIN TIPOOPERAC T ON T.CDTIPOOPER = N.CDTIPOOPER"
        " WHERE N.CDFILIAL = :P_CDFILIAL AND N.NRLANCTONF = :P_NRLANCTONF",
        keyParams);
    if (header.rows.empty())
        throw std::runtime_error("O lançamento " + key.branch + "/" + key.number + " não existe.");
    const bool active = TextAt(header, 0, "IDSTATUS") != "C";
    const bool movesStock = active && TextAt(header, 0, "IDATUESTTPOP") != "N";
    const Variant& entryValue = header.rows[0].values[1];
    const DateTime entry = entryValue.IsNull() ? DateTime() : entryValue.AsDateTime();
    db::SqlParams posting = keyParams;
    posting.push_back({"P_CDFILIRECE", TextAt(header, 0, "CDFILIRECE")});

    // Undo what an earlier closing made.
    std::string stockNumber;
    std::vector<Balance> reversed;
    const Packet stock = db.Query(
        "SELECT NRLANCESTQ FROM LANCESTOQUE WHERE CDFILLANC = :P_CDFILIAL AND NRLANCTONF = :P_NRLANCTONF",
        keyParams);
    if (!stock.rows.empty()) {
        stockNumber = TextAt(stock, 0, "NRLANCESTQ");
        reversed = ReverseStock(db, {{"S_FILIAL", key.branch}, {"S_NUMERO", stockNumber}});
    }
    db.Execute("DELETE FROM TITULOPAGAR WHERE CDFILIAL = :P_CDFILIAL AND NRLANCTONF = :P_NRLANCTONF",
               keyParams);
    db.Execute("DELETE FROM ITLIVROENTRADA WHERE CDFILIAL = :P_CDFILIAL AND NRLANCTONF = :P_NRLANCTONF",
               keyParams);
    db.Execute("DELETE FROM LIVROENTRADA WHERE CDFILIAL = :P_CDFILIAL AND NRLANCTONF = :P_NRLANCTONF",
               keyParams);

    // Make it again.
    if (movesStock &&
        db.Query(std::string("SELECT COUNT(*)") + kStockItems, posting).rows.at(0).values.at(0).AsInteger() >
            0) {
        if (stockNumber.empty())
            stockNumber =
                StockPostingNumber(db, key, TextAt(header, 0, "NRLANCESTQ"), operatorCode, entry, now);
        MakeStock(db, posting, {{"S_FILIAL", key.branch}, {"S_NUMERO", stockNumber}});
    }
    if (!stockNumber.empty()) {
        db::SqlParams params = keyParams;
        params.push_back({"P_NR", stockNumber});
        db.Execute("UPDATE NOTAFISCAL SET NRLANCESTQ = :P_NR WHERE CDFILIAL = :P_CDFILIAL AND NRLANCTONF = "
                   ":P_NRLANCTONF",
                   params);
    }
    // A balance that loses more than the posting now brings would go below zero.
    for (const Balance& b : reversed) {
        const Packet now_ =
            db.Query(std::string("SELECT QTSALDO FROM SALDOESTOQUE") + kBalanceWhere, BalanceParams(b));
        if (!now_.rows.empty() && now_.rows[0].values[0].AsFloat() < -kQuantityEpsilon) {
            bool listed = false;
            for (const Finding& f : findings)
                listed = listed || (f.row.code == "LIB00200_3" && f.row.object == b.product);
            if (!listed) findings.push_back({{"LIB00200_3", b.product, b.branch}, "LIB00200_3"});
        }
    }
    if (!active) return stockNumber;

    db::SqlParams withTime = keyParams;
    withTime.push_back({"P_AGORA", now});
    db.Execute(
        "INSERT INTO TITULOPAGAR (CDFILIAL, NRLANCTONF, NRSEQVENPAG, CDEMPRESA, IDTPIJURNF, NRINSJURNF,"
        " CDFORNECED, NRNOTAFISC, NRPARCELAPAG, DTVENCIMENTO, VRTITULO, VRSALDO, IDSTATUS, CDTPCTPAGAR,"
        " DTINCLUSAO)"
        " SELECT C.CDFILIAL, C.NRLANCTONF, C.NRSEQVENPAG, N.CDEMPRESA, N.IDTPIJURNF, N.NRINSJURNF,"
        " N.CDFORNECED, N.NRNOTAFISC, C.NRPARCELAPAG, COALESCE(C.DTATUAVENPAG, C.DTORIGVENPAG),"
        " COALESCE(C.VRATUAPAG, C.VRORIGPAG, 0), COALESCE(C.VRATUAPAG, C.VRORIGPAG, 0), 'A', C.CDTPCTPAGAR,"
        " :P_AGORA FROM CONTAPAGAR C JOIN NOTAFISCAL N ON N.CDFILIAL = C.CDFILIAL"
        " AND N.NRLANCTONF = C.NRLANCTONF WHERE C.CDFILIAL = :P_CDFILIAL AND C.NRLANCTONF = :P_NRLANCTONF",
        withTime);
    if (TextAt(header, 0, "IDDOCFISCAL") != "N") {
        db.Execute(
            "INSERT INTO LIVROENTRADA (CDFILIAL, NRLANCTONF, CDEMPRESA, CDFILIRECE, DTENTRADA, DTEMISSAO,"
            " CDMODDOCFISC, CDSERIEENTR, NRNOTAFISC, IDTPIJURNF, NRINSJURNF, SGESTADO, NRACESSONFE, "
            "VRCONTABIL)"
            " SELECT CDFILIAL, NRLANCTONF, CDEMPRESA, COALESCE(CDFILIRECE, CDFILIAL), DTENTRSAID, DTEMISSAO,"
            " CDMODDOCFISC, CDSERIEENTR, NRNOTAFISC, IDTPIJURNF, NRINSJURNF, SGESTADO, NRACESSONFE,"
            " COALESCE(VRNOTAFISC, 0) FROM NOTAFISCAL WHERE CDFILIAL = :P_CDFILIAL AND NRLANCTONF = "
            ":P_NRLANCTONF",
            keyParams);
        db.Execute(
            "INSERT INTO ITLIVROENTRADA (CDFILIAL, NRLANCTONF, CDIMPOSTO, CDFISCOPER, VRCONTABIL, VRBASECALC,"
            " VRIMPOSTO) SELECT T.CDFILIAL, T.NRLANCTONF, T.CDIMPOSTO, COALESCE(I.CDFISOPEITEM, ''),"
            " SUM(COALESCE(T.VRCONTITIMP, 0)), SUM(COALESCE(T.VRBASECALCIT, 0)), SUM(COALESCE(T.VRIMPOSTOIT, "
            "0))"
            " FROM ITEMPROIMPOS T JOIN ITEMPRODUTO I ON I.CDFILIAL = T.CDFILIAL AND I.NRLANCTONF = "
            "T.NRLANCTONF"
            " AND I.NRSEQITPROD = T.NRSEQITPROD"
            " WHERE T.CDFILIAL = :P_CDFILIAL AND T.NRLANCTONF = :P_NRLANCTONF AND COALESCE(I.IDDELETE, 'N') "
            "<> 'S'"
            " GROUP BY T.CDFILIAL, T.NRLANCTONF, T.CDIMPOSTO, COALESCE(I.CDFISOPEITEM, '')",
            keyParams);
    }
    return stockNumber;
}

} // namespace dfe::appserver
