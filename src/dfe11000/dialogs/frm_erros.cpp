// The closing-error dialog: its list, its buttons and its creator.
#include "dfe11000/dialogs/frm_erros.h"

#include "dfe11000/dialogs/create_dialog.h"
#include "dfe11000/dialogs/erros_rules.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/layout_helpers.h"

namespace dfe::dfe11000 {

TfrmErros::TfrmErros(Application& app, TfrmLancNFEntrada& posting)
    : TfrmRotiGeral(app), rules_(std::make_unique<ErrosRules>(*this, posting)) {
    BuildLayout(posting);
    rules_->Wire();
}

TfrmErros::~TfrmErros() {
    DestroyOwnedComponents();
}

void TfrmErros::BuildLayout(TfrmLancNFEntrada& posting) {
    SetName("frmErros");
    SetCaption("Erros no Fechamento da Nota Fiscal");
    SetBounds(0, 0, 760, 330);
    SetBorderIcons(border::SystemMenu);
    dbgErros = BoundGrid(*this, "dbgErros", posting.data.dtsErrosVisual, 8, 8, 744, 266);
    dbgErros->SetOptions(grid_option::ColLines | grid_option::RowLines | grid_option::RowSelect |
                         grid_option::AlwaysShowSelection);
    dbgErros->SetReadOnly(true);
    dbgErros->AddColumn("DSERRO", "");
    dbgErros->Column(0).SetWidth(720);

    panBotoes.SetBounds(0, 282, 760, 48);
    bbtOK.SetCaption("&Fechar NF");
    bbtDevolucao = &panBotoes.Add<Button>("bbtDevolucao");
    bbtDevolucao->SetCaption("&Devolução");
    sbtBaixaTotalAF = &panBotoes.Add<SpeedButton>("sbtBaixaTotalAF");
    sbtBaixaTotalAF->SetCaption("&Baixa Total ");
    bbtConsistirAF = &panBotoes.Add<Button>("bbtConsistirAF");
    bbtConsistirAF->SetCaption("&Consistir AF");
    bbtVisualiza = &panBotoes.Add<Button>("bbtVisualiza");
    bbtVisualiza->SetCaption("&Visualizar");
    Control* const row[] = {&bbtOK,         bbtDevolucao, sbtBaixaTotalAF,
                            bbtConsistirAF, bbtVisualiza, &bbtCancelar};
    int left = 8;
    for (Control* c : row) {
        c->SetBounds(left, 10, 80, 25);
        left += 84;
    }
    lblCodTela.SetBounds(680, 16, 72, 13);
    lblCodTela.SetCaption("Dfe11100");
    // Every button decides how the dialog ends itself.
    bbtOK.SetModalResult(mr::None);
    bbtCancelar.SetModalResult(mr::None);
}

std::string CriaErros(TfrmLancNFEntrada& form) {
    const auto dialog = CreateDialog<TfrmErros>(form);
    dialog->Rules().SetButtons();
    dialog->ShowModal();
    return dialog->Rules().chResult;
}

} // namespace dfe::dfe11000
