#include "dfe11000/header/header_layout.h"

#include "dfe11000/header/code_mappings.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/layout_helpers.h"
#include "platform/ui/data_source_component.h"
#include "platform/ui/form.h"

namespace dfe::dfe11000 {
namespace {

// The participant's name and main address beside its number, as its lookup gives them.
struct AddressFields {
    const char* name;
    const char* street;
    const char* district;
};
constexpr AddressFields kSupplierFields{"NMRAZSOCFORN", "DSENDEFORN", "NMBAIRFORN"};
constexpr AddressFields kCustomerFields{"NMRAZSOCCLIE", "DSENDECLIE", "NMBAIRCLIE"};
constexpr AddressFields kBranchFields{"NMFILIAL", "DSENDEFILI", "NMBAIRFILI"};

void ParticipantAddress(Container& group, const std::string& suffix, DataSource* source,
                        const AddressFields& fields, int tag) {
    const std::string names[] = {"dbeNm" + suffix, "dbeEnde" + suffix, "dbeBair" + suffix, "dbeMuni" + suffix,
                                 "dbeUF" + suffix};
    DBEdit* shown[] = {
        BoundEdit(group, names[0].c_str(), source, fields.name, 164, 20, 460),
        BoundEdit(group, names[1].c_str(), source, fields.street, 8, 46, 300),
        BoundEdit(group, names[2].c_str(), source, fields.district, 312, 46, 120),
        BoundEdit(group, names[3].c_str(), source, "NMMUNICIPIO", 436, 46, 150),
        BoundEdit(group, names[4].c_str(), source, "SGESTADO", 590, 46, 34),
    };
    for (DBEdit* edit : shown) {
        Displayed(edit);
        edit->SetTag(tag);
    }
}

// A drop-down list of a mapped field: its items are the mapping's texts, and the field's handlers turn
// them into codes.
DBComboBox* MappedList(Container& parent, DataSource* source, const CodeMapping& mapping, int left, int top,
                       int width) {
    return BoundList(parent, mapping.combo, source, mapping.field, left, top, width, ListItems(mapping), {});
}

// The municipality-code search of a CT-e or NF3-e editor.
support::TBtnPesquisa* IbgeSearch(Container& parent, const char* name, DBEdit* edit, PostingDataSets& data,
                                  int left, int top) {
    support::TBtnPesquisa* button = SearchButton(parent, name, edit, "Municício", left, top);
    button->SetDataSource(data.dtsIbge);
    button->SetFields({"CDIBGE", "NMMUNICIPIO"});
    button->SetEmptyError("Não há IBGE cadastrado");
    return button;
}

} // namespace

void BuildHeader(Form& form, Container& page, HeaderControls& c, PostingDataSets& data,
                 HeaderLookups& lookups) {
    lookups.dtsEmpresa = AddSource(form, "dtsEmpresa", lookups.qryEmpresa);
    lookups.dtsTipoOperac = AddSource(form, "dtsTipoOperac", lookups.qryTipoOperac);
    lookups.dtsFornecedor = AddSource(form, "dtsFornecedor", lookups.qryFornecedor);
    lookups.dtsCliente = AddSource(form, "dtsCliente", lookups.qryCliente);
    lookups.dtsFiliEmit = AddSource(form, "dtsFiliEmit", lookups.qryFiliEmit);
    lookups.dtsInscrEstad = AddSource(form, "dtsInscrEstad", lookups.qryInscrEstad);
    lookups.dtsPesqForn = AddSource(form, "dtsPesqForn", lookups.qryPesqForn);
    c.panCabecalho = Place<Panel>(page, "panCabecalho", 0, 0, 640, 344);
    Container& h = *c.panCabecalho;
    c.dbtNome = Place<DBText>(h, "dbtNome", 4, 1, 632, 13);
    c.dbtNome->SetDataSource(data.dtsRomaneioNF);
    c.dbtNome->SetDataField("CDFILIAL");

    // Company and operation type belong to the list row: the header edits them there.
    c.pan = Place<Panel>(h, "pan", 0, 14, 528, 42);
    c.pan->SetTabOrder(0);
    Container& p = *c.pan;
    c.lblEmpresa = AddLabel(p, "lblEmpresa", "Empresa", 4, 4);
    c.dbeCdEmpresa = BoundEdit(p, "dbeCdEmpresa", data.dtsRomaneioNF, "CDEMPRESA", 4, 18, 30);
    c.btpEmpresa = SearchButton(p, "btpEmpresa", c.dbeCdEmpresa, "Empresa", 36, 18);
    c.btpEmpresa->SetDataSource(lookups.dtsEmpresa);
    c.btpEmpresa->SetFields({"CDEMPRESA", "NMRAZSOCEMPR"});
    c.btpEmpresa->SetEmptyError("Não há empresa cadastrada.");
    c.dbeNmEmpresa = Displayed(BoundEdit(p, "dbeNmEmpresa", data.dtsRomaneioNF, "NMRAZSOCEMPR", 59, 18, 177));
    c.lblTipoOper = AddLabel(p, "lblTipoOper", "Tipo de Operação", 242, 4);
    c.dbeCdTipoOper = BoundEdit(p, "dbeCdTipoOper", data.dtsRomaneioNF, "CDTIPOOPER", 242, 18, 30);
    c.btpTipoOper = SearchButton(p, "btpTipoOper", c.dbeCdTipoOper, "Tipo de Operação", 274, 18);
    c.btpTipoOper->SetDataSource(lookups.dtsTipoOperac);
    c.btpTipoOper->SetFields({"CDTIPOOPER", "NMTIPOOPER"});
    c.btpTipoOper->SetEmptyError("Não há tipo de operação cadastrado.");
    c.dbeNmTipoOper =
        Displayed(BoundEdit(p, "dbeNmTipoOper", data.dtsRomaneioNF, "NMTIPOOPER", 297, 18, 227));

    c.drgSaidEntr = Place<DBRadioGroup>(h, "drgSaidEntr", 530, 14, 106, 40);
    c.drgSaidEntr->SetItems({"Entrada", "Saída"});
    c.drgSaidEntr->SetValues({"E", "S"});
    c.drgSaidEntr->SetDataSource(data.dtsNotaFiscal);
    c.drgSaidEntr->SetDataField("IDENTRSAIDOP");
    c.drgSaidEntr->SetEnabled(false);

    c.nbkDestino = Place<Notebook>(h, "nbkDestino", 4, 58, 632, 86);
    auto& pagCliente = c.nbkDestino->Add<NotebookPage>("pagCliente");
    pagCliente.SetCaption("Cliente");
    c.grbCliente = Group(pagCliente, "grbCliente", " Cliente ", 0, 0, 632, 86);
    c.dbeNrInsJurClie =
        BoundEdit(*c.grbCliente, "dbeNrInsJurClie", data.dtsNotaFiscal, "NRINSJURNF", 8, 20, 130);
    c.btpCliente = SearchButton(*c.grbCliente, "btpCliente", c.dbeNrInsJurClie, "Cliente", 140, 20);
    c.btpCliente->SetDataSource(lookups.dtsCliente);
    c.btpCliente->SetFields({"NRINSJURCLIE", "NMRAZSOCCLIE"});
    c.btpCliente->SetEmptyError("Não há cliente cadastrado.");
    ParticipantAddress(*c.grbCliente, "Clie", lookups.dtsCliente, kCustomerFields, kCustomerTag);
    auto& pagFornecedor = c.nbkDestino->Add<NotebookPage>("pagFornecedor");
    pagFornecedor.SetCaption("Fornecedor");
    c.grbFornecedor = Group(pagFornecedor, "grbFornecedor", "Fornecedor", 0, 0, 632, 86);
    c.dbeNrInsJurNF =
        BoundEdit(*c.grbFornecedor, "dbeNrInsJurNF", data.dtsNotaFiscal, "NRINSJURNF", 8, 20, 130);
    c.btpFornecedor = SearchButton(*c.grbFornecedor, "btpFornecedor", c.dbeNrInsJurNF, "Fornecedor", 140, 20);
    c.btpFornecedor->SetDataSource(lookups.dtsPesqForn);
    c.btpFornecedor->SetFields({"NRINSJURFORN", "NMRAZSOCFORN"});
    c.btpFornecedor->SetEmptyError("Não há fornecedor cadastrado.");
    ParticipantAddress(*c.grbFornecedor, "Forn", lookups.dtsFornecedor, kSupplierFields, kSupplierTag);
    auto& pagFilial = c.nbkDestino->Add<NotebookPage>("pagFilial");
    pagFilial.SetCaption("Filial");
    c.grbFilialEmit = Group(pagFilial, "grbFilialEmit", " Filial Emitente ", 0, 0, 632, 86);
    c.dbeCdFilial = BoundEdit(*c.grbFilialEmit, "dbeCdFilial", data.dtsNotaFiscal, "CDFILIEMIT", 8, 20, 40);
    c.btpFiliEmit = SearchButton(*c.grbFilialEmit, "btpFiliEmit", c.dbeCdFilial, "Filial Emitente", 50, 20);
    c.btpFiliEmit->SetDataSource(lookups.dtsFiliEmit);
    c.btpFiliEmit->SetFields({"CDFILIAL", "NMFILIAL"});
    c.btpFiliEmit->SetEmptyError("Não há filial cadastrada.");
    ParticipantAddress(*c.grbFilialEmit, "Fili", lookups.dtsFiliEmit, kBranchFields, kIssuingBranchTag);
    c.nbkDestino->SetPageIndex(1);

    c.grbInscrEstad = Group(h, "grbInscrEstad", "Inscrição Estadual", 4, 146, 310, 50);
    c.dbeCdInscEsta =
        BoundEdit(*c.grbInscrEstad, "dbeCdInscEsta", data.dtsNotaFiscal, "CDINSCESTA", 8, 20, 130);
    c.grbDestReme = Group(h, "grbDestReme", "Destinatário/Remetente", 318, 146, 318, 50);
    Container& dest = *c.grbDestReme;
    c.edtNmDestReme =
        Displayed(BoundEdit(dest, "edtNmDestReme", lookups.dtsInscrEstad, "NMRAZSOCEMPR", 8, 20, 190));
    c.dbeMuniDestReme =
        Displayed(BoundEdit(dest, "dbeMuniDestReme", lookups.dtsInscrEstad, "NMMUNICIPIO", 202, 20, 80));
    c.dbeUFDestReme =
        Displayed(BoundEdit(dest, "dbeUFDestReme", lookups.dtsInscrEstad, "SGESTADO", 286, 20, 24));
}

void BuildDocument(Form& form, Container& header, DocumentControls& c, PostingDataSets& data,
                   HeaderLookups& lookups) {
    // The issue panel; its inner panel holds model, series and number, the dates have a panel of their
    // own and the entry date another inside it: leaving each runs its rules.
    c.panEmisData = Place<Panel>(header, "panEmisData", 4, 198, 632, 144);
    auto& doc = *Group(*c.panEmisData, "grbDocumento", " Documento ", 0, 0, 632, 144);
    DataSource* nf = data.dtsNotaFiscal;
    c.Panel9 = Place<Panel>(doc, "Panel9", 4, 12, 332, 38);
    Container& identity = *c.Panel9;
    AddLabel(identity, "lblModDocFis", "Modelo", 4, 2, 60);
    c.dbeModDocFis = BoundEdit(identity, "dbeModDocFis", nf, "CDMODDOCFISC", 4, 16, 30);
    c.btpModDocFisc =
        SearchButton(identity, "btpModDocFisc", c.dbeModDocFis, "Modelo de Documento Fiscal", 36, 16);
    c.btpModDocFisc->SetDataSource(data.dtsModDocFisc);
    c.btpModDocFisc->SetFields({"CDMODDOCFISC", "DSMODDOCFISC"});
    c.btpModDocFisc->SetEmptyError("Não há modelo de documento fiscal para o tipo de operação.");
    c.dbeNmModDocFis = Displayed(BoundEdit(identity, "dbeNmModDocFis", nf, "DSMODDOCFISC", 59, 16, 127));
    AddLabel(identity, "lblSerie", "Série", 192, 2, 50);
    c.dbeSerie = BoundEdit(identity, "dbeSerie", nf, "CDSERIEENTR", 192, 16, 50);
    lookups.dtsSerieEntr = AddSource(form, "dtsSerieEntr", lookups.qrySerieEntr);
    c.btpSerieNF = SearchButton(identity, "btpSerieNF", c.dbeSerie, "Série", 244, 16);
    c.btpSerieNF->SetDataSource(lookups.dtsSerieEntr);
    c.btpSerieNF->SetFields({"CDSERIEENTR", "DSSERIEENTR"});
    c.btpSerieNF->SetEmptyError("Não há série de documentos de entrada cadastrada.");
    AddLabel(identity, "lblNumero", "Número", 268, 2, 64);
    c.dbeNumero = BoundEdit(identity, "dbeNumero", nf, "NRNOTAFISC", 268, 16, 64);
    c.panDatas = Place<Panel>(doc, "panDatas", 336, 12, 172, 38);
    AddLabel(*c.panDatas, "lblDtEmissao", "Emissão", 2, 2, 80);
    c.dbdDtEmissao = BoundDate(*c.panDatas, "dbdDtEmissao", nf, "DTEMISSAO", 2, 16, 80);
    c.Panel3 = Place<Panel>(*c.panDatas, "Panel3", 86, 0, 86, 38);
    AddLabel(*c.Panel3, "lblDtEntrada", "Entrada", 2, 2, 80);
    c.dbdEntrSaid = BoundDate(*c.Panel3, "dbdEntrSaid", nf, "DTENTRSAID", 2, 16, 80);

    AddLabel(doc, "lblCFOP", "CFOP", 8, 52, 60);
    c.dbeCodiCFOp = BoundEdit(doc, "dbeCodiCFOp", nf, "CDCFOPINFUSU", 8, 66, 60);
    c.dbeCodiCFOp->SetTabStop(false);
    c.dbeDescCFOp = BoundEdit(doc, "dbeDescCFOp", nf, "DSCFOPINFUSU", 70, 66, 300);
    c.dbeDescCFOp->SetTabStop(false);
    c.ntbChave = Place<Notebook>(doc, "ntbChave", 376, 52, 252, 84);
    auto& pagChave = c.ntbChave->Add<NotebookPage>("ChaveAcesso");
    pagChave.SetCaption("ChaveAcesso");
    auto& grbChave = *Group(pagChave, "grbChaveAcesso", " Chave de Acesso NF-e ", 0, 0, 252, 44);
    c.dbeChaveAcesso = BoundEdit(grbChave, "dbeChaveAcesso", nf, "NRACESSONFE", 4, 18, 244);
    auto& pagServico = c.ntbChave->Add<NotebookPage>("ChavePServico");
    pagServico.SetCaption("ChavePServico");
    auto& grbServico = *Group(pagServico, "grbChavePServ", "Código de Verificação (Chave)", 0, 0, 252, 84);
    c.dbeChavePServ = BoundEdit(grbServico, "dbeChavePServ", nf, "CDCHAVEACESNFPS", 4, 18, 244);
    c.lblCdServico = AddLabel(grbServico, "lblCdServico", "Código de Serviço", 4, 42, 200);
    c.dbeCdServico = BoundEdit(grbServico, "dbeCdServico", nf, "CDSERVICOPROD", 4, 56, 200);
    c.btpCodServico = SearchButton(grbServico, "btpCodServico", c.dbeCdServico, "Código de Serviço", 206, 56);
    c.btpCodServico->SetDataSource(data.dtsListServProd);
    c.btpCodServico->SetFields({"CDSERVICOPROD", "DSSERVICOPROD"});
    for (Control* control : std::initializer_list<Control*>{c.lblCdServico, c.dbeCdServico, c.btpCodServico})
        control->SetVisible(false);
    c.ntbChave->SetPageIndex(0);

    c.grbLocPrestServ = Group(doc, "grbLocPrestServ", " Local da Prestação do Serviço ", 4, 90, 366, 50);
    c.grbLocPrestServ->SetEnabled(false);
    Container& loc = *c.grbLocPrestServ;
    lookups.dtsEstado = AddSource(form, "dtsEstado", lookups.qryEstado);
    lookups.dtsMunicipio = AddSource(form, "dtsMunicipio", lookups.qryMunicipio);
    c.dbeEstado = BoundEdit(loc, "dbeEstado", nf, "SGESTADO", 8, 20, 30);
    c.btpEstadoOrig = SearchButton(loc, "btpEstadoOrig", c.dbeEstado, "Estado", 40, 20);
    c.btpEstadoOrig->SetDataSource(lookups.dtsEstado);
    c.btpEstadoOrig->SetFields({"SGESTADO", "NMESTADO"});
    c.btpEstadoOrig->SetEmptyError("Não há estado cadastrado para o país informado.");
    c.dbeNmEstado = Displayed(BoundEdit(loc, "dbeNmEstado", nf, "NMESTADO", 61, 20, 100));
    c.dbeMunicipio = BoundEdit(loc, "dbeMunicipio", nf, "CDMUNICIPIO", 166, 20, 40);
    c.btpMunicipio = SearchButton(loc, "btpMunicipio", c.dbeMunicipio, "Município", 208, 20);
    c.btpMunicipio->SetDataSource(lookups.dtsMunicipio);
    c.btpMunicipio->SetFields({"CDMUNICIPIO", "NMMUNICIPIO"});
    c.btpMunicipio->SetEmptyError("Não há município cadastrado para o estado informado.");
    c.dbeNMMunicip = Displayed(BoundEdit(loc, "dbeNMMunicip", nf, "NMMUNICIPIO", 231, 20, 127));
}

void BuildOrigin(Form& form, Container& page, OriginControls& c, PostingDataSets& data,
                 HeaderLookups& lookups) {
    lookups.dtsForneNFRemessa = AddSource(form, "dtsForneNFRemessa", lookups.qryForneNFRemessa);
    c.panDadosNFRemessa = Place<Panel>(page, "panDadosNFRemessa", 0, 344, 640, 50);
    auto& remessa = *Group(*c.panDadosNFRemessa, "grbDadosNFRemessa", "Dados NF Remessa", 4, 0, 632, 48);
    AddLabel(remessa, "lblForneNFRemessa", "Fornecedor", 8, 22, 60);
    c.dbeForneNFRemessa =
        BoundEdit(remessa, "dbeForneNFRemessa", data.dtsNotaFiscal, "NRINSJURFORREME", 70, 18, 130);
    c.btpForneNFRemessa =
        SearchButton(remessa, "btpForneNFRemessa", c.dbeForneNFRemessa, "Fornecedor", 202, 18);
    c.btpForneNFRemessa->SetEmptyError("Não há fornecedor cadastrado.");
    c.btpForneNFRemessa->SetDataSource(lookups.dtsForneNFRemessa);
    c.btpForneNFRemessa->SetFields({"NRINSJURFORN", "NMRAZSOCFORN"});
    AddLabel(remessa, "lblNumNFRemessa", "Nº da NF", 232, 22, 50);
    c.dbeNumNFRemessa = BoundEdit(remessa, "dbeNumNFRemessa", data.dtsNotaFiscal, "NRNFREMESSA", 284, 18, 80);
    for (DBEdit* e : {c.dbeForneNFRemessa, c.dbeNumNFRemessa})
        e->SetColor(Color::clInfoBk);

    c.panNFOrigem = Place<Panel>(page, "panNFOrigem", 0, 394, 640, 58);
    c.grbNFOrigem = Group(*c.panNFOrigem, "grbNFOrigem", " Nota Fiscal de Origem ", 4, 0, 632, 56);
    // Page 0: the incoming origin a complement or a remittance return names; page 1: the outgoing origins
    // of a return.
    c.nbkNFOrigem = Place<Notebook>(*c.grbNFOrigem, "nbkNFOrigem", 4, 14, 624, 40);
    auto& named = c.nbkNFOrigem->Add<NotebookPage>("pagComplemento");
    named.SetCaption("Complemento");
    AddLabel(named, "lblCdSerie", "Série", 8, 0, 50);
    c.dbeCdSerie = BoundEdit(named, "dbeCdSerie", data.dtsItemNotaFisc, "CDSERIEENTR", 8, 14, 50);
    AddLabel(named, "lblNrNotaFisc", "Nº da NF", 64, 0, 80);
    c.dbeNrNotaFisc = BoundEdit(named, "dbeNrNotaFisc", data.dtsItemNotaFisc, "NRNOTAFISC", 64, 14, 80);
    c.btpNotaFiscOrigem =
        SearchButton(named, "btpNotaFiscOrigem", c.dbeNrNotaFisc, "Nota Fiscal de Origem", 146, 14);
    c.btpNotaFiscOrigem->SetEmptyError("Não há nota fiscal de origem cadastrada.");
    c.btpNotaFiscOrigem->SetDataSource(data.dtsNFOrigem);
    c.btpNotaFiscOrigem->SetFields({"CDSERIEENTR", "NRNOTAFISC", "NRINSJURNF", "NMRAZSOCFORN", "ENTRADA"});
    auto& returned = c.nbkNFOrigem->Add<NotebookPage>("pagDevolucao");
    returned.SetCaption("Devolução");
    c.rbtUnica = Place<RadioButton>(returned, "rbtUnica", 8, 2, 60, 17);
    c.rbtUnica->SetCaption("Única");
    c.rbtUnica->SetChecked(true);
    c.rbtLista = Place<RadioButton>(returned, "rbtLista", 8, 20, 60, 17);
    c.rbtLista->SetCaption("Lista");
    c.lblSerieSaida = AddLabel(returned, "lblSerieSaida", "Série Saída", 80, 0, 70);
    c.dbeSerieSaida = Place<DBEdit>(returned, "dbeSerieSaida", 80, 14, 60, 21);
    c.lblNumeroSaida = AddLabel(returned, "lblNumeroSaida", "Nº Saída", 152, 0, 80);
    c.dbeNumeroSaida = Place<DBEdit>(returned, "dbeNumeroSaida", 152, 14, 96, 21);
    c.btpNFSaida = SearchButton(returned, "btpNFSaida", c.dbeNumeroSaida, "Nota Fiscal de Origem", 250, 14);
    c.btpNFSaida->SetEmptyError("Não há nota fiscal de origem cadastrada.");
    c.btpNFSaida->SetDataSource(data.dtsNFOrigSaid);
    c.btpNFSaida->SetFields({"CDSERIE", "NRNOTAFISC", "DATAEMISSAO", "VALORNF"});
    c.btpNFSaida->SetResultField("NRNOTAFISC");
    c.btpLista = Place<SpeedButton>(returned, "btpLista", 276, 14, 21, 21);
    c.btpLista->SetCaption("...");
    c.btpLista->SetHint("Lista de notas fiscais de origem");
    c.btpLista->SetEnabled(false);
    c.nbkNFOrigem->SetPageIndex(0);
    // Shown by the layout rule for the operation types that have them.
    c.panDadosNFRemessa->SetVisible(false);
    c.panNFOrigem->SetVisible(false);
}

void BuildTransport(Form& form, Container& page, TransportControls& c, PostingDataSets& data,
                    HeaderLookups& lookups, Panel* stacked) {
    DataSource* nf = data.dtsNotaFiscal;
    c.panTransporte = stacked;
    c.grbTransport =
        Group(*c.panTransporte, "grbTransport", " Transportadoras/Volumes Transportados ", 4, 0, 632, 118);
    c.nbkTransport = Place<Notebook>(*c.grbTransport, "nbkTransport", 4, 16, 624, 98);
    auto& t = c.nbkTransport->Add<NotebookPage>("pagTransportadora");
    t.SetCaption("Transportadora");
    AddLabel(t, "lblTransp", "Transportadora", 0, 0, 120);
    c.dbeNrInsJurTran = BoundEdit(t, "dbeNrInsJurTran", nf, "NRINSJURTRAN", 0, 14, 120);
    lookups.dspPesqTransp = AddSource(form, "dspPesqTransp", lookups.qryPesqTransp);
    c.btpTransport = SearchButton(t, "btpTransport", c.dbeNrInsJurTran, "Transportadora", 122, 14);
    c.btpTransport->SetDataSource(lookups.dspPesqTransp);
    c.btpTransport->SetFields({"NRINSJURTRAN", "NMRAZSOCTRAN"});
    c.btpTransport->SetEmptyError("Não há transportadora cadastrada.");
    c.edtNmRazSocTrans = Displayed(Place<Edit>(t, "edtNmRazSocTrans", 145, 14, 177, 21));
    c.dbeEndeTrans = Displayed(Place<Edit>(t, "dbeEndeTrans", 324, 14, 160, 21));
    c.dbeMuniTrans = Displayed(Place<Edit>(t, "dbeMuniTrans", 486, 14, 100, 21));
    c.dbeUFTrans = Displayed(Place<Edit>(t, "dbeUFTrans", 588, 14, 30, 21));
    AddLabel(t, "lblInscEstaTrans", "Insc. Estadual", 0, 38, 100);
    c.dbeInscEstaTrans = Displayed(Place<Edit>(t, "dbeInscEstaTrans", 0, 52, 100, 21));
    AddLabel(t, "lblFreteConta", "Frete por Conta", 104, 38, 150);
    c.cbbFreteConta = MappedList(t, nf, kFreteConta, 104, 52, 150);
    AddLabel(t, "lblPlacVeic", "Placa", 258, 38, 64);
    c.dbeNrPlacVeic = BoundEdit(t, "dbeNrPlacVeic", nf, "NRPLACAVEIC", 258, 52, 64);
    AddLabel(t, "lblUFVeic", "UF", 324, 38, 28);
    c.dbeUFVeic = BoundEdit(t, "dbeUFVeic", nf, "SGUFVEIC", 324, 52, 28);
    AddLabel(t, "lblQtVolu", "Quantidade", 356, 38, 56);
    c.dbeDsQtDevolu = BoundEdit(t, "dbeDsQtDevolu", nf, "DSQTDEVOLU", 356, 52, 56);
    AddLabel(t, "lblEspecVolu", "Espécie", 414, 38, 70);
    c.dbeEspecVolu = BoundEdit(t, "dbeEspecVolu", nf, "DSESPECVOLU", 414, 52, 70);
    AddLabel(t, "lblMarcaVolu", "Marca", 486, 38, 132);
    c.dbeMarcaVolu = BoundEdit(t, "dbeMarcaVolu", nf, "DSMARCAVOLU", 486, 52, 132);
    AddLabel(t, "lblNumeVolu", "Numeração", 0, 80, 60);
    c.dbeNumeVolu = BoundEdit(t, "dbeNumeVolu", nf, "DSNUMEVOLU", 62, 76, 100);
    AddLabel(t, "lblPBrutoVolu", "Peso Bruto", 170, 80, 58);
    c.dbePBrutoVolu = BoundEdit(t, "dbePBrutoVolu", nf, "VRPBRUTOVOLU", 230, 76, 80);
    AddLabel(t, "lblPLiquVolu", "Peso Líquido", 318, 80, 66);
    c.dbePLiquVolu = BoundEdit(t, "dbePLiquVolu", nf, "VRPLIQUVOLU", 386, 76, 80);
    auto& pagSemNF = c.nbkTransport->Add<NotebookPage>("pagItemSemNF");
    pagSemNF.SetCaption("Entrada sem Nota Fiscal");
    c.dbgItemSemNF = BoundGrid(pagSemNF, "dbgItemSemNF", data.dtsItemNotaFisc, 0, 0, 624, 98);

    // Below the visible area of the record page (the rules move the CT-e notebook and the collection
    // document up for returns); the two share a row.
    c.grbNatFreteCTe =
        Group(page, "grbNatFreteCTe", " Indicador da Natureza do Frete Contratado ", 4, 1107, 632, 50);
    c.cbbNatFreteCTe = MappedList(*c.grbNatFreteCTe, nf, kNatFreteCTe, 8, 20, 616);
    c.nbkCte = Place<Notebook>(page, "nbkCte", 4, 1160, 370, 84);
    auto& cte = c.nbkCte->Add<NotebookPage>("pagCte");
    cte.SetCaption("Cte");
    c.grbIbge = Group(cte, "grbIbge", " CT-e ", 0, 0, 370, 84);
    Container& ibge = *c.grbIbge;
    AddLabel(ibge, "lblIbgeOrig", "Origem", 8, 16, 80);
    c.dbeIbgeOrig = BoundEdit(ibge, "dbeIbgeOrig", nf, "CDIBGEORIG", 8, 30, 60);
    c.btpIbgeOrig = IbgeSearch(ibge, "btpIbgeOrig", c.dbeIbgeOrig, data, 70, 30);
    AddLabel(ibge, "lblIbgeDest", "Destino", 96, 16, 80);
    c.dbeIbgeDest = BoundEdit(ibge, "dbeIbgeDest", nf, "CDIBGEDEST", 96, 30, 60);
    c.btpIbgeDest = IbgeSearch(ibge, "btpIbgeDest", c.dbeIbgeDest, data, 158, 30);
    for (DBEdit* e : {c.dbeIbgeOrig, c.dbeIbgeDest}) {
        e->SetColor(Color::clInfoBk);
        e->SetMaxLength(7);
    }
    AddLabel(ibge, "lblTipoCte", "Tipo do CT-e", 184, 16, 180);
    c.cbbTipoCte = MappedList(ibge, nf, kTipoCte, 184, 30, 180);
    auto& nf3e = c.nbkCte->Add<NotebookPage>("pagNF3e");
    nf3e.SetCaption("NF3-e");
    c.grbNF3e = Group(nf3e, "grbNF3e", " NF3-e ", 0, 0, 370, 84);
    Container& energy = *c.grbNF3e;
    AddLabel(energy, "lblIbgeNF3e", "Destino", 8, 16, 80);
    c.dbeIbgeNF3e = BoundEdit(energy, "dbeIbgeNF3e", nf, "CDIBGEDEST", 8, 30, 60);
    c.dbeIbgeNF3e->SetMaxLength(7);
    c.btpIbgeNF3e = IbgeSearch(energy, "btpIbgeNF3e", c.dbeIbgeNF3e, data, 70, 30);
    AddLabel(energy, "lblFinEmisDoc", "Fin. Emissão Doc.", 96, 16, 180);
    c.cbbFinEmisDoc = MappedList(energy, nf, kFinEmisDoc, 96, 30, 180);
    AddLabel(energy, "lblChaveRef", "Chave Referenciada", 8, 52, 90);
    c.dbeChaveRef = BoundEdit(energy, "dbeChaveRef", nf, "NRACESSONFEREF", 100, 52, 262);
    c.nbkCte->SetPageIndex(0);
    c.grbDAE = Group(page, "grbDAE", " Modelo de Documento de Arrecadação ", 378, 1161, 258, 84);
    AddLabel(*c.grbDAE, "lblModDocArrec", "Modelo", 8, 16, 80);
    c.cbbModDocArrec = MappedList(*c.grbDAE, nf, kModDocArrec, 8, 30, 242);
    AddLabel(*c.grbDAE, "lblDocArrecad", "Nº Documento", 8, 54, 80);
    c.dbeDocArrecad = BoundEdit(*c.grbDAE, "dbeDocArrecad", nf, "NRDOCARRECAD", 90, 54, 160);
}

} // namespace dfe::dfe11000
