// The controls of the posting form as designed (663 by 667): the branch panel on top, the list page, the
// record page with the header, the origin panels and the detail panels, and the installments page.
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "platform/ui/placement.h"

namespace dfe::dfe11000 {
namespace {

// Panels below the header that AjustaPanels moves together.
constexpr int kMovedWithItems = 4;

DBEdit* BoundEdit(Container& parent, const char* name, DataSource* source, const char* field, int left,
                  int top, int width) {
    DBEdit* edit = Place<DBEdit>(parent, name, left, top, width, 21);
    edit->SetDataSource(source);
    edit->SetDataField(field);
    return edit;
}

DBGrid* Grid(Container& parent, const char* name, DataSource* source, int left, int top, int width,
             int height) {
    DBGrid* grid = Place<DBGrid>(parent, name, left, top, width, height);
    grid->SetDataSource(source);
    return grid;
}

Label* AddLabel(Container& parent, const char* name, const char* caption, int left, int top) {
    Label* label = Place<Label>(parent, name, left, top, 100, 13);
    label->SetCaption(caption);
    return label;
}

// A field shown, not typed: button-face colour, no tab stop.
template <class T> T* Displayed(T* control) {
    control->SetReadOnly(true);
    control->SetTabStop(false);
    control->SetColor(Color::clBtnFace);
    return control;
}

DBComboBox* BoundList(Container& parent, const char* name, DataSource* source, const char* field, int left,
                      int top, int width, std::vector<std::string> items, std::vector<std::string> codes) {
    DBComboBox* combo = Place<DBComboBox>(parent, name, left, top, width, 21);
    combo->SetStyle(ComboStyle::DropDownList);
    combo->SetItems(std::move(items));
    combo->SetValues(std::move(codes));
    combo->SetDataSource(source);
    combo->SetDataField(field);
    return combo;
}

} // namespace

DataSource* TfrmLancNFEntrada::AddSource(const std::string& name, DataSet& dataSet) {
    auto& component = Create<DataSourceComponent>(name);
    component.Source().SetDataSet(&dataSet);
    return &component.Source();
}

void TfrmLancNFEntrada::BuildLayout() {
    SetName("frmLancNFEntrada");
    SetCaption("Lançamento de Notas Fiscais");
    SetFormStyle(FormStyle::MdiChild);
    SetHelpContext(10811000);
    SetHelpFile("Dfehelp.hlp");
    SetBounds(0, 0, 663, 667);
    lblCodTela.SetCaption("DFE11000");

    dtsRomaneioNF = AddSource("dtsRomaneioNF", cdsRomaneioNF);
    dtsNotaFiscal = AddSource("dtsNotaFiscal", cdsNotaFiscal);
    dtsItemProduto = AddSource("dtsItemProduto", cdsItemProduto);
    dtsItemNotaFisc = AddSource("dtsItemNotaFisc", cdsItemNotaFisc);
    dtsItemEncargo = AddSource("dtsItemEncargo", cdsItemEncargo);
    dtsContaPagar = AddSource("dtsContaPagar", cdsContaPagar);
    dtsDadosAdic = AddSource("dtsDadosAdic", cdsDadosAdic);
    dtsTrabImpoNFTot = AddSource("dtsTrabImpoNFTot", cdsTrabImposNFTot);
    dtsTrabItProImpos = AddSource("dtsTrabItProImpos", cdsTrabItProImpos);
    dtsItemNF = AddSource("dtsItemNF", cdsItemNF);
    dtsNFOrigem = AddSource("dtsNFOrigem", cdsNFOrigem);
    dtsItemNFOrigem = AddSource("dtsItemNFOrigem", cdsItemNFOrigem);
    dtsErrosVisual = AddSource("dtsErrosVisual", cdsErrosVisual);
    dtsFiliRece = AddSource("dtsFiliRece", qryFiliRece);
    dtsPadrao.SetDataSet(&cdsNotaFiscal);

    BuildBranchPanel();
    BuildListPages();
    scbFormulario = Place<ScrollBox>(tshFormulario, "scbFormulario", 0, 0, 647, 520);
    BuildHeader(*scbFormulario);
    BuildOriginPanels(*scbFormulario);
    BuildDetailPanels(*scbFormulario);
    BuildPostingGrids();
    WireBranchPanel();
    DeclareLookups();
    // ---- company, branch and operation type
    BuildHeaderPanel();
    WireHeaderRules();
    DeclareHeaderLookups();
}

void TfrmLancNFEntrada::BuildBranchPanel() {
    panFilial = Place<Panel>(*this, "panFilial", 0, 44, 663, 30);
    panFilial->SetTabStop(true);
    lblFilial = AddLabel(*panFilial, "lblFilial", "Filial de Origem", 8, 8);
    medCdFilial = Place<MaskEdit>(*panFilial, "medCdFilial", 112, 4, 40, 21);
    medCdFilial->SetEditMask(">aaaa;0; ");
    medCdFilial->SetMaxLength(4);
    medCdFilial->SetCharCase(CharCase::Upper);
    btpFilial = Place<support::TBtnPesquisa>(*panFilial, "btpFilial", 154, 4, 21, 21);
    btpFilial->SetAssociate(medCdFilial);
    btpFilial->SetTitle("Filial");
    btpFilial->SetEmptyError("Não há filial cadastrada.");
    btpFilial->SetDataSource(dtsFiliRece);
    btpFilial->SetFields({"CDFILIAL", "NMFILIAL"});
    edtNmFilial = Place<Edit>(*panFilial, "edtNmFilial", 178, 4, 218, 21);
    edtNmFilial->SetReadOnly(true);
    edtNmFilial->SetTabStop(false);
    edtNmFilial->SetColor(Color::clBtnFace);

    sbtFiltro = Place<SpeedButton>(panBotoes, "sbtFiltro", 462, 2, 46, 40);
    sbtFiltro->SetCaption("&Filtrar");
    sbtConheTransp = Place<SpeedButton>(*panFilial, "sbtConheTransp", 400, 4, 78, 22);
    sbtConheTransp->SetCaption("Conhecimento");
    sbtConheTransp->SetGroupIndex(1);
    sbtConheTransp->SetAllowAllUp(true);
    sbtGeraSaida = Place<SpeedButton>(*panFilial, "sbtGeraSaida", 480, 4, 76, 22);
    sbtGeraSaida->SetCaption("Gerar Saída");
    mnuFiltro = &mnuArquivo.AddItem("mnuFiltro", "&Filtrar");
    mnuConheTransp = &mnuArquivo.AddItem("mnuConheTransp", "Conhecimento de Transporte");
    mnuGeraSaida = &mnuArquivo.AddItem("mnuGeraSaida", "&Gerar NF Saída");
    sbtReplicDoc = Place<SpeedButton>(panBotoes, "sbtReplicDoc", 416, 2, 46, 40);
    sbtReplicDoc->SetCaption("&Replicar");
    mnuReplicDoc = &mnuArquivo.AddItem("mnuReplicDoc", "&Replicar Documento");
}

void TfrmLancNFEntrada::BuildListPages() {
    pgcPadrao.SetBounds(0, 74, 655, 560);
    dbgPadrao = Grid(tshFolhaDados, "dbgPadrao", dtsRomaneioNF, 0, 0, 647, 530);
    dbgPadrao->SetOptions(grid_option::Titles | grid_option::ColLines | grid_option::RowLines |
                          grid_option::RowSelect | grid_option::AlwaysShowSelection);
    // dtsPadrao drives the navigator, which walks the list; the header's reactions hang on dtsNotaFiscal.
    dtsPadrao.SetDataSet(&cdsRomaneioNF);
    tshVencimento = &pgcPadrao.Add<TabSheet>("tshVencimento");
    tshVencimento->SetCaption("&Vencimentos");
    dbgContaPagar = Grid(*tshVencimento, "dbgContaPagar", dtsContaPagar, 0, 0, 647, 530);
}

void TfrmLancNFEntrada::BuildHeader(Container& page) {
    panCabecalho = Place<Panel>(page, "panCabecalho", 0, 0, 640, 344);
    Container& h = *panCabecalho;
    dbtNome = Place<DBText>(h, "dbtNome", 4, 2, 632, 13);
    dbtNome->SetDataSource(dtsRomaneioNF);
    dbtNome->SetDataField("CDFILIAL");
    // Company and operation type belong to the list row: the header edits them there.
    AddLabel(h, "lblEmpresa", "Empresa", 4, 18);
    dbeCdEmpresa = BoundEdit(h, "dbeCdEmpresa", dtsRomaneioNF, "CDEMPRESA", 4, 32, 30);
    dbeNmEmpresa = Displayed(BoundEdit(h, "dbeNmEmpresa", dtsRomaneioNF, "NMRAZSOCEMPR", 36, 32, 200));
    AddLabel(h, "lblTipoOper", "Tipo de Operação", 242, 18);
    dbeCdTipoOper = BoundEdit(h, "dbeCdTipoOper", dtsRomaneioNF, "CDTIPOOPER", 242, 32, 30);
    dbeNmTipoOper = Displayed(BoundEdit(h, "dbeNmTipoOper", dtsRomaneioNF, "NMTIPOOPER", 274, 32, 250));
    drgSaidEntr = Place<DBRadioGroup>(h, "drgSaidEntr", 530, 14, 106, 40);
    drgSaidEntr->SetItems({"Entrada", "Saída"});
    drgSaidEntr->SetValues({"E", "S"});
    drgSaidEntr->SetDataSource(dtsNotaFiscal);
    drgSaidEntr->SetDataField("IDENTRSAIDOP");
    drgSaidEntr->SetEnabled(false);

    nbkDestino = Place<Notebook>(h, "nbkDestino", 4, 58, 632, 86);
    auto& pagCliente = nbkDestino->Add<NotebookPage>("pagCliente");
    pagCliente.SetCaption("Cliente");
    grbCliente = Group(pagCliente, "grbCliente", " Cliente ", 0, 0, 632, 86);
    dbeNrInsJurClie = BoundEdit(*grbCliente, "dbeNrInsJurClie", dtsNotaFiscal, "NRINSJURNF", 8, 20, 130);
    auto& pagFornecedor = nbkDestino->Add<NotebookPage>("pagFornecedor");
    pagFornecedor.SetCaption("Fornecedor");
    grbFornecedor = Group(pagFornecedor, "grbFornecedor", "Fornecedor", 0, 0, 632, 86);
    dbeNrInsJurNF = BoundEdit(*grbFornecedor, "dbeNrInsJurNF", dtsNotaFiscal, "NRINSJURNF", 8, 20, 130);
    btpFornecedor = Place<support::TBtnPesquisa>(*grbFornecedor, "btpFornecedor", 140, 20, 21, 21);
    btpFornecedor->SetAssociate(dbeNrInsJurNF);
    btpFornecedor->SetTitle("Fornecedor");
    auto& pagFilial = nbkDestino->Add<NotebookPage>("pagFilial");
    pagFilial.SetCaption("Filial");
    grbFilialEmit = Group(pagFilial, "grbFilialEmit", " Filial Emitente ", 0, 0, 632, 86);
    dbeCdFilial = BoundEdit(*grbFilialEmit, "dbeCdFilial", dtsNotaFiscal, "CDFILIEMIT", 8, 20, 40);
    nbkDestino->SetPageIndex(1);

    grbInscrEstad = Group(h, "grbInscrEstad", "Inscrição Estadual", 4, 146, 310, 50);
    dbeCdInscEsta = BoundEdit(*grbInscrEstad, "dbeCdInscEsta", dtsNotaFiscal, "CDINSCESTA", 8, 20, 130);
    grbDestReme = Group(h, "grbDestReme", "Destinatário/Remetente", 318, 146, 318, 50);
    edtNmDestReme = Place<Edit>(*grbDestReme, "edtNmDestReme", 8, 20, 300, 21);
    edtNmDestReme->SetReadOnly(true);

    auto& doc = *Group(h, "grbDocumento", " Documento ", 4, 198, 632, 144);
    AddLabel(doc, "lblModDocFis", "Modelo", 8, 14);
    dbeModDocFis = BoundEdit(doc, "dbeModDocFis", dtsNotaFiscal, "CDMODDOCFISC", 8, 28, 30);
    dbeNmModDocFis = Displayed(BoundEdit(doc, "dbeNmModDocFis", dtsNotaFiscal, "DSMODDOCFISC", 40, 28, 150));
    AddLabel(doc, "lblSerie", "Série", 196, 14);
    dbeSerie = BoundEdit(doc, "dbeSerie", dtsNotaFiscal, "CDSERIEENTR", 196, 28, 50);
    AddLabel(doc, "lblNumero", "Número", 252, 14);
    dbeNumero = BoundEdit(doc, "dbeNumero", dtsNotaFiscal, "NRNOTAFISC", 252, 28, 80);
    AddLabel(doc, "lblDtEmissao", "Emissão", 338, 14);
    dbdDtEmissao = Place<DBDateEdit>(doc, "dbdDtEmissao", 338, 28, 80, 21);
    dbdDtEmissao->SetDataSource(dtsNotaFiscal);
    dbdDtEmissao->SetDataField("DTEMISSAO");
    AddLabel(doc, "lblDtEntrada", "Entrada", 424, 14);
    dbdEntrSaid = Place<DBDateEdit>(doc, "dbdEntrSaid", 424, 28, 80, 21);
    dbdEntrSaid->SetDataSource(dtsNotaFiscal);
    dbdEntrSaid->SetDataField("DTENTRSAID");

    AddLabel(doc, "lblCFOP", "CFOP", 8, 52);
    dbeCodiCFOp = BoundEdit(doc, "dbeCodiCFOp", dtsNotaFiscal, "CDCFOPINFUSU", 8, 66, 60);
    dbeCodiCFOp->SetTabStop(false);
    dbeDescCFOp = BoundEdit(doc, "dbeDescCFOp", dtsNotaFiscal, "DSCFOPINFUSU", 70, 66, 300);
    dbeDescCFOp->SetTabStop(false);
    ntbChave = Place<Notebook>(doc, "ntbChave", 376, 52, 252, 84);
    auto& pagChave = ntbChave->Add<NotebookPage>("pagChaveNFe");
    pagChave.SetCaption("NF-e");
    AddLabel(pagChave, "lblChaveAcesso", "Chave de Acesso", 0, 0);
    dbeChaveAcesso = BoundEdit(pagChave, "dbeChaveAcesso", dtsNotaFiscal, "NRACESSONFE", 0, 14, 250);
    auto& pagServico = ntbChave->Add<NotebookPage>("pagChaveServico");
    pagServico.SetCaption("Serviço");
    AddLabel(pagServico, "lblChavePServ", "Chave NFS-e", 0, 0);
    dbeChavePServ = BoundEdit(pagServico, "dbeChavePServ", dtsNotaFiscal, "CDCHAVEACESNFPS", 0, 14, 250);
    lblCdServico = AddLabel(pagServico, "lblCdServico", "Código do Serviço", 0, 40);
    dbeCdServico = BoundEdit(pagServico, "dbeCdServico", dtsNotaFiscal, "CDSERVICOPROD", 0, 54, 200);
    btpCodServico = Place<support::TBtnPesquisa>(pagServico, "btpCodServico", 202, 54, 21, 21);
    btpCodServico->SetAssociate(dbeCdServico);
    btpCodServico->SetTitle("Serviços");
    for (Control* c : std::initializer_list<Control*>{lblCdServico, dbeCdServico, btpCodServico})
        c->SetVisible(false);
    ntbChave->SetPageIndex(0);

    grbLocPrestServ = Group(doc, "grbLocPrestServ", " Local da Prestação do Serviço ", 4, 90, 366, 50);
    grbLocPrestServ->SetEnabled(false);
    Container& loc = *grbLocPrestServ;
    dbeEstado = BoundEdit(loc, "dbeEstado", dtsNotaFiscal, "SGESTADO", 8, 20, 30);
    dbeNmEstado = Displayed(BoundEdit(loc, "dbeNmEstado", dtsNotaFiscal, "NMESTADO", 40, 20, 120));
    dbeMunicipio = BoundEdit(loc, "dbeMunicipio", dtsNotaFiscal, "CDMUNICIPIO", 166, 20, 40);
    dbeNMMunicip = Displayed(BoundEdit(loc, "dbeNMMunicip", dtsNotaFiscal, "NMMUNICIPIO", 208, 20, 150));
}

void TfrmLancNFEntrada::BuildOriginPanels(Container& page) {
    panDadosNFRemessa = Place<Panel>(page, "panDadosNFRemessa", 0, 344, 640, 50);
    auto& remessa = *Group(*panDadosNFRemessa, "grbNFRemessa", " Nota Fiscal de Remessa ", 4, 0, 632, 48);
    AddLabel(remessa, "lblForneNFRemessa", "Fornecedor", 8, 22);
    dbeForneNFRemessa =
        BoundEdit(remessa, "dbeForneNFRemessa", dtsNotaFiscal, "NRINSJURFORREME", 70, 18, 130);
    AddLabel(remessa, "lblNumNFRemessa", "Nº da NF", 210, 22);
    dbeNumNFRemessa = BoundEdit(remessa, "dbeNumNFRemessa", dtsNotaFiscal, "NRNFREMESSA", 262, 18, 80);
    panNFOrigem = Place<Panel>(page, "panNFOrigem", 0, 394, 640, 58);
    grbNFOrigem = Group(*panNFOrigem, "grbNFOrigem", "Nota Fiscal de Origem", 4, 0, 632, 56);
    rbtUnica = Place<RadioButton>(*grbNFOrigem, "rbtUnica", 8, 20, 60, 17);
    rbtUnica->SetCaption("Única");
    rbtLista = Place<RadioButton>(*grbNFOrigem, "rbtLista", 8, 36, 60, 17);
    rbtLista->SetCaption("Lista");
    dbeSerieSaida = Place<DBEdit>(*grbNFOrigem, "dbeSerieSaida", 80, 24, 50, 21);
    dbeNumeroSaida = Place<DBEdit>(*grbNFOrigem, "dbeNumeroSaida", 136, 24, 80, 21);
    btpNFSaida = Place<support::TBtnPesquisa>(*grbNFOrigem, "btpNFSaida", 218, 24, 21, 21);
    btpNFSaida->SetTitle("Notas Fiscais de Saída");
    btpLista = Place<SpeedButton>(*grbNFOrigem, "btpLista", 244, 24, 21, 21);
    AddLabel(*grbNFOrigem, "lblSerieSaida", "Série Saída", 80, 10);
    AddLabel(*grbNFOrigem, "lblNumeroSaida", "Nº Saída", 136, 10);
    AddLabel(*grbNFOrigem, "lblCdSerie", "Série", 300, 10);
    dbeCdSerie = BoundEdit(*grbNFOrigem, "dbeCdSerie", dtsItemNotaFisc, "CDSERIEENTR", 300, 24, 50);
    AddLabel(*grbNFOrigem, "lblNrNotaFisc", "Nº da NF", 356, 10);
    dbeNrNotaFisc = BoundEdit(*grbNFOrigem, "dbeNrNotaFisc", dtsItemNotaFisc, "NRNOTAFISC", 356, 24, 80);
    btpNotaFiscOrigem = Place<support::TBtnPesquisa>(*grbNFOrigem, "btpNotaFiscOrigem", 438, 24, 21, 21);
    btpNotaFiscOrigem->SetAssociate(dbeNrNotaFisc);
    btpNotaFiscOrigem->SetTitle("Notas Fiscais de Origem");
}

void TfrmLancNFEntrada::BuildDetailPanels(Container& page) {
    int top = 344;
    auto stacked = [&](const char* name, int height) {
        Panel* panel = Place<Panel>(page, name, 0, top, 640, height);
        panel->SetTag(kMovedWithItems);
        top += height;
        return panel;
    };
    panItemProduto = stacked("panItemProduto", 236);
    grbDadosProd = Group(*panItemProduto, "grbDadosProd", "Dados dos Produtos", 4, 0, 632, 150);
    nbkItensNF = Place<Notebook>(*grbDadosProd, "nbkItensNF", 4, 16, 624, 130);
    const char* itemPages[] = {"Produtos", "Documentos relacionados", "Itens do fornecedor"};
    DataSource* itemSources[] = {dtsItemProduto, dtsItemNotaFisc, dtsItemProduto};
    const char* itemGrids[] = {"dbgItemProduto", "dbgItemNotaFisc", "dbgItemsNFForn"};
    DBGrid** itemTargets[] = {&dbgItemProduto, &dbgItemNotaFisc, &dbgItemsNFForn};
    for (int i = 0; i < 3; ++i) {
        auto& itemPage = nbkItensNF->Add<NotebookPage>(std::string("pagItens") + std::to_string(i));
        itemPage.SetCaption(itemPages[i]);
        *itemTargets[i] = Grid(itemPage, itemGrids[i], itemSources[i], 0, 0, 624, 130);
    }
    grbProdEmiss = Group(*panItemProduto, "grbProdEmiss", "Produto do Emitente", 4, 152, 310, 82);
    dbeCdProdEmiss = BoundEdit(*grbProdEmiss, "dbeCdProdEmiss", dtsItemProduto, "CDPRODEMIS", 8, 20, 120);
    AddLabel(*grbProdEmiss, "lblVrFatConv", "Fator de Conversão", 134, 10);
    dbeVrFatConv =
        Displayed(BoundEdit(*grbProdEmiss, "dbeVrFatConv", dtsItemProduto, "VRFATOCONV", 134, 24, 80));
    dreDsProdEmiss = Place<DBRichEdit>(*grbProdEmiss, "dreDsProdEmiss", 8, 46, 294, 32);
    dreDsProdEmiss->SetDataSource(dtsItemProduto);
    dreDsProdEmiss->SetDataField("DSPRODEMIS");
    grbImposItem = Group(*panItemProduto, "grbImposItem", "Impostos do Item", 318, 152, 318, 82);
    dbgItemProImpos = Grid(*grbImposItem, "dbgItemProImpos", dtsTrabItProImpos, 4, 16, 310, 62);

    panImpostos = stacked("panImpostos", 90);
    grbImposNF = Group(*panImpostos, "grbImposNF", "Impostos da Nota Fiscal", 4, 0, 632, 88);
    dbgImposNFTot = Grid(*grbImposNF, "dbgImposNFTot", dtsTrabImpoNFTot, 4, 16, 624, 68);

    panEncargos = stacked("panEncargos", 90);
    grbItEncargo = Group(*panEncargos, "grbItEncargo", "Encargos", 4, 0, 632, 88);
    dbgItemEncargo = Grid(*grbItEncargo, "dbgItemEncargo", dtsItemEncargo, 4, 16, 624, 68);

    panTransporte = stacked("panTransporte", 120);
    grbTransport =
        Group(*panTransporte, "grbTransport", "Transportadoras/Volumes Transportados", 4, 0, 632, 118);
    nbkTransport = Place<Notebook>(*grbTransport, "nbkTransport", 4, 16, 624, 98);
    auto& pagTransp = nbkTransport->Add<NotebookPage>("pagTransportadora");
    pagTransp.SetCaption("Transportadora");
    BuildTransportPage(pagTransp);
    auto& pagSemNF = nbkTransport->Add<NotebookPage>("pagItemSemNF");
    pagSemNF.SetCaption("Entrada sem Nota Fiscal");
    dbgItemSemNF = Grid(pagSemNF, "dbgItemSemNF", dtsItemNotaFisc, 0, 0, 624, 98);

    Panel* panMensagem = stacked("panMensagem", 90);
    grbMensagem = Group(*panMensagem, "grbMensagem", "Dados Adicionais", 4, 0, 632, 88);
    dbgDadosAdic = Grid(*grbMensagem, "dbgDadosAdic", dtsDadosAdic, 4, 16, 624, 68);

    Panel* panTotal = stacked("panTotal", 60);
    grbTotalNF = Group(*panTotal, "grbTotalNF", "Total da Nota Fiscal", 4, 0, 632, 58);
    AddLabel(*grbTotalNF, "lblVrNotaFisc", "Valor da Nota", 8, 16);
    dbeVrNotaFisc = BoundEdit(*grbTotalNF, "dbeVrNotaFisc", dtsNotaFiscal, "VRNOTAFISC", 8, 30, 110);

    grbNatFreteCTe = Group(page, "grbNatFreteCTe", "Natureza do Frete", 4, top, 632, 50);
    cbbNatFreteCTe =
        BoundList(*grbNatFreteCTe, "cbbNatFreteCTe", dtsNotaFiscal, "IDNATFRETECTE", 8, 20, 616,
                  {"", "0 - Operações de vendas, com ônus suportado pelo estabelecimento vendedor.",
                   "1 - Operações de vendas, com ônus suportado pelo adquirente.",
                   "2 - Operações de compras (bens para revenda, matérias-prima e outros produtos, "
                   "geradores de crédito)."},
                  {"", "0", "1", "2"});
    nbkCte = Place<Notebook>(page, "nbkCte", 4, top, 632, 60);
    BuildCtePages(*nbkCte);
    grbDAE = Group(page, "grbDAE", " Modelo de Documento de Arrecadação ", 4, top, 632, 60);
    AddLabel(*grbDAE, "lblModDocArrec", "Modelo", 8, 16);
    cbbModDocArrec = BoundList(*grbDAE, "cbbModDocArrec", dtsNotaFiscal, "CDMODDOCARREC", 8, 30, 260,
                               {"", "0 - Documento Estadual de Arrecadação", "1 - GNRE"}, {"", "0", "1"});
    AddLabel(*grbDAE, "lblDocArrecad", "Nº Documento", 274, 16);
    dbeDocArrecad = BoundEdit(*grbDAE, "dbeDocArrecad", dtsNotaFiscal, "NRDOCARRECAD", 274, 30, 200);
}

void TfrmLancNFEntrada::BuildTransportPage(Container& t) {
    AddLabel(t, "lblTransp", "Transportadora", 0, 0);
    dbeNrInsJurTran = BoundEdit(t, "dbeNrInsJurTran", dtsNotaFiscal, "NRINSJURTRAN", 0, 14, 120);
    edtNmRazSocTrans = Displayed(Place<Edit>(t, "edtNmRazSocTrans", 122, 14, 200, 21));
    dbeEndeTrans = Displayed(Place<Edit>(t, "dbeEndeTrans", 324, 14, 160, 21));
    dbeMuniTrans = Displayed(Place<Edit>(t, "dbeMuniTrans", 486, 14, 100, 21));
    dbeUFTrans = Displayed(Place<Edit>(t, "dbeUFTrans", 588, 14, 30, 21));
    AddLabel(t, "lblInscEstaTrans", "Insc. Estadual", 0, 38);
    dbeInscEstaTrans = Displayed(Place<Edit>(t, "dbeInscEstaTrans", 0, 52, 100, 21));
    AddLabel(t, "lblFreteConta", "Frete por Conta", 104, 38);
    cbbFreteConta =
        BoundList(t, "cbbFreteConta", dtsNotaFiscal, "IDPGTOFRETE", 104, 52, 150,
                  {"Contratação do Frete por Conta do Remetente (CIF)",
                   "Contratação do Frete por Conta do Destinatário (FOB)",
                   "Contratação do Frete por Conta de Terceiros", "Transporte Próprio por Conta do Remetente",
                   "Transporte Próprio por Conta do Destinatário", "Sem Ocorrência de Transporte"},
                  {"0", "1", "2", "3", "4", "9"});
    AddLabel(t, "lblPlacVeic", "Placa", 258, 38);
    dbeNrPlacVeic = BoundEdit(t, "dbeNrPlacVeic", dtsNotaFiscal, "NRPLACAVEIC", 258, 52, 64);
    AddLabel(t, "lblUFVeic", "UF", 324, 38);
    dbeUFVeic = BoundEdit(t, "dbeUFVeic", dtsNotaFiscal, "SGUFVEIC", 324, 52, 28);
    AddLabel(t, "lblQtVolu", "Quantidade", 356, 38);
    dbeDsQtDevolu = BoundEdit(t, "dbeDsQtDevolu", dtsNotaFiscal, "DSQTDEVOLU", 356, 52, 56);
    AddLabel(t, "lblEspecVolu", "Espécie", 414, 38);
    dbeEspecVolu = BoundEdit(t, "dbeEspecVolu", dtsNotaFiscal, "DSESPECVOLU", 414, 52, 70);
    AddLabel(t, "lblMarcaVolu", "Marca", 486, 38);
    dbeMarcaVolu = BoundEdit(t, "dbeMarcaVolu", dtsNotaFiscal, "DSMARCAVOLU", 486, 52, 132);
    AddLabel(t, "lblNumeVolu", "Numeração", 0, 80);
    dbeNumeVolu = BoundEdit(t, "dbeNumeVolu", dtsNotaFiscal, "DSNUMEVOLU", 62, 76, 100);
    AddLabel(t, "lblPBrutoVolu", "Peso Bruto", 170, 80);
    dbePBrutoVolu = BoundEdit(t, "dbePBrutoVolu", dtsNotaFiscal, "VRPBRUTOVOLU", 230, 76, 80);
    AddLabel(t, "lblPLiquVolu", "Peso Líquido", 318, 80);
    dbePLiquVolu = BoundEdit(t, "dbePLiquVolu", dtsNotaFiscal, "VRPLIQUVOLU", 386, 76, 80);
}

void TfrmLancNFEntrada::BuildCtePages(Notebook& notebook) {
    auto& cte = notebook.Add<NotebookPage>("pagCte");
    cte.SetCaption("Cte");
    auto& ibge = *Group(cte, "grbIbge", " CT-e ", 0, 0, 632, 60);
    AddLabel(ibge, "lblIbgeOrig", "Origem", 8, 16);
    dbeIbgeOrig = BoundEdit(ibge, "dbeIbgeOrig", dtsNotaFiscal, "CDIBGEORIG", 8, 30, 80);
    AddLabel(ibge, "lblIbgeDest", "Destino", 94, 16);
    dbeIbgeDest = BoundEdit(ibge, "dbeIbgeDest", dtsNotaFiscal, "CDIBGEDEST", 94, 30, 80);
    for (DBEdit* e : {dbeIbgeOrig, dbeIbgeDest}) {
        e->SetColor(Color::clInfoBk);
        e->SetMaxLength(7);
    }
    AddLabel(ibge, "lblTipoCte", "Tipo do CT-e", 180, 16);
    cbbTipoCte = BoundList(ibge, "cbbTipoCte", dtsNotaFiscal, "CDTIPOCTE", 180, 30, 250,
                           {"", "0 - CT-e Normal", "1 - CT-e de Complemento de Valores",
                            "2 - CT-e de Anulação de Valores", "3 - CT-e Substituto"},
                           {"", "0", "1", "2", "3"});
    auto& nf3e = notebook.Add<NotebookPage>("pagNF3e");
    nf3e.SetCaption("NF3-e");
    auto& energy = *Group(nf3e, "grbNF3e", " NF3-e ", 0, 0, 632, 60);
    AddLabel(energy, "lblIbgeNF3e", "Destino", 8, 16);
    dbeIbgeNF3e = BoundEdit(energy, "dbeIbgeNF3e", dtsNotaFiscal, "CDIBGEDEST", 8, 30, 80);
    AddLabel(energy, "lblFinEmisDoc", "Fin. Emissão Doc.", 94, 16);
    cbbFinEmisDoc =
        BoundList(energy, "cbbFinEmisDoc", dtsNotaFiscal, "CDFINEMIDOCNF", 94, 30, 180,
                  {"", "1 - Normal", "2 - Substituição", "3 - Normal com Ajuste"}, {"", "1", "2", "3"});
    AddLabel(energy, "lblChaveRef", "Chave Referenciada", 280, 16);
    dbeChaveRef = BoundEdit(energy, "dbeChaveRef", dtsNotaFiscal, "NRACESSONFEREF", 280, 30, 340);
    notebook.SetPageIndex(0);
}

} // namespace dfe::dfe11000
