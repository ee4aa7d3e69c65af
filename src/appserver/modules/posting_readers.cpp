#include "appserver/modules/posting_readers.h"

#include "appserver/modules/layout_query.h"
#include "appserver/modules/returned_quantities.h"

namespace dfe::appserver {
namespace {

std::string NotaFiscalSql() {
    return "SELECT " +
           SelectList(NotaFiscalLayout(), "N",
                      {{"DSMODDOCFISC", "M.DSMODDOCFISC"},
                       {"NMESTADO", "ES.NMESTADO"},
                       {"NMMUNICIPIO", "MU.NMMUNICIPIO"}}) +
           " FROM NOTAFISCAL N"
           " JOIN FILIAL FI ON FI.CDFILIAL = N.CDFILIAL"
           " LEFT JOIN MODDOCFISC M ON M.CDMODDOCFISC = N.CDMODDOCFISC"
           " LEFT JOIN ESTADO ES ON ES.CDPAIS = FI.CDPAIS AND ES.SGESTADO = N.SGESTADO"
           " LEFT JOIN MUNICIPIO MU ON MU.CDPAIS = FI.CDPAIS AND MU.SGESTADO = N.SGESTADO"
           " AND MU.CDMUNICIPIO = N.CDMUNICIPIO"
           " WHERE N.CDFILIAL = :P_CDFILIAL AND N.NRLANCTONF = :P_NRLANCTONF";
}

// The related posting's participant is named after its kind, as the list names it.
std::string ItemNotaFiscSql() {
    const std::string name = ParticipantName("R");
    return "SELECT " +
           SelectList(ItemNotaFiscLayout(), "I",
                      {{"LANCAMENTO", "CASE WHEN I.NRLANCTONFIT IS NULL THEN NULL"
                                      " ELSE I.CDFILIALIT || ' - ' || I.NRLANCTONFIT END"},
                       {"NMRAZSOCFORN", name},
                       {"VRNOTAFISC", "R.VRNOTAFISC"},
                       {"NRINSJURNF", "R.NRINSJURNF"}}) +
           " FROM ITEMNOTAFISC I"
           " LEFT JOIN NOTAFISCAL R ON R.CDFILIAL = I.CDFILIALIT AND R.NRLANCTONF = I.NRLANCTONFIT" +
           ParticipantJoins("R") +
           " WHERE I.CDFILIAL = :P_CDFILIAL AND I.NRLANCTONF = :P_NRLANCTONF"
           " ORDER BY I.NRSEQUITNOTA";
}

std::string ItemProdutoSql(const ColumnExpressions& origin = {}) {
    ColumnExpressions expressions = {{"NMPRODUTO", "P.NMPRODUTO"}, {"CDARVPROD", "P.CDARVPROD"}};
    expressions.insert(expressions.end(), origin.begin(), origin.end());
    return "SELECT " + SelectList(ItemProdutoLayout(), "I", expressions) +
           " FROM ITEMPRODUTO I LEFT JOIN PRODUTO P ON P.CDPRODUTO = I.CDPRODUTO"
           " WHERE I.CDFILIAL = :P_CDFILIAL AND I.NRLANCTONF = :P_NRLANCTONF ORDER BY I.NRSEQITPROD";
}

// A return's items read their product's quantity in the origins (QTITEMORIG) and what other returns
// brought back of it (QTITRELACNFSUBS) as they are now, so that the item rules can refuse more than is left.
DataPacket ReadReturnItems(db::Database& db, const PostingKey& key,
                           const std::vector<ProductOrigin>& products) {
    db::SqlParams params = KeyParams(key);
    std::string quantity = "CASE I.CDPRODUTO", others = "CASE I.CDPRODUTO";
    for (size_t i = 0; i < products.size(); ++i) {
        const std::string n = std::to_string(i);
        quantity += " WHEN :P_PRODUTO" + n + " THEN :P_QTORIG" + n;
        others += " WHEN :P_PRODUTO" + n + " THEN :P_QTOUTRAS" + n;
        params.emplace_back("P_PRODUTO" + n, products[i].product);
        params.emplace_back("P_QTORIG" + n, products[i].quantity);
        params.emplace_back("P_QTOUTRAS" + n, products[i].returnedByOthers);
    }
    quantity += " ELSE I.QTITEMORIG END";
    others += " ELSE I.QTITRELACNFSUBS END";
    return QueryPacket(db, ItemProdutoLayout(),
                       ItemProdutoSql({{"QTITEMORIG", quantity}, {"QTITRELACNFSUBS", others}}), params);
}

std::string ItemEncargoSql() {
    return "SELECT " +
           SelectList(ItemEncargoLayout(), "I",
                      {{"NMENCARGO", "E.NMENCARGO"}, {"IDENCARGO", "E.IDENCARGO"}}) +
           " FROM ITEMENCARGO I LEFT JOIN ENCARGO E ON E.CDENCARGO = I.CDENCARGO"
           " WHERE I.CDFILIAL = :P_CDFILIAL AND I.NRLANCTONF = :P_NRLANCTONF ORDER BY I.CDENCARGO";
}

std::string ContaPagarSql() {
    return "SELECT " + SelectList(ContaPagarLayout(), "C") +
           " FROM CONTAPAGAR C WHERE C.CDFILIAL = :P_CDFILIAL AND C.NRLANCTONF = :P_NRLANCTONF"
           " ORDER BY C.NRSEQVENPAG";
}

std::string DadosAdicSql() {
    return "SELECT " + SelectList(DadosAdicLayout(), "D") +
           " FROM DADOSADIC D WHERE D.CDFILIAL = :P_CDFILIAL AND D.NRLANCTONF = :P_NRLANCTONF"
           " ORDER BY D.NRDADOADIC";
}

std::string ImposNFTotSql() {
    return "SELECT " + SelectList(ImposNFTotLayout(), "T", {{"SGIMPOSTO", "M.SGIMPOSTO"}}) +
           " FROM IMPOSNFTOT T LEFT JOIN IMPOSTO M ON M.CDIMPOSTO = T.CDIMPOSTO"
           " WHERE T.CDFILIAL = :P_CDFILIAL AND T.NRLANCTONF = :P_NRLANCTONF ORDER BY T.CDIMPOSTO";
}

std::string ItemProImposSql() {
    return "SELECT " + SelectList(ItemProImposLayout(), "T", {{"SGIMPOSTO", "M.SGIMPOSTO"}}) +
           " FROM ITEMPROIMPOS T LEFT JOIN IMPOSTO M ON M.CDIMPOSTO = T.CDIMPOSTO"
           " WHERE T.CDFILIAL = :P_CDFILIAL AND T.NRLANCTONF = :P_NRLANCTONF"
           " ORDER BY T.NRSEQITPROD, T.CDIMPOSTO";
}

std::string ItensNFOrigSql() {
    return "SELECT " + SelectList(ItensNFOrigLayout(), "O") +
           " FROM ITEMNFORIG O WHERE O.CDFILIAL = :P_CDFILIAL AND O.NRLANCTONF = :P_NRLANCTONF"
           " ORDER BY O.CDFILIALIT, O.NRLANCTONFIT";
}

std::string NFRelacAFSql() {
    return "SELECT " + SelectList(NFRelacAFLayout(), "R") +
           " FROM NFRELACAF R WHERE R.CDFILLANC = :P_CDFILIAL AND R.NRLANCTONF = :P_NRLANCTONF"
           " ORDER BY R.CDFILIAL, R.NRAUTOFORN, R.CDPRODUTO, R.CDMARCA, R.DTPROGENTAF";
}

std::string OriginItemsSql() {
    return "SELECT " +
           SelectList(ItemNFOrigemLayout(), "I",
                      {{"CDARVPROD", "P.CDARVPROD"},
                       {"NMPRODUTO", "P.NMPRODUTO"},
                       {"CDNVPRODUTO", "P.CDNVPRODUTO"}}) +
           " FROM ITEMPRODUTO I LEFT JOIN PRODUTO P ON P.CDPRODUTO = I.CDPRODUTO"
           " WHERE I.CDFILIAL = :P_CDFILIAL AND I.NRLANCTONF = :P_NRLANCTONF ORDER BY I.NRSEQITPROD";
}

DataPacket Read(db::Database& db, const PacketLayout& layout, const std::string& sql, const PostingKey& key) {
    return QueryPacket(db, layout, sql, KeyParams(key));
}

} // namespace

std::string ParticipantName(std::string_view posting) {
    const std::string p(posting);
    return "CASE " + p + ".IDORIGDESTNF WHEN 'C' THEN " + p + "C.NMRAZSOCCLIE WHEN 'L' THEN " + p +
           "L.NMFILIAL ELSE " + p + "F.NMRAZSOCFORN END";
}

std::string ParticipantJoins(std::string_view posting) {
    const std::string p(posting);
    return " LEFT JOIN FORNECEDOR " + p + "F ON " + p + "F.CDFORNECED = " + p + ".CDFORNECED" +
           " LEFT JOIN CLIENTE " + p + "C ON " + p + "C.CDCLIENTE = " + p + ".CDCLIENTE" +
           " LEFT JOIN FILIAL " + p + "L ON " + p + "L.CDFILIAL = " + p + ".CDFILIEMIT";
}

DataPacket ReadNotaFiscal(db::Database& db, const PostingKey& key) {
    static const std::string sql = NotaFiscalSql();
    return Read(db, NotaFiscalLayout(), sql, key);
}

DataPacket ReadItemNotaFisc(db::Database& db, const PostingKey& key) {
    static const std::string sql = ItemNotaFiscSql();
    return Read(db, ItemNotaFiscLayout(), sql, key);
}

DataPacket ReadItemProduto(db::Database& db, const PostingKey& key) {
    const std::vector<ProductOrigin> origins = OriginQuantitiesOfReturn(db, key);
    if (!origins.empty()) return ReadReturnItems(db, key, origins);
    static const std::string sql = ItemProdutoSql();
    return Read(db, ItemProdutoLayout(), sql, key);
}

DataPacket ReadItemEncargo(db::Database& db, const PostingKey& key) {
    static const std::string sql = ItemEncargoSql();
    return Read(db, ItemEncargoLayout(), sql, key);
}

DataPacket ReadContaPagar(db::Database& db, const PostingKey& key) {
    static const std::string sql = ContaPagarSql();
    return Read(db, ContaPagarLayout(), sql, key);
}

DataPacket ReadDadosAdic(db::Database& db, const PostingKey& key) {
    static const std::string sql = DadosAdicSql();
    return Read(db, DadosAdicLayout(), sql, key);
}

DataPacket ReadImposNFTot(db::Database& db, const PostingKey& key) {
    static const std::string sql = ImposNFTotSql();
    return Read(db, ImposNFTotLayout(), sql, key);
}

DataPacket ReadItemProImpos(db::Database& db, const PostingKey& key) {
    static const std::string sql = ItemProImposSql();
    return Read(db, ItemProImposLayout(), sql, key);
}

DataPacket ReadItensNFOrig(db::Database& db, const PostingKey& key) {
    static const std::string sql = ItensNFOrigSql();
    return Read(db, ItensNFOrigLayout(), sql, key);
}

DataPacket ReadNFRelacAF(db::Database& db, const PostingKey& key) {
    static const std::string sql = NFRelacAFSql();
    return Read(db, NFRelacAFLayout(), sql, key);
}

std::optional<std::string> ReadPostingSupplier(db::Database& db, const PostingKey& key) {
    const Packet p = db.Query("SELECT CDFORNECED FROM NOTAFISCAL WHERE CDFILIAL = :P_CDFILIAL"
                              " AND NRLANCTONF = :P_NRLANCTONF AND IDENTRSAIDOP = 'E'",
                              KeyParams(key));
    if (p.rows.empty()) return std::nullopt;
    const Variant& supplier = p.rows[0].values[0];
    return supplier.IsNull() ? std::string() : supplier.AsString();
}

DataPacket ReadOriginItems(db::Database& db, const std::vector<PostingKey>& origins) {
    static const std::string sql = OriginItemsSql();
    PacketEncoder all(ItemNFOrigemLayout());
    for (const PostingKey& key : origins)
        AppendRows(db, all, sql, KeyParams(key));
    return all.Finish();
}

} // namespace dfe::appserver
