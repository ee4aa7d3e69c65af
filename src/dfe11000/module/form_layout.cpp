// The controls of the posting form as designed (663 by 667): the branch panel on top, the list page, the
// record page with the header, the origin panels and the detail panels, and the installments page.
#include "dfe11000/module/frm_lanc_nf_entrada.h"

namespace dfe::dfe11000 {
namespace {

// Panels below the header that AjustaPanels moves together.
constexpr int kMovedWithItems = 4;

template <class T> T* Place(Container& parent, const char* name, int left, int top, int width, int height) {
    T& control = parent.Add<T>(name);
    control.SetBounds(left, top, width, height);
    return &control;
}

GroupBox* Group(Container& parent, const char* name, const char* caption, int left, int top, int width,
                int height) {
    GroupBox* group = Place<GroupBox>(parent, name, left, top, width, height);
    group->SetCaption(caption);
    return group;
}

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
    dtsImposNFTot = AddSource("dtsImposNFTot", cdsTrabImposNFTot);
    dtsItemProImpos = AddSource("dtsItemProImpos", cdsTrabItProImpos);
    dtsItemSemNF = AddSource("dtsItemSemNF", cdsItemSemNF);
    dtsItemsNFForn = AddSource("dtsItemsNFForn", cdsItemsNFForn);
    dtsFiliRece = AddSource("dtsFiliRece", qryFiliRece);
    dtsPadrao.SetDataSet(&cdsNotaFiscal);

