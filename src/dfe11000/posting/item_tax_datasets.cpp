// The item-level datasets of a posting: items, item and document taxes (loaded and working), origin
// documents and the purchase-authorization relation.
#include "dfe11000/module/module_state.h"
#include "dfe11000/posting/field_table.h"
#include "dfe11000/posting/posting_data.h"

namespace dfe::dfe11000 {
namespace {

constexpr FieldRow kItemProduto[] = {
    Str("CDPRODUTO", 10),
    Str("NMPRODUTO", 50, "Nome"),
    Str("CDSITUTRIBPR", 3, "CST"),
    Str("SGUNIDADE", 10, "UN"),
    Num("QTITEMPROD", "Quantidade", "#####0.000"),
    Num("VRUNITITEM", "Vr. Unitário", "###0.000"),
    Num("VRTOTAITEM", "Valor Total", "###0.00"),
    Num("VRDESCITEM", "Desconto", "###0.00"),
    Num("VRDESPERITEM", "Desconto", "###0.00"),
    Str("IDAVISOSITEM", 5, "OK"),
    Str("CDFILIAL", 4),
    Str("CDPRODEMIS", 20),
    Str("IDCONFORITEM", 1),
    Str("NRLANCTONF", 10),
    Str("NRSEQITPROD", 4),
    Str("IDATUVRESTOQ", 1),
    Str("CDSUFXCFOPPR", 3),
    Num("VRCONTITEM"),
    Num("VRBRUTITEM"),
    Str("CDPRODANT", 20),
    Str("CDFILDEST", 4),
    Str("NRAUTOFORN", 10),
    Str("CDMARCA", 5),
    Date("DTPROGENTAF"),
    Calculated({"ProdOK", FieldType::Boolean, 0, "", "", false}),
    Str("DSPRODEMIS", 3000),
    Str("IDDELETE", 1),
    Str("CDALMOXARIFE", 6),
    Str("CDLOCALESTOQ", 6),
    Str("NRLOTEESTQ", 20),
    Str("NRSUBLOTE", 4),
    Str("CDFILIMOVI", 4),
    Str("CDPRODESTO", 10),
    Str("CDARVPROD", 20, "Código"),
    Str("CDFISOPEITEM", 4, "CFOP"),
    Calculated(Num("VRFATODEVO")),
    Num("QTITEMORIG", "", "#####0.000"),
    Num("VRCONTIORIG"),
    Num("VRDESCORIG"),
    Num("VRFATOCONV", "", "#,##0.000"),
    Num("VRBRUTIORIG"),
    Num("QTITRELACNFSUBS"),
    Str("IDITEMORIGEM", 1),
    Str("IDORIGEMPROD", 1),
    Num("VRENCARGOIMPXML"),
    Num("QTITPRODTRIBXML"),
    Num("VRFATCONTRIBXML"),
    Str("IDPRODBONIF", 1),
    Str("CDSIMPLESNACIONAL", 5),
    Num("QTITEMPRODXML"),
    Num("VRUNITITEMXML"),
    Num("VRTOTAITEMXML"),
    Str("NMPRODUTOXML", 120),
    Str("SGUNIDADEXML", 10),
    Str("NRSEQITSAID", 4),
    Str("CDPRODINTE", 60),
};

constexpr FieldRow kTrabItProImpos[] = {
    Str("CDFILIMPOIT", 4),
    Str("NRLANCIMPOIT", 10),
    Str("CDIMPOSTOIT", 2),
    Num("VRCONTIMPOIT"),
    Num("VRREDBCIMPOIT"),
    Num("VRBCALCIMPOIT"),
    Num("VRALIQIMPOIT", "Alíquota", "###0.00%"),
    Num("VRPDEDIMPOIT"),
    Num("VRIMPOSIT", "Valor", "###0.00"),
    Str("CDFISCIMPOIT", 1),
    Str("CDSTRIBIMPOIT", 3),
    Str("IDERRIMPOIT", 5),
    Str("IDAVISIMPOIT", 5),
    Str("SGIMPOSTO", 10, "Descrição"),
    Calculated(Str("IDIMAGEM", 20, "OK")),
    Str("IDTRATIMPO", 1),
    Str("NRSEQITPRO", 1),
    Str("NRSEQIMPOIT", 4),
    Str("IDVALORINFO", 1),
    Str("IDPREIMPENTR", 1),
    Str("CDFOPERIMPOIT", 11),
    Str("CDSCFOPIMPOIT", 3),
    Str("CDPRODUTO", 10),
    Num("VR1REDBCIMPOIT"),
    Str("IDTRIMPSTTI", 1),
    Str("CDSTRIBITNFE", 2),
    Str("IDMODBCITEMNFE", 1),
    Str("IDMODBCSTITENFE", 1),
    Str("CDTPCREDPICOITE", 3),
    Str("CDNATUBCALPCIT", 2),
    Num("VRIMPOSVISUIT", "Valor", "###0.00"),
    Num("VRADICALIQFECP", "Aliq. FECP", "###0.00%"),
    Num("VRADICFECP", "Valor FECP", "###0.00"),
};

constexpr FieldRow kItemProImpos[] = {
    Str("CDPRODUTO", 10),
    Str("SGIMPOSTO", 10, "Descrição"),
    Num("VRALIQITEM", "Valor", "###0.00"),
    Num("VRIMPOSTOIT", "Valor", "###0.00"),
    Str("CDFILIAL", 4),
    Str("NRLANCTONF", 10),
    Str("NRSEQITPROD", 4),
    Str("CDIMPOSTO", 2),
    Num("VRCONTITIMP"),
    Num("VRPERREDBCIT"),
    Num("VRBASECALCIT"),
    Num("VRPARDEDIT"),
    Str("CDFISCALIT", 1),
    Str("CDSITUTRIBIT", 3),
    Str("CDSUFXCFOPIT", 3),
    Str("IDERROSIMPIT", 5),
    Str("IDAVISIMPIT", 5),
    Str("IDCONSISTENT", 1),
    Str("IDTRATIMPO", 1),
    Str("NRITPROIMPOS", 1),
    Str("IDVALORINFIT", 1),
    Str("CDFISCOPERIT", 11),
    Num("VR1PERREDBCIT"),
    Str("IDTRIMPSTII", 1),
    Str("CDSITUTRIBITNFE", 2),
    Str("IDMODBCITNFE", 1),
    Str("IDMODBCSTITNFE", 1),
    Str("CDTPCREDPICOITE", 3),
    Str("CDNATUBCALPCIT", 2),
    Num("VRADICALIQFECP", "Aliq. FECP", "###0.00%"),
    Num("VRADICFECP", "Valor FECP", "###0.00"),
};

constexpr FieldRow kTrabImposNFTot[] = {
    Str("SGIMPOSTO", 10, "Descrição"),
    Num("VRIMPOSTOT", "Valor", "###0.00"),
    Calculated(Str("IDIMAGEM", 10, "OK")),
    Str("CDFILIMPTOT", 4),
    Str("NRLANCIMPTOT", 10),
    Str("CDIMPOSTOT", 2),
    Str("IDERROSTOT", 5),
    Str("IDAVISOSTOT", 5),
    Str("IDTRATIMPO", 1),
    Num("VRBCALIMPTOT"),
    Str("IDPRODNOTA", 1),
};

// The server's tax rows of an item (or of an authorization's items), by product and brand.
constexpr FieldRow kImpoItemAF[] = {
    Str("CDPRODUTO", 10),      Str("CDMARCA", 5),         Str("CDIMPOSTOIT", 2),  Str("SGIMPOSTO", 10),
    Str("IDTRATIMPO", 1),      Str("IDPREIMPENTR", 1),    Num("VRALIQIMPOIT"),    Num("VRIMPOSIT"),
    Num("VRCONTIMPOIT"),       Num("VRBCALCIMPOIT"),      Num("VRPDEDIMPOIT"),    Num("VRREDBCIMPOIT"),
    Str("CDFISCIMPOIT", 1),    Str("IDTRIMPSTII", 1),     Str("CDSITUTRIBIT", 3), Str("CDFISCOPERIT", 11),
    Str("CDSUFXCFOPIT", 3),    Str("CDSITUTRIBITNFE", 2), Str("IDMODBCITNFE", 1), Str("IDMODBCSTITNFE", 1),
    Str("CDTPCREDPICOITE", 3), Str("CDNATUBCALPCIT", 2),  Num("VRADICALIQFECP"),
};

constexpr FieldRow kContAF[] = {Str("CDFILDEST", 4), Str("CDFILLANC", 4), Str("NRAUTOFORN", 10)};

constexpr FieldRow kImposNFTot[] = {
    Str("CDFILIAL", 4),   Str("NRLANCTONF", 10),  Str("CDIMPOSTO", 2),   Num("VRTOTIMPONF"),
    Num("VRTOTBCALCNF"),  Str("IDERROSIMPTT", 5), Str("IDAVISIMPTT", 5), Str("SGIMPOSTO", 10),
    Str("IDPRODNOTA", 1), Str("IDCONSISTENT", 1), Str("IDTRATIMPO", 1),
};

constexpr FieldRow kItensNFOrig[] = {Str("CDFILIALIT", 4), Str("NRLANCTONFIT", 10)};

constexpr FieldRow kItemNFOrigem[] = {
    Str("NRSEQITPROD", 4),
    Str("CDPRODUTO", 10),
    Str("CDARVPROD", 20, "Código"),
    Str("NMPRODUTO", 50, "Nome"),
    Str("CDNVPRODUTO", 1),
    Str("SGUNIDADE", 10),
    Str("CDSITUTRIBPR", 3),
    Str("CDPRODESTO", 10),
    Num("VRDESCITEM"),
    Num("VRCONTITEM"),
    Num("VRBRUTITEM"),
    Num("QTITEMPROD"),
    Num("VRTOTAITEM"),
    Num("VRUNITITEM"),
    Str("NRLOTEESTQ", 20),
    Str("NRSUBLOTE", 4),
};

constexpr FieldRow kNFOrigem[] = {
    Str("CDSERIEENTR", 5, "Serie"),
    Str("NRNOTAFISC", 20, "Nº NF"),
    Str("CDFILIAL", 4),
    Str("NRLANCTONF", 10, "Lancamento"),
    Str("NRINSJURNF", 20, "Insc. Juridica"),
    Str("NMRAZSOCFORN", 40, "Razao Social"),
    Str("ENTRADA", 10, "Entrada"),
    Num("VRNOTAFISC"),
    Date("DTENTRSAID", "Entrada"),
    Str("CDFORNECED", 21),
    Str("IDTPIJURNF", 1),
};

constexpr FieldRow kNFOrigSaid[] = {
    Str("CDFILIAL", 4, "Filial Lanc."),
    Str("NRLANCTONF", 10, "Lançamento"),
    Str("IDTPIJURNF", 1),
    Str("NRINSJURNF", 20),
    Str("CDSERIE", 5, "Série"),
    Str("NRNOTAFISC", 20, "Nº NF"),
    Date("DTEMISSAO"),
    Num("VRNOTAFISC", "", "#,##0.00"),
    Date("DTENTRSAID"),
    Str("DATAEMISSAO", 8, "Data Emissão"),
    Str("VALORNF", 20, "Valor"),
    Num("QTDNFCE"),
};

constexpr FieldRow kNFOrigLista[] = {
    Str("IDMARCADO", 1),
    Str("CDFILIAL", 4),
    Str("NRLANCTONF", 10),
    Str("IDTPIJURNF", 1),
    Str("NRINSJURNF", 20),
    Str("CDSERIE", 5, "Série"),
    Str("NRNOTAFISC", 20, "Nº NF"),
    Date("DTEMISSAO", "Data Emissão"),
    Num("VRNOTAFISC", "Valor", "#,##0.00"),
    Date("DTENTRSAID"),
    Str("DSLANCAMENTO", 17, "Lançamento"),
    Num("QTDNFCE"),
};

constexpr FieldRow kDevolucao[] = {Str("CDFILIAL", 4), Str("NRLANCTONF", 10)};

constexpr FieldRow kItemNF[] = {
    Str("IDMARCADO", 1),
    Str("DSLANCAMENTO", 17, "Lançamento"),
    Str("CDFILIAL", 4),
    Str("NRLANCTONF", 10),
    Str("NRNOTAFISC", 20, "Nº da Nota"),
    Str("CDSERIEENTR", 5, "Série"),
    Str("NMRAZSOCFORN", 50),
    Str("VRNOTAFISC", 13, "Valor NF"),
    Num("VRNOTA"),
    Str("CDFILIRECE", 4, "Filial Recebimento"),
};

constexpr FieldRow kNFRelacAF[] = {
    Str("CDFILIAL", 4),    Str("CDFILLANC", 4),
    Str("NRLANCTONF", 10), Str("CDFILDEST", 4),
    Str("NRAUTOFORN", 10), Str("CDPRODUTO", 10),
    Str("CDMARCA", 5),     Date("DTPROGENTAF"),
    Num("QTNFRELACAF"),    Num("VRNFRELACAF", "", "###0.000"),
    Str("IDDELETE", 1),    Str("CDFORNECED", 21),
};

} // namespace

void PostingDataSets::DeclareItemTaxDataSets() {
    DeclareFields(cdsItemProduto, kItemProduto);
    // The local copy of the items has their layout.
    DeclareFields(cdsItemProdutoAux, kItemProduto);
    DeclareFields(cdsTrabItProImpos, kTrabItProImpos);
    DeclareFields(cdsItemProImpos, kItemProImpos);
    DeclareFields(cdsTrabImposNFTot, kTrabImposNFTot);
    DeclareFields(cdsImposNFTot, kImposNFTot);
    DeclareFields(cdsItensNFOrig, kItensNFOrig);
    DeclareFields(cdsItemNFOrigem, kItemNFOrigem);
    DeclareFields(cdsNFOrigem, kNFOrigem);
    DeclareFields(cdsNFOrigSaid, kNFOrigSaid);
    DeclareFields(cdsNFOrigLista, kNFOrigLista);
    DeclareFields(cdsDevolucao, kDevolucao);
    DeclareFields(cdsItemNF, kItemNF);
    DeclareFields(cdsNFRelacAF, kNFRelacAF);
    DeclareFields(cdsImpoItemAF, kImpoItemAF);
    DeclareFields(cdsImpoNFAF, kTrabImposNFTot);
    DeclareFields(cdsContAF, kContAF);
    cdsItemProduto.SetIndexFieldNames("NRSEQITPROD");
}

} // namespace dfe::dfe11000
