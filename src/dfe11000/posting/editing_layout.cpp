// The commands of the editing lifecycle that the screen's other parts do not create.
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/posting/editing_helpers.h"

#include <initializer_list>

namespace dfe::dfe11000 {
namespace {

SpeedButton* Command(Container& bar, const char* name, const char* caption, int left) {
    SpeedButton& button = bar.Add<SpeedButton>(name);
    button.SetBounds(left, 2, 46, 40);
    button.SetCaption(caption);
    return &button;
}

} // namespace

void TfrmLancNFEntrada::BuildEditingCommands() {
    mnuListagem = &mnuArquivo.AddItem("mnuListagem", "&Listagem");
    mnuListagem->AddItem("mnuEspelhoNF", "Espelho de Notas Fiscais de Entrada");
    mnuListagem->AddItem("mnuEtiqProd", "Etiqueta de Produtos");
    mnuConfigImpressora = &mnuArquivo.AddItem("mnuConfigImpressora", "Configurar &Impressora");
    mnuImportaAF = &mnuArquivo.AddItem("mnuImportaAF", "I&mportar AF");
    sbtImportaAF = Command(panBotoes, "sbtImportaAF", "I&mportar AF", 508);
    mnuImportaNFe = &mnuArquivo.AddItem("mnuImportaNFe", "Importar N&F-e");
    sbtImportaNFe = Command(panBotoes, "sbtImportaNFe", "Importar N&F-e", 554);
    mnuConsisteAF = &mnuArquivo.AddItem("mnuConsisteAF", "Co&nsistir AF");
    sbtConsisteAF = Command(panBotoes, "sbtConsisteAF", "Co&nsistir AF", 600);
    mnuGerarNFId = &mnuReplicDoc->AddItem("mnuGerarNFId", "Gerar NF Idêntica");
    mnuGerarNF = &mnuReplicDoc->AddItem("mnuGerarNF", "Gerar NF");
    mnuRateio = &mnuArquivo.AddItem("mnuRateio", "Manutenção de Ra&teios por Produtos");
    sbtRateio = Command(panBotoes, "sbtRateio", "Ra&teios", 646);
    mnuManuRateProd = &mnuRateio->AddItem("mnuManuRateProd", "Manutenção de Rateios por Produtos");
    mnuContRatePaga = &mnuRateio->AddItem("mnuContRatePaga", "Contas a Pagar");
    mnuNFProdRural = &mnuArquivo.AddItem("mnuNFProdRural", "Nota Fiscal Referenciada de Produtor Rural");
    sbtNFProdRural = Command(panBotoes, "sbtNFProdRural", "Prod. Rural", 692);
    mnuErros = &mnuArquivo.AddItem("mnuErros", "&Visualizar Erros");
    sbtErros = Command(panBotoes, "sbtErros", "&Visualizar Erros", 738);
    mnuErros->SetEnabled(false);
    sbtErros->SetEnabled(false);
    btnAtuQtdDev = &grbDadosProd->Add<Button>("btnAtuQtdDev");
    btnAtuQtdDev->SetBounds(4, 4, 120, 21);
    btnAtuQtdDev->SetCaption("Atualizar Qtd. Devolvida");
    // Cancel looks at this tag to cancel only the item being typed.
    for (Control* itemControl : std::initializer_list<Control*>{dbgItemProduto, dbgItemsNFForn,
                                                                dbeCdProdEmiss, dreDsProdEmiss, dbeVrFatConv})
        itemControl->SetTag(kItemControlTag);
}

} // namespace dfe::dfe11000
