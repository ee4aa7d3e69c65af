// The posting's header-level datasets: the list row, the header, related documents, charges, installments,
// additional data and the local error list.
#include "dfe11000/module/module_state.h"
#include "dfe11000/posting/field_table.h"
#include "dfe11000/posting/posting_data.h"
#include "platform/ui/data_source_component.h"
#include "platform/ui/date_edit.h"
#include "support/consiste.h"
#include "support/db_picture.h"

namespace dfe::dfe11000 {
namespace {

constexpr FieldRow kRomaneioNF[] = {
    Str("NRNOTAFISC", 20, "Nº da NF"),
    Str("NRINSJURNF", 20, "Inscrição"),
    Str("NMRAZSOCFORN", 40, "Razão Social"),
    Str("CDSERIEENTR", 5, "Série"),
    Date("DTEMISSAO", "Data Emissão"),
    Date("DTENTRSAID", "Data Entrada"),
    Num("VRNOTAFISC", "Valor NF", "#,##0.00"),
    Str("CDFILIAL", 4),
    Str("NRLANCTONF", 10),
    Str("CDEMPRESA", 2),
    Str("CDFILIRECE", 4),
    Str("IDTPIJURNF", 1),
    Str("IDSTATUS", 1),
    Str("IDENTRSAIDOP", 1),
    Str("IDBLOQUEADO", 1),
    Str("CDTIPOOPER", 2),
    Str("NMTIPOOPER", 30),
    Str("CDFILIEMIT", 4),
    Str("CDCLIENTE", 21),
    Str("IDORIGDESTNF", 1),
    Str("NMRAZSOCCLIE", 50),
    Str("NMFILIAL", 30),
    Str("NRLANCESTQ", 10),
    Str("NMRAZSOCEMPR", 80),
    Str("IDUTILVENC", 1),
    Str("IDNFDEVOOL", 1),
    Str("DSNOTAFISORIGOL", 30),
    Str("IDDOCREPLIC", 14),
    Str("IDNFGERADAVIAXML", 1),
    Str("IDSTATUSMANIF", 1),
    Str("IDDOCCREDST", 14),
    Str("CDFORNECED", 21),
};

constexpr FieldRow kNotaFiscal[] = {
    Str("CDFILIAL", 4),
    Date("DTENTRSAID"),
    Str("CDSERIEENTR", 5, "Série"),
    Str("NRLANCTONF", 10, "Nº Lançamento"),
    Num("VRPRODUTOS", "", "###0.00"),
    Str("IDTPIJURTRAN", 1),
    Str("CDEMPRESA", 2),
    Num("VRNOTAFISC", "Valor NF", "###0.00"),
    Str("NRINSJURTRAN", 20),
    Str("CDINSCESTA", 16),
    Str("NRPLACAVEIC", 7),
    Str("DSMODDOCFISC", 40),
    Str("CDINSCMUNI", 16),
    Str("SGUFVEIC", 2),
    Str("DSCDFISOPENF", 50),
    Str("CDFILIRECE", 4),
    Str("IDPGTOFRETE", 1),
    Str("IDDOCCONTAB", 1),
    Str("IDTPIJURNF", 1),
    Str("DSQTDEVOLU", 6),
    Str("IDSTATUS", 1),
    Str("NRINSJURNF", 20, "Inscrição"),
    Str("DSESPECVOLU", 10),
    Num("VRPBRUTOVOLU"),
    Str("DSMARCAVOLU", 60),
    Num("VRPLIQUVOLU"),
    Str("CDFORNECED", 21),
    Str("DSNUMEVOLU", 15),
    Str("IDENTRSAIDOP", 1),
    Str("IDDOCFINANC", 1),
    Str("IDBLOQUEADO", 1),
    Str("NRNOTAFISC", 20, "Nº da NF"),
    Str("CDTIPOOPER", 2),
    Str("IDDOCFISCAL", 1),
    Date("DTEMISSAO", "Data Emissão"),
    Str("IDERROS", 30),
    Str("IDAVISOS", 30),
    Str("CDMODDOCFISC", 2),
    Str("IDSISTEMA", 3),
    Str("CDFILIEMIT", 4),
    Str("CDCLIENTE", 21),
    Str("IDORIGDESTNF", 1),
    Str("CDINTEGRACAO", 16),
    Date("DTLANCAMENNF"),
    Str("CDALMOXARIFE", 6, "Almoxirifado"),
    Str("CDLOCALESTOQ", 6, "Localização"),
    Str("IDGERAVENC", 1),
    Str("IDUTILVENC", 1),
    Str("CDFISOPENTF", 5),
    Str("IDNOTAIMPAF", 1),
    Date("DTCOMPFATUR"),
    Str("NRCPFCNPJNF", 20),
    Str("NRACESSONFE", 50),
    Str("IDSTATUSNFE", 1),
    Str("NRNOTAFISCALELE", 9),
    Str("DSOBSSTATUSNFE", 1000),
    Str("NRPROTOCOLONFE", 15),
    Str("IDTIPOEMISNFE", 1),
    Str("IDTPAMBNFE", 1),
    Date("DTHRPROTOCOLNFE"),
    Str("IDNFGERADAVIAXML", 1),
    Str("CDCHAVEACESNFPS", 50),
    Str("HORA", 5),
    Str("DSCFOPINFUSU", 50),
    Str("CDCFOPINFUSU", 11),
    Str("IDSTATUSMANIF", 1),
    Str("CDFORNECEDREME", 21),
    Str("IDTPIJURFORREME", 1),
    Str("NRINSJURFORREME", 20),
    Str("NRNFREMESSA", 20),
    Str("SGESTADO", 2),
    // As wide as the registers' codes and names: a picked municipality is never refused for its width.
    Str("CDMUNICIPIO", 5),
    Str("CDIBGEORIG", 10),
    Str("CDIBGEDEST", 10),
    Str("CDTIPOCTE", 1),
    Str("NRACESSONFEREF", 44),
    Str("CDFINEMIDOCNF", 40),
    Str("CDMODDOCARREC", 40),
    Str("NRDOCARRECAD", 40),
    Str("NRSEQCAPADOC", 10),
    Str("NMESTADO", 40),
    Str("NMMUNICIPIO", 60),
    Str("IDNATFRETECTE", 1),
    Str("CDSERVICOPROD", 30),
};

constexpr FieldRow kItemNotaFisc[] = {
    Str("LANCAMENTO", 17, "Lançamento"),
    Str("NRLANCTONF", 10),
    Str("CDSERIEENTR", 5, "Série"),
    Str("NRNOTAFISC", 20, "Nº da NF"),
    Str("NMRAZSOCFORN", 40, "Fornecedor"),
    Str("CDFILIAL", 4),
    Num("VRNOTAFISC", "Valor", "#,##0.00"),
    Str("CDFILIALIT", 4, "Filial"),
    Str("NRLANCTONFIT", 10, "Lançamento"),
    Str("NRSEQUITNOTA", 3),
    Str("CDSERIE", 5),
    Str("NRINSJURNF", 20),
};

constexpr FieldRow kItemEncargo[] = {
    Str("NMENCARGO", 20, "Encargo"),
    Num("VRITEMENCA", "Valor", "###0.00"),
    Str("CDFILIAL", 4),
    Str("NRLANCTONF", 10),
    Str("CDENCARGO", 2),
    Str("IDENCARGO", 1),
};

constexpr FieldRow kContaPagar[] = {
    Num("QTDIASVENPAG", "Nº de Dias"),
    Date("DTORIGVENPAG", "Vencimento"),
    Num("VRORIGPAG", "Valor", "###0.00"),
    Str("IDSTATPAG", 1, "Status"),
    Str("CDFILIAL", 4),
    Str("NRLANCTONF", 10),
    Str("NRSEQVENPAG", 2),
    Str("NRPARCELAPAG", 2),
    Date("DTATUAVENPAG"),
    Num("VRATUAPAG"),
    Str("CDFILIBPAG", 4),
    Str("NRLANBOLPAG", 10),
    Str("DSCONTAPAG", 100, "Descrição"),
    Str("CDTPCTPAGAR", 6),
    Str("CDCLASSFINA", 6),
    Str("DSLINHBARPAG", 55),
    Str("CDBARRAPAG", 44, "Código de Barrras (Boleto)"),
    Str("CDEMPRESA", 2),
};

constexpr FieldRow kDadosAdic[] = {
    Str("CDFILIAL", 4),
    Str("NRLANCTONF", 10),
    Str("NRDADOADIC", 3),
    Str("CDMENSAGEM", 3),
    Str("DSDADOADIC", 3000, "Mensagem"),
    Str("IDLOCALEMIS", 1),
};

std::vector<FieldDef> Strings(std::initializer_list<std::pair<const char*, int>> fields) {
    std::vector<FieldDef> defs;
    for (const auto& [name, size] : fields)
        defs.push_back(FieldDef{name, FieldType::String, size});
    return defs;
}

// The answers of the access key's checks: the other postings holding the key, the stored XML's issue date
// and the XML's products whose CFOP the operation type does not allow.
constexpr FieldRow kVdCAcesso[] = {Str("NRACESSONFE", 50), Str("CDFILIRECE", 30), Str("IDSTATUS", 1)};
constexpr FieldRow kVdEmissaoXML[] = {Str("NRACESSONFE", 50), Date("DTEMISSAO")};
constexpr FieldRow kCFOPXML[] = {Str("CDPRODUTO", 40)};

constexpr FieldRow kIbge[] = {Str("CDIBGE", 10, "Código IBGE"), Str("NMMUNICIPIO", 50, "Município")};
constexpr FieldRow kListServProd[] = {Str("CDSERVICOPROD", 30, "Código"),
                                      Str("DSSERVICOPROD", 4000, "Serviço")};

constexpr FieldRow kErrosVisual[] = {Str("CDERRO", 1), Str("DSERRO", 250), Str("SGIMPOSTO", 10)};
constexpr FieldRow kProdIrreg[] = {Str("CDPRODUTO", 10)};
// The closing answer's rows, as the server sends them (net::kClosingRowFields).
constexpr FieldRow kErrosFech[] = {Str("CDERRO", 20),     Str("CDOBJETO", 250),  Str("CDOBJETO2", 250),
                                   Str("CDOBJETO3", 250), Str("CDOBJETO4", 250), Num("CDOBJETO5")};

} // namespace

PostingDataSets::PostingDataSets() {
    DeclarePostingDataSets();
    DeclareItemTaxDataSets();
}

DataSource* AddSource(Component& owner, const std::string& name, DataSet& dataSet) {
    auto& component = owner.Create<DataSourceComponent>(name);
    component.Source().SetDataSet(&dataSet);
    return &component.Source();
}

void PostingDataSets::CreateSources(Component& owner) {
    dtsRomaneioNF = AddSource(owner, "dtsRomaneioNF", cdsRomaneioNF);
    dtsNotaFiscal = AddSource(owner, "dtsNotaFiscal", cdsNotaFiscal);
    dtsItemProduto = AddSource(owner, "dtsItemProduto", cdsItemProduto);
    dtsItemNotaFisc = AddSource(owner, "dtsItemNotaFisc", cdsItemNotaFisc);
    dtsItemEncargo = AddSource(owner, "dtsItemEncargo", cdsItemEncargo);
    dtsContaPagar = AddSource(owner, "dtsContaPagar", cdsContaPagar);
    dtsDadosAdic = AddSource(owner, "dtsDadosAdic", cdsDadosAdic);
    dtsTrabImpoNFTot = AddSource(owner, "dtsTrabImpoNFTot", cdsTrabImposNFTot);
    dtsTrabItProImpos = AddSource(owner, "dtsTrabItProImpos", cdsTrabItProImpos);
    dtsItemNF = AddSource(owner, "dtsItemNF", cdsItemNF);
    dtsNFOrigem = AddSource(owner, "dtsNFOrigem", cdsNFOrigem);
    dtsNFOrigSaid = AddSource(owner, "dtsNFOrigSaid", cdsNFOrigSaid);
    dtsItemNFOrigem = AddSource(owner, "dtsItemNFOrigem", cdsItemNFOrigem);
    dtsErrosVisual = AddSource(owner, "dtsErrosVisual", cdsErrosVisual);
    dtsModDocFisc = AddSource(owner, "dtsModDocFisc", cdsModDocFisc);
    dtsIbge = AddSource(owner, "dtsIbge", cdsIbge);
    dtsListServProd = AddSource(owner, "dtsListServProd", cdsListServProd);
    dtsProdRelacServ = AddSource(owner, "dtsProdRelacServ", cdsProdRelacServ);
}

void PostingDataSets::CreateLocalDataSets() {
    cdsProdIrreg.CreateDataSet();
    cdsErrosVisual.CreateDataSet();
    cdsTrabImposNFTot.CreateDataSet();
    cdsTrabItProImpos.CreateDataSet();
    cdsEntrega.CreateDataSet(Strings({{"CDFILIAL", 4}, {"NRLANCTONF", 10}, {"DSENTREGA", 255}}));
    cdsItemEntrega.CreateDataSet(Strings({{"CDPRODUTO", 10}, {"NRSEQUENCIA", 6}}));
    cdsTotaItem.CreateDataSet(
        {FieldDef{"CDPRODUTO", FieldType::String, 10}, FieldDef{"QTTOTAL", FieldType::Float}});
    cdsImpoItemAF.EmptyOrCreateDataSet();
    cdsImpoNFAF.EmptyOrCreateDataSet();
    cdsErrosFech.CreateDataSet();
    cdsLiberacao.CreateDataSet(Strings({{"CDERRO", 10}, {"CDOPERADOR", 12}}));
    cdsItemProdutoAux.EmptyOrCreateDataSet();
}

void PostingDataSets::DeclarePostingDataSets() {
    DeclareFields(cdsRomaneioNF, kRomaneioNF);
    DeclareFields(cdsNotaFiscal, kNotaFiscal);
    DeclareFields(cdsItemNotaFisc, kItemNotaFisc);
    DeclareFields(cdsItemEncargo, kItemEncargo);
    DeclareFields(cdsContaPagar, kContaPagar);
    DeclareFields(cdsDadosAdic, kDadosAdic);
    DeclareFields(cdsErrosVisual, kErrosVisual);
    DeclareFields(cdsProdIrreg, kProdIrreg);
    DeclareFields(cdsErrosFech, kErrosFech);
    DeclareFields(cdsVdCAcesso, kVdCAcesso);
    DeclareFields(cdsVdEmissaoXML, kVdEmissaoXML);
    DeclareFields(cdsCFOPXML, kCFOPXML);
    DeclareFields(cdsIbge, kIbge);
    DeclareFields(cdsListServProd, kListServProd);
    cdsNotaFiscal.FieldByName("CDFILIEMIT").SetEditMask(">aaaa;0; ");
    cdsNotaFiscal.FieldByName("NRACESSONFE")
        .SetEditMask("9999.9999.9999.9999.9999.9999.9999.9999.9999.9999.9999;0; ");
}

void PostingDataSets::ApplyLibraryMasks() {
    const std::shared_ptr<support::TDBPicture>& picture = Cli_dfe11000().dbpProduto;
    const std::string productMask = picture ? picture->Mask() : std::string();
    for (DataSet* ds : {&cdsItemProduto, &cdsItemNFOrigem, &cdsProdRelacServ}) {
        if (Field* code = ds->FindField("CDARVPROD")) code->SetEditMask(productMask);
    }
    Field& dueDate = cdsContaPagar.FieldByName("DTORIGVENPAG");
    dueDate.SetEditMask(kDateEditMask);
    dueDate.OnSetText = [](Field& field, std::string_view text) { support::DateSetText(field, text); };
}

} // namespace dfe::dfe11000
