// The operation type: its attribute array (TipoOper) and the lookup of the types the branch may use.
#include "dfe11000/header/header_fields.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "support/consiste.h"

#include <array>

namespace dfe::dfe11000 {
namespace {

// The columns behind each element of the array, in element order; 11 and 12 read the same column.
constexpr std::array<const char*, 26> kTipoOperColumns = {
    "IDOPERDEVONF",     "IDUTLLISTORI",     "IDNFORIGOBRI",     "DSOPERNFORIG",      "IDDCORIGRELAC",
    "IDATUESTTPOP",     "IDINFCPFCNPJNF",   "IDNFPRESTSERV",    "IDNFESTCANC",       "IDNFAJUSTE",
    "IDOBINFCSTICMENT", "IDOBINFCSTCFOPEN", "IDOBINFCSTCFOPEN", "IDTIPOOPERELE",     "IDNFRETIND",
    "IDOPTRIANGULAR",   "IDORIGDESTOP",     "IDENTRTERCEIRO",   "IDUTLOCPRESTSERV",  "IDCMPVNDBONI",
    "CDTIPOOPERBONIF",  "IDBLOQPRESTTPOP",  "IDNFIMPORTACAO",   "IDNFIMPORTACAOIND", "IDSUGQTDTOTDEV",
    "IDNOTADEVO"};

// What an empty column stands for.
const char* DefaultOf(size_t element) {
    if (element == 16) return "F";
    if (element >= 20 && element <= 23) return "N";
    return "";
}

constexpr const char* kTipoOperacColumns =
    "T.CDTIPOOPER, T.NMTIPOOPER, T.IDENTRSAIDOP, T.IDUTILOPER, T.IDORIGDESTOP, T.IDGERAVENC, T.IDUTILVENC,"
    " T.IDUTILEMISNF, T.IDATUESTTPOP, T.IDOPERDEVONF, T.DSOPERNFORIG, ";
constexpr const char* kTipoOperacTail =
    ", T.IDINFCPFCNPJNF, T.CDFORNECEDPADR, T.DSOPERNFAVISTA, T.IDREARATMANNF FROM TIPOOPERAC T";
constexpr const char* kInUseEntry = " WHERE T.IDENTRSAIDOP = 'E' AND COALESCE(T.IDUTILOPER, 'S') <> 'N'"
                                    " AND (T.CDTIPOOPER = :P_CDTIPOOPER OR :P_CDTIPOOPER IS NULL)";

std::string TipoOperacSQL() {
    const std::string head = std::string("SELECT ") + kTipoOperacColumns;
    // Without the AF block: every entry type in use. With it: the types the branch does not list, and the
    // listed ones released for it, which carry the list's AF requirement.
    return head + "'N' AS IDEXIGEAF" + kTipoOperacTail + kInUseEntry + " AND :P_IDUTBLOQOPAF <> 'S'" +
           " UNION ALL " + head + "'N' AS IDEXIGEAF" + kTipoOperacTail + kInUseEntry +
           " AND :P_IDUTBLOQOPAF = 'S' AND NOT EXISTS (SELECT 1 FROM PARAMBLOQNFAFIL B"
           " WHERE B.CDFILIAL = :P_CDFILIAL AND B.CDTIPOOPER = T.CDTIPOOPER AND B.IDENTRSAIDOP = 'E')" +
           " UNION ALL " + head + "B.IDEXIGEAF" + kTipoOperacTail +
           " JOIN PARAMBLOQNFAFIL B ON B.CDTIPOOPER = T.CDTIPOOPER AND B.IDENTRSAIDOP = 'E'" + kInUseEntry +
           " AND :P_IDUTBLOQOPAF = 'S' AND B.CDFILIAL = :P_CDFILIAL AND B.IDLIBERATPOPFIL = 'S'" +
           " ORDER BY 1";
}

std::string TpOperSQL() {
    std::string sql = "SELECT ";
    for (size_t i = 0; i < kTipoOperColumns.size(); ++i) {
        if (i == 12) continue;
        if (i > 0) sql += ", ";
        sql += kTipoOperColumns[i];
    }
    return sql + " FROM TIPOOPERAC WHERE (IDENTRSAIDOP = 'E') AND (CDTIPOOPER = :P_CDTIPOOPER)";
}

} // namespace

void TfrmLancNFEntrada::DeclareHeaderLookups() {
    qryTpOper.SetSQL(TpOperSQL());
    qryTipoOperac.SetSQL(TipoOperacSQL());
    qryTipoOperac.BeforeOpen = [this](DataSet&) { qryTipoOperacBeforeOpen(); };
    // The company lookup of the list row and of the company rules.
    qryEmpresa.SetSQL("SELECT E.CDEMPRESA, E.NMRAZSOCEMPR, 'N' AS IDEMPRRELAC FROM EMPRESA E"
                      " WHERE (E.CDEMPRESA = :P_EMPRESA OR :P_TODOS = 'T') ORDER BY 1");
    qryValidEmpr.SetSQL(
        "SELECT F.CDEMPRESA, 'N' AS IDEMPRRELAC, F.CDINSCESTA, F.CDINSCMUNI FROM FILIAL F"
        " WHERE F.CDEMPRESA = :P_CDEMPRESA AND F.CDFILIAL = :P_CDFILIAL"
        " AND (F.CDINSCESTA = :P_CDINSCESTA OR 'T' = :P_TCDINSCESTA)"
        " UNION ALL SELECT C.CDEMPRESA, 'S' AS IDEMPRRELAC, C.CDINSCESTA, C.CDINSCMUNI FROM EMPRCNTRFIL C"
        " WHERE C.CDEMPRESA = :P_CDEMPRESA AND C.CDFILIAL = :P_CDFILIAL"
        " AND (C.CDINSCESTA = :P_CDINSCESTA OR 'T' = :P_TCDINSCESTA) ORDER BY 2, 3");
    qryEmprRelacFili.SetSQL(
        "SELECT C.CDEMPRESA, C.CDINSCESTA FROM EMPRCNTRFIL C JOIN FILIAL F ON F.CDFILIAL = C.CDFILIAL"
        " WHERE C.CDEMPRESA = :P_CDEMPRESA AND C.CDFILIAL = :P_CDFILIAL"
        " AND C.CDINSCESTA <> COALESCE(F.CDINSCESTA, '')"
        " UNION SELECT F.CDEMPRESA, F.CDINSCESTA FROM FILIAL F"
        " WHERE F.CDEMPRESA = :P_CDEMPRESA AND F.CDFILIAL = :P_CDFILIAL ORDER BY 2");
    qryParamCMPProd1.SetSQL("SELECT P.IDBLOQNFSAF FROM PARAMCMPPROD P WHERE (P.CDFILIAL = :P_CDFILIAL) AND"
                            " (P.IDBLOQNFSAF = 'N')");
    qryFornePadr.SetSQL("SELECT F.IDTPIJURFORN, F.NRINSJURFORN, F.NMRAZSOCFORN FROM FORNECEDOR F"
                        " WHERE F.CDFORNECED = :P_CDFORNECED");
}

Variant TfrmLancNFEntrada::TipoOper() {
    // The typed code is padded as every other rule pads it, so "1" reads type "01".
    std::string code = dbeCdTipoOper->Text();
    if (support::EmptyString(code)) code = stTipoOperAtual;
    qryTpOper.Close();
    qryTpOper.ParamByName("P_CDTIPOOPER") = Variant(support::Ajusta(code, 2));
    qryTpOper.Open();
    std::vector<Variant> items;
    for (size_t i = 0; i < kTipoOperColumns.size(); ++i) {
        std::string value = FieldText(qryTpOper, kTipoOperColumns[i]);
        if (value.empty()) value = DefaultOf(i);
        astTipoOper[i] = value;
        items.emplace_back(value);
    }
    return Variant(VariantArray(std::move(items)));
}

void TfrmLancNFEntrada::qryTipoOperacBeforeOpen() {
    std::string code = dbeCdTipoOper->Text();
    if (support::EmptyString(code)) code = stTipoOperAtual;
    qryTipoOperac.ParamByName("P_CDTIPOOPER") =
        Cli_dfe11000().stTodos == "N" ? Variant(support::Ajusta(code, 2)) : Variant::Null();
    qryTipoOperac.ParamByName("P_CDFILIAL") = Variant(medCdFilial->Text());
    const std::string block = FieldText(cdsParamDFE, "IDUTBLOQOPAF");
    qryTipoOperac.ParamByName("P_IDUTBLOQOPAF") = Variant(block.empty() ? std::string("N") : block);
}

void TfrmLancNFEntrada::ReopenTipoOperac() {
    qryTipoOperac.Close();
    qryTipoOperac.Open();
    if (Cli_dfe11000().stTodos == "N") stIdUtilEmisNF = FieldText(qryTipoOperac, "IDUTILEMISNF");
}

} // namespace dfe::dfe11000
