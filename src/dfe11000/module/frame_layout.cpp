#include "dfe11000/module/frame_layout.h"

#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/layout_helpers.h"
#include "platform/ui/data_source_component.h"
#include "platform/ui/menu.h"

namespace dfe::dfe11000 {

void BuildBranchPanel(support::TfrmPadrao& form, BranchPanelControls& c, HeaderLookups& lookups) {
    lookups.dtsFiliRece = AddSource(form, "dtsFiliRece", lookups.qryFiliRece);
    c.panFilial = Place<Panel>(form, "panFilial", 0, form.panBotoes.Height(), 663, 30);
    c.panFilial->SetTabStop(true);
    c.lblFilial = AddLabel(*c.panFilial, "lblFilial", "Filial de Origem", 8, 8, 100);
    c.medCdFilial = Place<MaskEdit>(*c.panFilial, "medCdFilial", 112, 4, 40, 21);
    c.medCdFilial->SetEditMask(">aaaa;0; ");
    c.medCdFilial->SetMaxLength(4);
    c.medCdFilial->SetCharCase(CharCase::Upper);
    c.btpFilial = SearchButton(*c.panFilial, "btpFilial", c.medCdFilial, "Filial", 154, 4);
    c.btpFilial->SetEmptyError("Não há filial cadastrada.");
    c.btpFilial->SetDataSource(lookups.dtsFiliRece);
    c.btpFilial->SetFields({"CDFILIAL", "NMFILIAL"});
    c.edtNmFilial = Displayed(Place<Edit>(*c.panFilial, "edtNmFilial", 178, 4, 218, 21));
    // The freight-bill toggle and the outgoing invoice sit beside the branch they act for.
    c.sbtConheTransp = Place<SpeedButton>(*c.panFilial, "sbtConheTransp", 400, 4, 78, 22);
    c.sbtConheTransp->SetCaption("Conhecimento");
    c.sbtConheTransp->SetGroupIndex(1);
    c.sbtConheTransp->SetAllowAllUp(true);
    c.sbtGeraSaida = Place<SpeedButton>(*c.panFilial, "sbtGeraSaida", 480, 4, 76, 22);
    c.sbtGeraSaida->SetCaption("Gerar Saída");
}

void BuildCommands(support::TfrmPadrao& form, CommandControls& c) {
    form.sbtConfirmar.SetCaption("&Fechar NF");
    form.sbtConfirmar.SetHint("Fechar Nota Fiscal");
    form.mnuConfirmar.SetCaption("Fechar &NF");

    MenuItem& file = form.mnuArquivo;
    c.mnuFiltro = &file.AddItem("mnuFiltro", "&Filtrar");
    c.sbtFiltro = &form.AddCommandButton("sbtFiltro", "&Filtrar");
    c.mnuConheTransp = &file.AddItem("mnuConheTransp", "Conhecimento de Transporte");
    c.mnuGeraSaida = &file.AddItem("mnuGeraSaida", "&Gerar NF Saída");

    c.mnuReplicDoc = &file.AddItem("mnuReplicDoc", "&Replicação de Documentos");
    c.sbtReplicDoc = &form.AddCommandButton("sbtReplicDoc", "&Replicar");
    c.sbtReplicDoc->SetHint("Replicar Documento");
    c.pmnReplicDoc = &form.Create<PopupMenu>("pmnReplicDoc");
    c.mnuGerarNFId = &c.pmnReplicDoc->AddItem("mnuGerarNFId", "Replicar Documento");
    c.mnuGerarNF = &c.pmnReplicDoc->AddItem("mnuGerarNF", "Copiar Nota Fiscal");
    c.sbtReplicDoc->SetPopupMenu(c.pmnReplicDoc);

    c.mnuAlmoLocal = &file.AddItem("mnuAlmoLocal", "A&lmoxarifado/Localização");
    c.mnuAlmoLocal->SetShortCut("Ctrl+J");
    c.mnuAlmoLocal->SetEnabled(false);
    c.sbtAlmoLocal = &form.AddCommandButton("sbtAlmoLocal", "Almo&x.");
    c.sbtAlmoLocal->SetHint("Almoxarifado/Localização ");
    c.sbtAlmoLocal->SetEnabled(false);

    c.mnuListagem = &file.AddItem("mnuListagem", "&Listagem");
    c.mnuListagem->AddItem("mnuEspelhoNF", "Espelho de Notas Fiscais de Entrada");
    c.mnuListagem->AddItem("mnuEtiqProd", "Etiqueta de Produtos");
    c.mnuConfigImpressora = &file.AddItem("mnuConfigImpressora", "Configurar &Impressora");
    c.mnuImportaAF = &file.AddItem("mnuImportaAF", "I&mportar AF");
    c.sbtImportaAF = &form.AddCommandButton("sbtImportaAF", "I&mportar AF");
    c.mnuImportaNFe = &file.AddItem("mnuImportaNFe", "Importar N&F-e");
    c.sbtImportaNFe = &form.AddCommandButton("sbtImportaNFe", "Importar N&F-e");
    c.mnuConsisteAF = &file.AddItem("mnuConsisteAF", "Co&nsistir AF");
    c.sbtConsisteAF = &form.AddCommandButton("sbtConsisteAF", "Co&nsistir AF");

    c.mnuRateio = &file.AddItem("mnuRateio", "Manutenção de Ra&teios por Produtos");
    c.mnuRateio->SetShortCut("Ctrl+T");
    c.sbtRateio = &form.AddCommandButton("sbtRateio", "Ra&teios");
    c.sbtRateio->SetHint("Manutenção de Rateios");
    c.pmnRateio = &form.Create<PopupMenu>("pmnRateio");
    c.mnuManuRateProd = &c.pmnRateio->AddItem("mnuManuRateProd", "Manutenção de Ra&teios por Produtos");
    c.mnuManuRateProd->SetShortCut("Ctrl+T");
    c.mnuContRatePaga = &c.pmnRateio->AddItem("mnuContRatePaga", "Controle de Rateio das Contas a &Pagar");
    c.mnuContRatePaga->SetShortCut("Ctrl+P");
    c.sbtRateio->SetPopupMenu(c.pmnRateio);
    c.pmnBloqueiaCopy = &form.Create<PopupMenu>("pmnBloqueiaCopy");

    c.mnuNFProdRural = &file.AddItem("mnuNFProdRural", "Nota Fiscal Referenciada de Produtor Rural");
    c.sbtNFProdRural = &form.AddCommandButton("sbtNFProdRural", "Prod. Rural");
    c.mnuErros = &file.AddItem("mnuErros", "&Visualizar Erros");
    c.sbtErros = &form.AddCommandButton("sbtErros", "&Visualizar Erros");
    c.sbtErros->SetHint("Visualizar Erros");
    c.mnuErros->SetEnabled(false);
    c.sbtErros->SetEnabled(false);
    c.mnuErrosLanc = &file.AddItem("mnuErrosLanc", "Erros no Fechamento");
    c.mnuErrosItem = &file.AddItem("mnuErrosItem", "Erros no Item");

    MenuItem& view = file.AddItem("mnuExibir", "E&xibir");
    c.mnuFolhaDados = &view.AddItem("mnuFolhaDados", "R&omaneio");
    c.mnuFormulario = &view.AddItem("mnuFormulario", "&Nota Fiscal");
    c.mnuVencimentos = &view.AddItem("mnuVencimentos", "&Vencimento");
}

void BuildPages(support::TfrmPadrao& form, PageControls& c, PostingDataSets& data) {
    // Below the branch panel, down to where a bar of one row would have left it.
    const int top = form.panBotoes.Height() + 30;
    form.pgcPadrao.SetBounds(0, top, 655, 634 - top);
    // The pages fill the page control below its tabs.
    const int pageHeight = form.pgcPadrao.Height() - 30;
    c.dbgPadrao = BoundGrid(form.tshFolhaDados, "dbgPadrao", data.dtsRomaneioNF, 0, 0, 647, pageHeight);
    c.dbgPadrao->SetOptions(grid_option::Titles | grid_option::ColLines | grid_option::RowLines |
                            grid_option::RowSelect | grid_option::AlwaysShowSelection);
    // dtsPadrao drives the navigator, which walks the list; the header's reactions hang on dtsNotaFiscal.
    form.dtsPadrao.SetDataSet(&data.cdsRomaneioNF);
    c.tshVencimento = &form.pgcPadrao.Add<TabSheet>("tshVencimento");
    c.tshVencimento->SetCaption("&Vencimento");
    c.dbgContaPagar = BoundGrid(*c.tshVencimento, "dbgContaPagar", data.dtsContaPagar, 0, 0, 647, pageHeight);
    c.scbFormulario = Place<ScrollBox>(form.tshFormulario, "scbFormulario", 0, 0, 647, pageHeight);
}

} // namespace dfe::dfe11000
