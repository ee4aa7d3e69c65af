#include "appserver/modules/posting_readers.h"

#include "appserver/modules/layout_query.h"

namespace dfe::appserver {
namespace {

db::SqlParams KeyParams(const PostingKey& key) {
    return {{"P_CDFILIAL", key.branch}, {"P_NRLANCTONF", key.number}};
}

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
    return "SELECT " +
           SelectList(ItemNotaFiscLayout(), "I",
                      {{"LANCAMENTO", "CASE WHEN I.NRLANCTONFIT IS NULL THEN NULL"
                                      " ELSE I.CDFILIALIT || ' - ' || I.NRLANCTONFIT END"},
                       {"NMRAZSOCFORN", "CASE R.IDORIGDESTNF WHEN 'C' THEN RC.NMRAZSOCCLIE"
                                        " WHEN 'L' THEN RL.NMFILIAL ELSE RF.NMRAZSOCFORN END"},
                       {"VRNOTAFISC", "R.VRNOTAFISC"},
                       {"NRINSJURNF", "R.NRINSJURNF"}}) +
           " FROM ITEMNOTAFISC I"
           " LEFT JOIN NOTAFISCAL R ON R.CDFILIAL = I.CDFILIALIT AND R.NRLANCTONF = I.NRLANCTONFIT"
           " LEFT JOIN FORNECEDOR RF ON RF.CDFORNECED = R.CDFORNECED"
           " LEFT JOIN CLIENTE RC ON RC.CDCLIENTE = R.CDCLIENTE"
           " LEFT JOIN FILIAL RL ON RL.CDFILIAL = R.CDFILIEMIT"
           " WHERE I.CDFILIAL = :P_CDFILIAL AND I.NRLANCTONF = :P_NRLANCTONF"
           " ORDER BY I.NRSEQUITNOTA";
}

std::string ItemProdutoSql() {
    return "SELECT " +
           SelectList(ItemProdutoLayout(), "I",
                      {{"NMPRODUTO", "P.NMPRODUTO"}, {"CDARVPROD", "P.CDARVPROD"}}) +
           " FROM ITEMPRODUTO I LEFT JOIN PRODUTO P ON P.CDPRODUTO = I.CDPRODUTO"
           " WHERE I.CDFILIAL = :P_CDFILIAL AND I.NRLANCTONF = :P_NRLANCTONF ORDER BY I.NRSEQITPROD";
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

DataPacket ReadNotaFiscal(db::Database& db, const PostingKey& key) {
    static const std::string sql = NotaFiscalSql();
    return Read(db, NotaFiscalLayout(), sql, key);
}

DataPacket ReadItemNotaFisc(db::Database& db, const PostingKey& key) {
    static const std::string sql = ItemNotaFiscSql();
    return Read(db, ItemNotaFiscLayout(), sql, key);
}

DataPacket ReadItemProduto(db::Database& db, const PostingKey& key) {
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
