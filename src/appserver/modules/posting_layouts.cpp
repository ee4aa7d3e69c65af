#include "appserver/modules/posting_layouts.h"

namespace dfe::appserver {
namespace {

FieldDef S(const char* name, int width) {
    return FieldDef{name, FieldType::String, width, false};
}
FieldDef F(const char* name) {
    return FieldDef{name, FieldType::Float, 0, false};
}
FieldDef D(const char* name) {
    return FieldDef{name, FieldType::DateTime, 0, false};
}

} // namespace

const PacketLayout& RomaneioNFLayout() {
    static const PacketLayout layout = {
        S("NRNOTAFISC", 20),      S("NRINSJURNF", 20),   S("NMRAZSOCFORN", 40),    S("CDSERIEENTR", 5),
        D("DTEMISSAO"),           D("DTENTRSAID"),       F("VRNOTAFISC"),          S("CDFILIAL", 4),
        S("NRLANCTONF", 10),      S("CDEMPRESA", 2),     S("CDFILIRECE", 4),       S("IDTPIJURNF", 1),
        S("IDSTATUS", 1),         S("IDENTRSAIDOP", 1),  S("IDBLOQUEADO", 1),      S("CDTIPOOPER", 2),
        S("NMTIPOOPER", 30),      S("CDFILIEMIT", 4),    S("CDCLIENTE", 21),       S("IDORIGDESTNF", 1),
        S("NMRAZSOCCLIE", 50),    S("NMFILIAL", 30),     S("NRLANCESTQ", 10),      S("NMRAZSOCEMPR", 80),
        S("IDUTILVENC", 1),       S("IDNFDEVOOL", 1),    S("DSNOTAFISORIGOL", 30), S("IDDOCREPLIC", 14),
        S("IDNFGERADAVIAXML", 1), S("IDSTATUSMANIF", 1), S("IDDOCCREDST", 14),     S("CDFORNECED", 21),
    };
    return layout;
}

const PacketLayout& NotaFiscalLayout() {
    static const PacketLayout layout = {
        S("CDFILIAL", 4),
        D("DTENTRSAID"),
        S("CDSERIEENTR", 5),
        S("NRLANCTONF", 10),
        F("VRPRODUTOS"),
        S("IDTPIJURTRAN", 1),
        S("CDEMPRESA", 2),
        F("VRNOTAFISC"),
        S("NRINSJURTRAN", 20),
        S("CDINSCESTA", 16),
        S("NRPLACAVEIC", 7),
        S("DSMODDOCFISC", 40),
        S("CDINSCMUNI", 16),
        S("SGUFVEIC", 2),
        S("DSCDFISOPENF", 50),
        S("CDFILIRECE", 4),
        S("IDPGTOFRETE", 1),
        S("IDDOCCONTAB", 1),
        S("IDTPIJURNF", 1),
        S("DSQTDEVOLU", 6),
        S("IDSTATUS", 1),
        S("NRINSJURNF", 20),
        S("DSESPECVOLU", 10),
        F("VRPBRUTOVOLU"),
        S("DSMARCAVOLU", 60),
        F("VRPLIQUVOLU"),
        S("CDFORNECED", 21),
        S("DSNUMEVOLU", 15),
        S("IDENTRSAIDOP", 1),
        S("IDDOCFINANC", 1),
        S("IDBLOQUEADO", 1),
        S("NRNOTAFISC", 20),
        S("CDTIPOOPER", 2),
        S("IDDOCFISCAL", 1),
        D("DTEMISSAO"),
        S("IDERROS", 30),
        S("IDAVISOS", 30),
        S("CDMODDOCFISC", 2),
        S("IDSISTEMA", 3),
        S("CDFILIEMIT", 4),
        S("CDCLIENTE", 21),
        S("IDORIGDESTNF", 1),
        S("CDINTEGRACAO", 16),
        D("DTLANCAMENNF"),
        S("CDALMOXARIFE", 6),
        S("CDLOCALESTOQ", 6),
        S("IDGERAVENC", 1),
        S("IDUTILVENC", 1),
        S("CDFISOPENTF", 5),
        S("IDNOTAIMPAF", 1),
        D("DTCOMPFATUR"),
        S("NRCPFCNPJNF", 20),
        S("NRACESSONFE", 50),
        S("IDSTATUSNFE", 1),
        S("NRNOTAFISCALELE", 9),
        S("DSOBSSTATUSNFE", 1000),
        S("NRPROTOCOLONFE", 15),
        S("IDTIPOEMISNFE", 1),
        S("IDTPAMBNFE", 1),
        D("DTHRPROTOCOLNFE"),
        S("IDNFGERADAVIAXML", 1),
        S("CDCHAVEACESNFPS", 50),
        S("HORA", 5),
        S("DSCFOPINFUSU", 50),
        S("CDCFOPINFUSU", 11),
        S("IDSTATUSMANIF", 1),
        S("CDFORNECEDREME", 21),
        S("IDTPIJURFORREME", 1),
        S("NRINSJURFORREME", 20),
        S("NRNFREMESSA", 20),
        S("SGESTADO", 2),
        S("CDMUNICIPIO", 5),
        S("CDIBGEORIG", 10),
        S("CDIBGEDEST", 10),
        S("CDTIPOCTE", 1),
        S("NRACESSONFEREF", 44),
        S("CDFINEMIDOCNF", 40),
        S("CDMODDOCARREC", 40),
        S("NRDOCARRECAD", 40),
        S("NRSEQCAPADOC", 10),
        S("NMESTADO", 40),
        S("NMMUNICIPIO", 60),
        S("IDNATFRETECTE", 1),
        S("CDSERVICOPROD", 30),
    };
    return layout;
}

const PacketLayout& ItemNotaFiscLayout() {
    static const PacketLayout layout = {
        S("LANCAMENTO", 17),   S("NRLANCTONF", 10),  S("CDSERIEENTR", 5), S("NRNOTAFISC", 20),
        S("NMRAZSOCFORN", 40), S("CDFILIAL", 4),     F("VRNOTAFISC"),     S("CDFILIALIT", 4),
        S("NRLANCTONFIT", 10), S("NRSEQUITNOTA", 3), S("CDSERIE", 5),     S("NRINSJURNF", 20),
    };
    return layout;
}

const PacketLayout& ItemProdutoLayout() {
    static const PacketLayout layout = {
        S("CDPRODUTO", 10),    S("NMPRODUTO", 50),   S("CDSITUTRIBPR", 3),      S("SGUNIDADE", 10),
        F("QTITEMPROD"),       F("VRUNITITEM"),      F("VRTOTAITEM"),           F("VRDESCITEM"),
        F("VRDESPERITEM"),     S("IDAVISOSITEM", 5), S("CDFILIAL", 4),          S("CDPRODEMIS", 20),
        S("IDCONFORITEM", 1),  S("NRLANCTONF", 10),  S("NRSEQITPROD", 4),       S("IDATUVRESTOQ", 1),
        S("CDSUFXCFOPPR", 3),  F("VRCONTITEM"),      F("VRBRUTITEM"),           S("CDPRODANT", 20),
        S("CDFILDEST", 4),     S("NRAUTOFORN", 10),  S("CDMARCA", 5),           D("DTPROGENTAF"),
        S("DSPRODEMIS", 3000), S("IDDELETE", 1),     S("CDALMOXARIFE", 6),      S("CDLOCALESTOQ", 6),
        S("NRLOTEESTQ", 20),   S("NRSUBLOTE", 4),    S("CDFILIMOVI", 4),        S("CDPRODESTO", 10),
        S("CDARVPROD", 20),    S("CDFISOPEITEM", 4), F("QTITEMORIG"),           F("VRCONTIORIG"),
        F("VRDESCORIG"),       F("VRFATOCONV"),      F("VRBRUTIORIG"),          F("QTITRELACNFSUBS"),
        S("IDITEMORIGEM", 1),  S("IDORIGEMPROD", 1), F("VRENCARGOIMPXML"),      F("QTITPRODTRIBXML"),
        F("VRFATCONTRIBXML"),  S("IDPRODBONIF", 1),  S("CDSIMPLESNACIONAL", 5), F("QTITEMPRODXML"),
        F("VRUNITITEMXML"),    F("VRTOTAITEMXML"),   S("NMPRODUTOXML", 120),    S("SGUNIDADEXML", 10),
        S("NRSEQITSAID", 4),   S("CDPRODINTE", 60),
    };
    return layout;
}

const PacketLayout& ItemEncargoLayout() {
    static const PacketLayout layout = {
        S("NMENCARGO", 20),  F("VRITEMENCA"),   S("CDFILIAL", 4),
        S("NRLANCTONF", 10), S("CDENCARGO", 2), S("IDENCARGO", 1),
    };
    return layout;
}

const PacketLayout& ContaPagarLayout() {
    static const PacketLayout layout = {
        F("QTDIASVENPAG"),    D("DTORIGVENPAG"),   F("VRORIGPAG"),      S("IDSTATPAG", 1),
        S("CDFILIAL", 4),     S("NRLANCTONF", 10), S("NRSEQVENPAG", 2), S("NRPARCELAPAG", 2),
        D("DTATUAVENPAG"),    F("VRATUAPAG"),      S("CDFILIBPAG", 4),  S("NRLANBOLPAG", 10),
        S("DSCONTAPAG", 100), S("CDTPCTPAGAR", 6), S("CDCLASSFINA", 6), S("DSLINHBARPAG", 55),
        S("CDBARRAPAG", 44),  S("CDEMPRESA", 2),
    };
    return layout;
}

const PacketLayout& DadosAdicLayout() {
    static const PacketLayout layout = {
        S("CDFILIAL", 4),   S("NRLANCTONF", 10),   S("NRDADOADIC", 3),
        S("CDMENSAGEM", 3), S("DSDADOADIC", 3000), S("IDLOCALEMIS", 1),
    };
    return layout;
}

const PacketLayout& ImposNFTotLayout() {
    static const PacketLayout layout = {
        S("CDFILIAL", 4),   S("NRLANCTONF", 10),  S("CDIMPOSTO", 2),   F("VRTOTIMPONF"),
        F("VRTOTBCALCNF"),  S("IDERROSIMPTT", 5), S("IDAVISIMPTT", 5), S("SGIMPOSTO", 10),
        S("IDPRODNOTA", 1), S("IDCONSISTENT", 1), S("IDTRATIMPO", 1),
    };
    return layout;
}

const PacketLayout& ItemProImposLayout() {
    static const PacketLayout layout = {
        S("CDPRODUTO", 10),      S("SGIMPOSTO", 10),    F("VRALIQITEM"),        F("VRIMPOSTOIT"),
        S("CDFILIAL", 4),        S("NRLANCTONF", 10),   S("NRSEQITPROD", 4),    S("CDIMPOSTO", 2),
        F("VRCONTITIMP"),        F("VRPERREDBCIT"),     F("VRBASECALCIT"),      F("VRPARDEDIT"),
        S("CDFISCALIT", 1),      S("CDSITUTRIBIT", 3),  S("CDSUFXCFOPIT", 3),   S("IDERROSIMPIT", 5),
        S("IDAVISIMPIT", 5),     S("IDCONSISTENT", 1),  S("IDTRATIMPO", 1),     S("NRITPROIMPOS", 1),
        S("IDVALORINFIT", 1),    S("CDFISCOPERIT", 11), F("VR1PERREDBCIT"),     S("IDTRIMPSTII", 1),
        S("CDSITUTRIBITNFE", 2), S("IDMODBCITNFE", 1),  S("IDMODBCSTITNFE", 1), S("CDTPCREDPICOITE", 3),
        S("CDNATUBCALPCIT", 2),  F("VRADICALIQFECP"),   F("VRADICFECP"),
    };
    return layout;
}

const PacketLayout& ItensNFOrigLayout() {
    static const PacketLayout layout = {
        S("CDFILIALIT", 4),
        S("NRLANCTONFIT", 10),
    };
    return layout;
}

const PacketLayout& ItemNFOrigemLayout() {
    static const PacketLayout layout = {
        S("NRSEQITPROD", 4), S("CDPRODUTO", 10), S("CDARVPROD", 20),   S("NMPRODUTO", 50),
        S("CDNVPRODUTO", 1), S("SGUNIDADE", 10), S("CDSITUTRIBPR", 3), S("CDPRODESTO", 10),
        F("VRDESCITEM"),     F("VRCONTITEM"),    F("VRBRUTITEM"),      F("QTITEMPROD"),
        F("VRTOTAITEM"),     F("VRUNITITEM"),    S("NRLOTEESTQ", 20),  S("NRSUBLOTE", 4),
    };
    return layout;
}

const PacketLayout& NFRelacAFLayout() {
    static const PacketLayout layout = {
        S("CDFILIAL", 4),    S("CDFILLANC", 4),  S("NRLANCTONF", 10), S("CDFILDEST", 4),
        S("NRAUTOFORN", 10), S("CDPRODUTO", 10), S("CDMARCA", 5),     D("DTPROGENTAF"),
        F("QTNFRELACAF"),    F("VRNFRELACAF"),   S("IDDELETE", 1),    S("CDFORNECED", 21),
    };
    return layout;
}
const PacketLayout& ListServProdLayout() {
    static const PacketLayout layout = {S("CDSERVICOPROD", 30), S("DSSERVICOPROD", 4000)};
    return layout;
}

const PacketLayout& NFOrigemLayout() {
    static const PacketLayout layout = {
        S("CDSERIEENTR", 5), S("NRNOTAFISC", 20),   S("CDFILIAL", 4),   S("NRLANCTONF", 10),
        S("NRINSJURNF", 20), S("NMRAZSOCFORN", 40), S("ENTRADA", 10),   F("VRNOTAFISC"),
        D("DTENTRSAID"),     S("CDFORNECED", 21),   S("IDTPIJURNF", 1),
    };
    return layout;
}

const PacketLayout& NFOrigSaidLayout() {
    static const PacketLayout layout = {
        S("CDFILIAL", 4), S("NRLANCTONF", 10), S("IDTPIJURNF", 1), S("NRINSJURNF", 20),
        S("CDSERIE", 5),  S("NRNOTAFISC", 20), D("DTEMISSAO"),     F("VRNOTAFISC"),
        D("DTENTRSAID"),  S("DATAEMISSAO", 8), S("VALORNF", 20),   F("QTDNFCE"),
    };
    return layout;
}

const PacketLayout& NFOrigListaLayout() {
    static const PacketLayout layout = {
        S("IDMARCADO", 1),   S("CDFILIAL", 4), S("NRLANCTONF", 10),   S("IDTPIJURNF", 1),
        S("NRINSJURNF", 20), S("CDSERIE", 5),  S("NRNOTAFISC", 20),   D("DTEMISSAO"),
        F("VRNOTAFISC"),     D("DTENTRSAID"),  S("DSLANCAMENTO", 17), F("QTDNFCE"),
    };
    return layout;
}

const PacketLayout& DevolucaoLayout() {
    static const PacketLayout layout = {S("CDFILIAL", 4), S("NRLANCTONF", 10)};
    return layout;
}

const PacketLayout& IbgeLayout() {
    static const PacketLayout layout = {S("CDIBGE", 10), S("NMMUNICIPIO", 50)};
    return layout;
}

const PacketLayout& ProdAlmoLocaLayout() {
    static const PacketLayout layout = {S("CDARVPROD", 20),   S("CDPRODUTO", 10),   S("NMPRODUTO", 50),
                                        S("CDALMOXARIFE", 6), S("CDLOCALESTOQ", 6), S("NRLOTEESTQ", 20),
                                        S("NRSUBLOTE", 4)};
    return layout;
}

const PacketLayout& CountNFOrigLayout() {
    static const PacketLayout layout = {FieldDef{"NRREGISTROS", FieldType::Integer, 0, false}};
    return layout;
}

const PacketLayout& ModDocLayout() {
    static const PacketLayout layout = {S("CDMODDOCFISC", 2), S("DSMODDOCFISC", 40)};
    return layout;
}

const PacketLayout& QualifFornLayout() {
    static const PacketLayout layout = {S("CDFORNECED", 21), S("CDQUALIF", 6), D("DTINIVALI"),
                                        D("DTFIMVALI")};
    return layout;
}

const PacketLayout& ModDocFiscLayout() {
    static const PacketLayout layout = {S("CDMODDOCFISC", 2), S("DSMODDOCFISC", 40), S("IDMODDOCNFE", 1)};
    return layout;
}

const PacketLayout& DuplicateNumberLayout() {
    static const PacketLayout layout = {S("CDFILIRECE", 4), D("DTENTRSAID")};
    return layout;
}

const PacketLayout& VdCAcessoLayout() {
    static const PacketLayout layout = {S("NRACESSONFE", 50), S("CDFILIRECE", 30), S("IDSTATUS", 1)};
    return layout;
}

const PacketLayout& VdEmissaoXMLLayout() {
    static const PacketLayout layout = {S("NRACESSONFE", 50), D("DTEMISSAO")};
    return layout;
}

const PacketLayout& CFOPXMLLayout() {
    static const PacketLayout layout = {S("CDPRODUTO", 40)};
    return layout;
}

const PacketLayout& ReleaseCheckLayout() {
    static const PacketLayout layout = {S("CDERRO", 20)};
    return layout;
}

const PacketLayout& ProdFiliLayout() {
    static const PacketLayout layout = {S("CDALMOXARIFE", 6), S("CDLOCALESTOQ", 6)};
    return layout;
}

const PacketLayout& VerifLoteLayout() {
    static const PacketLayout layout = {S("IDUTCTRLLOTE", 1)};
    return layout;
}

const PacketLayout& DadosLoteXMLLayout() {
    static const PacketLayout layout = {S("NRLOTEPRODXML", 20), D("DTFABPRODXML"), D("DTVALPRODXML")};
    return layout;
}

const PacketLayout& ProdRelacServLayout() {
    static const PacketLayout layout = {S("CDPRODUTO", 10), S("CDARVPROD", 20), S("NMPRODUTO", 50),
                                        S("SGUNIDADE", 10), S("CDPRODESTO", 10)};
    return layout;
}

const PacketLayout& QuantDevLayout() {
    static const PacketLayout layout = {F("QTITEMDEVO")};
    return layout;
}

const PacketLayout& CustoCmpProdLayout() {
    static const PacketLayout layout = {F("VRLIQCMPPROD")};
    return layout;
}

const PacketLayout& VerifNFImpAFLayout() {
    static const PacketLayout layout = {S("CDFILIAL", 4),   S("NRLANCTONF", 10), S("NRSEQITPROD", 4),
                                        S("CDPRODUTO", 10), S("CDFILDEST", 4),   S("NRAUTOFORN", 10)};
    return layout;
}

const PacketLayout& EtiqRegeraLayout() {
    static const PacketLayout layout = {S("NRSEQITPROD", 4), S("IDSTATUSETIQ", 1)};
    return layout;
}

const PacketLayout& ProdAuditLayout() {
    static const PacketLayout layout = {S("CDFILIAL", 4), S("NRLANCTONF", 10), S("NRSEQITPROD", 4),
                                        D("DTAUDITORIA"), S("CDOPERADOR", 12), S("DSAUDITORIA", 255)};
    return layout;
}

} // namespace dfe::appserver
