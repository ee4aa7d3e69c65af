// The state-registration choice: its controls and its creator.
#include "dfe11000/dialogs/frm_insc_esta.h"

#include "dfe11000/dialogs/create_dialog.h"
#include "dfe11000/dialogs/insc_esta_rules.h"

#include "dfe11000/header/header_rules.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/layout_helpers.h"
#include "dfe11000/module/module_helpers.h"
#include "platform/core/abort.h"
#include "platform/core/text.h"
#include "support/show_msg.h"

#include <memory>

namespace dfe::dfe11000 {
namespace {

const std::vector<std::string> kMessages = {
    "Insc_Inf|Inscrição estadual deve ser informada.",
    "Insc_N_cad|Inscrição estadual não cadastrada.",
};

} // namespace

TfrmInscEsta::TfrmInscEsta(Application& app, TfrmLancNFEntrada& posting)
    : TfrmRotiGeral(app), rules_(std::make_unique<InscEstaRules>(*this, posting)) {
    msgPadrao.AddLines(kMessages);
    BuildLayout();
    // The company's own registration at the branch, or one it holds there under contract.
    qryVerifInsc.SetSQL(
        "SELECT E.CDEMPRESA, 'N' AS IDEMPRRELAC, F.CDINSCESTA, F.CDINSCMUNI FROM EMPRESA E, FILIAL F"
        " WHERE E.CDEMPRESA = :P_CDEMPRESA AND E.CDEMPRESA = F.CDEMPRESA AND F.CDFILIAL = :P_CDFILIAL"
        " AND F.CDINSCESTA = :P_CDINSCESTA"
        " UNION ALL"
        " SELECT C.CDEMPRESA, 'S' AS IDEMPRRELAC, C.CDINSCESTA, C.CDINSCMUNI FROM EMPRCNTRFIL C"
        " WHERE C.CDEMPRESA = :P_CDEMPRESA AND C.CDFILIAL = :P_CDFILIAL AND C.CDINSCESTA = :P_CDINSCESTA");
    rules_->Wire();
}

TfrmInscEsta::~TfrmInscEsta() {
    // The controls go while the rules they call are still here.
    DestroyOwnedComponents();
}

void TfrmInscEsta::BuildLayout() {
    SetName("frmInscEsta");
    SetCaption("Inscrição Estadual");
    SetBounds(0, 0, 260, 104);
    SetBorderIcons(border::SystemMenu);
    AddLabel(*this, "lblInscEsta", "Inscrição Estadual", 8, 8, 120);
    edtInscEsta = Place<Edit>(*this, "edtInscEsta", 8, 24, 150, 21);
    edtInscEsta->SetMaxLength(16);
    edtInscEsta->SetTabOrder(0);
    panBotoes.SetBounds(0, 56, 260, 48);
    bbtOK.SetBounds(8, 10, 75, 25);
    bbtCancelar.SetBounds(88, 10, 75, 25);
    lblCodTela.SetBounds(176, 16, 76, 13);
    lblCodTela.SetCaption("DFE11250");
    // Both commands decide how the dialog ends themselves.
    bbtOK.SetModalResult(mr::None);
    bbtCancelar.SetModalResult(mr::None);
}

bool CriaInscEsta(TfrmLancNFEntrada& form, bool importing) {
    const auto dialog = CreateDialog<TfrmInscEsta>(form);
    dialog->Rules().boImporta = importing;
    dialog->ShowModal();
    return dialog->Rules().Confirmed();
}

} // namespace dfe::dfe11000
