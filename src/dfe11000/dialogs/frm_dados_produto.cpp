// The product data dialog of the outsourcing entry: its controls, dataset, lookups and creator.
#include "dfe11000/dialogs/frm_dados_produto.h"

#include "dfe11000/dialogs/create_dialog.h"
#include "dfe11000/dialogs/dados_produto_rules.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/layout_helpers.h"
#include "support/zymora.h"

#include <stdexcept>

namespace dfe::dfe11000 {
namespace {

const std::vector<std::string> kMessages = {
    "Produto|Produto",
    "Prod_NCad|Não há produto cadastrado.",
    "Prod_inf|Produto deve ser informado.",
    "Prod_Nao_Cad|Produto não cadastrado.",
    "Quant_Inf|Quantidade do produto deve ser informada.",
    "Quant_Inv|Quantidade do produto inválida.",
    "GerandoEntrada|Gerando entrada no estoque...",
    "NF_Sucess|Entrada gerada com sucesso.",
    "IrreEsto|Operação não realizada. Verifique o estoque dos produtos.",
    "ErroAvis|Operação não realizada. Nota fiscal possui erros e avisos.",
    "Serie_NCad|Operação não realizada. Não há série padrão relacionada a filial.",
};

} // namespace

TfrmDadosProduto::TfrmDadosProduto(Application& app, TfrmLancNFEntrada& posting)
    : TfrmRotiGeral(app), rules_(std::make_unique<DadosProdutoRules>(*this, posting)) {
    msgPadrao.AddLines(kMessages);
    qryProduto.SetSQL("SELECT CDPRODUTO, CDNVPRODUTO, NMPRODUTO, CDARVPROD FROM PRODUTO"
                      " WHERE (CDNVPRODUTO = :P_TTNIVEL) ORDER BY CDARVPROD");
    qryVdProduto.SetSQL("SELECT CDPRODUTO, CDNVPRODUTO, NMPRODUTO, CDARVPROD FROM PRODUTO"
                        " WHERE (CDARVPROD = :P_CDARVPROD) AND (CDNVPRODUTO = :P_TTNIVEL)");
    const auto str = [](const char* name, int size) {
        return FieldDef{name, FieldType::String, size, false};
    };
    cdsDadosProduto.CreateDataSet({str("CDARVPROD", 20), str("NMPRODUTO", 50),
                                   FieldDef{"QTITEMPROD", FieldType::Float}, str("CDPRODUTO", 10),
                                   str("CDALMOXARIFE", 6), str("CDLOCALESTOQ", 6), str("NRLOTEESTQ", 20),
                                   str("NRSUBLOTE", 4), str("CDFILIMOVI", 4)});
    cdsDadosProduto.FieldByName("CDARVPROD").SetEditMask(support::zymora::DBPict());
    cdsDadosProduto.FieldByName("QTITEMPROD").SetDisplayFormat("#####0.000");
    BuildLayout();
    rules_->Wire();
}

TfrmDadosProduto::~TfrmDadosProduto() {
    // The controls go while the rules they call are still here.
    DestroyOwnedComponents();
}

void TfrmDadosProduto::BuildLayout() {
    SetName("frmDadosProduto");
    SetCaption("Dados dos Produtos");
    SetBounds(0, 0, 520, 330);
    SetBorderIcons(border::SystemMenu);
    dbgDadosProduto = BoundGrid(*this, "dbgDadosProduto", &dtsDadosProduto, 8, 8, 504, 266);
    dbgDadosProduto->SetOptions(grid_option::Editing | grid_option::Titles | grid_option::ColLines |
                                grid_option::RowLines | grid_option::Tabs | grid_option::CancelOnExit |
                                grid_option::AlwaysShowSelection);
    GridColumn& code = dbgDadosProduto->AddColumn("CDARVPROD", "Código");
    code.SetButtonStyle(ColumnButton::Ellipsis);
    code.SetWidth(110);
    GridColumn& name = dbgDadosProduto->AddColumn("NMPRODUTO", "Nome");
    name.SetReadOnly(true);
    name.SetWidth(280);
    dbgDadosProduto->AddColumn("QTITEMPROD", "Quantidade").SetWidth(90);

    panBotoes.SetBounds(0, 282, 520, 48);
    bbtOK.SetBounds(8, 8, 75, 25);
    bbtCancelar.SetBounds(88, 8, 75, 25);
    lblCodTela.SetBounds(436, 14, 76, 13);
    lblCodTela.SetCaption("DFE11290");
    // The confirmation decides itself whether the dialog ends.
    bbtOK.SetModalResult(mr::None);
}

bool CriaDadosProduto(TfrmLancNFEntrada& form, const OutsourcingEntry& entry) {
    if (!entry.cdsNFsMarcadas || !entry.cdsNFsMarcadas->Active() || !entry.netGeraMoviEstTer ||
        !entry.netEstoque)
        throw std::logic_error("CriaDadosProduto: sem as notas marcadas ou as conexões da terceirização");
    const auto dialog = CreateDialog<TfrmDadosProduto>(form);
    dialog->Rules().Prepare(entry);
    dialog->ShowModal();
    return dialog->Rules().boGerado;
}

} // namespace dfe::dfe11000