    BuildBranchPanel();
    BuildListPages();
    scbFormulario = Place<ScrollBox>(tshFormulario, "scbFormulario", 0, 0, 647, 520);
    BuildHeader(*scbFormulario);
    BuildOriginPanels(*scbFormulario);
    BuildDetailPanels(*scbFormulario);
    WireBranchPanel();
    DeclareLookups();
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
    dtsPadrao.SetDataSet(&cdsRomaneioNF);
    tshVencimento = &pgcPadrao.Add<TabSheet>("tshVencimento");
    tshVencimento->SetCaption("&Vencimentos");
    dbgContaPagar = Grid(*tshVencimento, "dbgContaPagar", dtsContaPagar, 0, 0, 647, 530);
}

void TfrmLancNFEntrada::BuildHeader(Container& page) {
    panCabecalho = Place<Panel>(page, "panCabecalho", 0, 0, 640, 344);
    Container& h = *panCabecalho;
    AddLabel(h, "lblEmpresa", "Empresa", 4, 4);
    dbeCdEmpresa = BoundEdit(h, "dbeCdEmpresa", dtsNotaFiscal, "CDEMPRESA", 4, 18, 30);
    AddLabel(h, "lblTipoOper", "Tipo de Operação", 60, 4);
    dbeCdTipoOper = BoundEdit(h, "dbeCdTipoOper", dtsNotaFiscal, "CDTIPOOPER", 60, 18, 30);

    nbkDestino = Place<Notebook>(h, "nbkDestino", 4, 44, 632, 96);
    auto& pagCliente = nbkDestino->Add<NotebookPage>("pagCliente");
    pagCliente.SetCaption("Cliente");
    grbCliente = Group(pagCliente, "grbCliente", " Cliente ", 0, 0, 632, 96);
    dbeNrInsJurClie = BoundEdit(*grbCliente, "dbeNrInsJurClie", dtsNotaFiscal, "NRINSJURCLIE", 8, 20, 130);
    auto& pagFornecedor = nbkDestino->Add<NotebookPage>("pagFornecedor");
    pagFornecedor.SetCaption("Fornecedor");
    grbFornecedor = Group(pagFornecedor, "grbFornecedor", "Fornecedor", 0, 0, 632, 96);
    dbeNrInsJurNF = BoundEdit(*grbFornecedor, "dbeNrInsJurNF", dtsNotaFiscal, "NRINSJURFORN", 8, 20, 130);
    btpFornecedor = Place<support::TBtnPesquisa>(*grbFornecedor, "btpFornecedor", 140, 20, 21, 21);
    btpFornecedor->SetAssociate(dbeNrInsJurNF);
    btpFornecedor->SetTitle("Fornecedor");
    auto& pagFilial = nbkDestino->Add<NotebookPage>("pagFilial");
    pagFilial.SetCaption("Filial");
    grbFilialEmit = Group(pagFilial, "grbFilialEmit", " Filial Emitente ", 0, 0, 632, 96);
    dbeCdFilial = BoundEdit(*grbFilialEmit, "dbeCdFilial", dtsNotaFiscal, "CDFILIEMIT", 8, 20, 40);
    nbkDestino->SetPageIndex(1);

    grbInscrEstad = Group(h, "grbInscrEstad", "Inscrição Estadual", 4, 142, 310, 60);
    dbeCdInscEstad = BoundEdit(*grbInscrEstad, "dbeCdInscEstad", dtsNotaFiscal, "CDINSCESTA", 8, 24, 130);
    grbDestReme = Group(h, "grbDestReme", "Destinatário/Remetente", 318, 142, 318, 60);
    edtNmDestReme = Place<Edit>(*grbDestReme, "edtNmDestReme", 8, 24, 300, 21);
    edtNmDestReme->SetReadOnly(true);

    auto& grbDocumento = *Group(h, "grbDocumento", " Documento ", 4, 206, 632, 134);
    AddLabel(grbDocumento, "lblModDocFis", "Modelo", 8, 16);
    dbeModDocFis = BoundEdit(grbDocumento, "dbeModDocFis", dtsNotaFiscal, "CDMODDOCFISC", 8, 30, 30);
    AddLabel(grbDocumento, "lblSerie", "Série", 44, 16);
    dbeSerie = BoundEdit(grbDocumento, "dbeSerie", dtsNotaFiscal, "CDSERIENF", 44, 30, 50);
    AddLabel(grbDocumento, "lblCdSerie", "Série Entrada", 100, 16);
    dbeCdSerie = BoundEdit(grbDocumento, "dbeCdSerie", dtsNotaFiscal, "CDSERIEENTR", 100, 30, 50);
    AddLabel(grbDocumento, "lblNumero", "Número", 156, 16);
    dbeNumero = BoundEdit(grbDocumento, "dbeNumero", dtsNotaFiscal, "NRNOTAFISC", 156, 30, 80);
    AddLabel(grbDocumento, "lblNrNotaFisc", "Nº Entrada", 242, 16);
    dbeNrNotaFisc = BoundEdit(grbDocumento, "dbeNrNotaFisc", dtsNotaFiscal, "NRNOTAFISCENTR", 242, 30, 80);
    AddLabel(grbDocumento, "lblDtEmissao", "Emissão", 328, 16);
    dbdDtEmissao = Place<DBDateEdit>(grbDocumento, "dbdDtEmissao", 328, 30, 80, 21);
    dbdDtEmissao->SetDataSource(dtsNotaFiscal);
    dbdDtEmissao->SetDataField("DTEMISSAO");
    AddLabel(grbDocumento, "lblDtEntrada", "Entrada", 414, 16);
    dbdDtEntrada = Place<DBDateEdit>(grbDocumento, "dbdDtEntrada", 414, 30, 80, 21);
    dbdDtEntrada->SetDataSource(dtsNotaFiscal);
    dbdDtEntrada->SetDataField("DTENTRSAID");
    AddLabel(grbDocumento, "lblCFOP", "CFOP", 8, 60);
    dbeCodiCFOp = BoundEdit(grbDocumento, "dbeCodiCFOp", dtsNotaFiscal, "CDCFOPUSU", 8, 74, 50);
    dbeDescCFOp = BoundEdit(grbDocumento, "dbeDescCFOp", dtsNotaFiscal, "DSCFOP", 64, 74, 430);
}

void TfrmLancNFEntrada::BuildOriginPanels(Container& page) {
    panDadosNFRemessa = Place<Panel>(page, "panDadosNFRemessa", 0, 344, 640, 50);
    Group(*panDadosNFRemessa, "grbNFRemessa", " Nota Fiscal de Remessa ", 4, 0, 632, 48);
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
    DataSource* itemSources[] = {dtsItemProduto, dtsItemNotaFisc, dtsItemsNFForn};
    const char* itemGrids[] = {"dbgItemProduto", "dbgItemNotaFisc", "dbgItemsNFForn"};
    DBGrid** itemTargets[] = {&dbgItemProduto, &dbgItemNotaFisc, &dbgItemsNFForn};
    for (int i = 0; i < 3; ++i) {
        auto& itemPage = nbkItensNF->Add<NotebookPage>(std::string("pagItens") + std::to_string(i));
        itemPage.SetCaption(itemPages[i]);
        *itemTargets[i] = Grid(itemPage, itemGrids[i], itemSources[i], 0, 0, 624, 130);
    }
    grbProdEmiss = Group(*panItemProduto, "grbProdEmiss", "Produto do Emitente", 4, 152, 310, 82);
    dbeCdProdEmiss = BoundEdit(*grbProdEmiss, "dbeCdProdEmiss", dtsItemProduto, "CDPRODEMISS", 8, 20, 120);
    grbImposItem = Group(*panItemProduto, "grbImposItem", "Impostos do Item", 318, 152, 318, 82);
    dbgItemProImpos = Grid(*grbImposItem, "dbgItemProImpos", dtsItemProImpos, 4, 16, 310, 62);

    panImpostos = stacked("panImpostos", 90);
    grbImposNF = Group(*panImpostos, "grbImposNF", "Impostos da Nota Fiscal", 4, 0, 632, 88);
    dbgImposNFTot = Grid(*grbImposNF, "dbgImposNFTot", dtsImposNFTot, 4, 16, 624, 68);

    panEncargos = stacked("panEncargos", 90);
    grbItEncargo = Group(*panEncargos, "grbItEncargo", "Encargos", 4, 0, 632, 88);
    dbgItemEncargo = Grid(*grbItEncargo, "dbgItemEncargo", dtsItemEncargo, 4, 16, 624, 68);

    panTransporte = stacked("panTransporte", 120);
    grbTransport =
        Group(*panTransporte, "grbTransport", "Transportadoras/Volumes Transportados", 4, 0, 632, 118);
    nbkTransport = Place<Notebook>(*grbTransport, "nbkTransport", 4, 16, 624, 98);
    auto& pagTransp = nbkTransport->Add<NotebookPage>("pagTransportadora");
    pagTransp.SetCaption("Transportadora");
    auto& pagSemNF = nbkTransport->Add<NotebookPage>("pagItemSemNF");
    pagSemNF.SetCaption("Entrada sem Nota Fiscal");
    dbgItemSemNF = Grid(pagSemNF, "dbgItemSemNF", dtsItemSemNF, 0, 0, 624, 98);

    Panel* panMensagem = stacked("panMensagem", 90);
    grbMensagem = Group(*panMensagem, "grbMensagem", "Dados Adicionais", 4, 0, 632, 88);
    dbgDadosAdic = Grid(*grbMensagem, "dbgDadosAdic", dtsDadosAdic, 4, 16, 624, 68);

    Panel* panTotal = stacked("panTotal", 60);
    grbTotalNF = Group(*panTotal, "grbTotalNF", "Total da Nota Fiscal", 4, 0, 632, 58);
    AddLabel(*grbTotalNF, "lblVrNotaFisc", "Valor da Nota", 8, 16);
    dbeVrNotaFisc = BoundEdit(*grbTotalNF, "dbeVrNotaFisc", dtsNotaFiscal, "VRNOTAFISC", 8, 30, 110);

    grbNatFreteCTe = Group(page, "grbNatFreteCTe", "Natureza do Frete", 4, top, 632, 50);
    nbkCte = Place<Notebook>(page, "nbkCte", 4, top, 632, 60);
    nbkCte->Add<NotebookPage>("pagCteVazio").SetCaption("Sem CT-e");
    grbDAE = Group(page, "grbDAE", "DAE", 4, top, 632, 60);
}

} // namespace dfe::dfe11000
