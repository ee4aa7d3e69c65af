#include "support/conf_senha.h"

#include "platform/ui/placement.h"
#include "support/current_dialogs.h"
#include "support/zymora.h"

namespace dfe::support {

TfrmConfSenha::TfrmConfSenha(Application& app, const std::string& branch, const std::string& posting,
                             ReleaseCheck check)
    : Form(app), check_(std::move(check)) {
    SetName("frmConfSenha");
    SetCaption("Liberação por Operador Autorizado");
    SetBounds(300, 240, 300, 150);
    SetBorderIcons(border::SystemMenu);
    lblLancamento = Place<Label>(*this, "lblLancamento", 8, 8, 284, 13);
    lblLancamento->SetCaption("Filial " + branch + (posting.empty() ? "" : " - Lançamento " + posting));
    Place<Label>(*this, "lblOperador", 8, 34, 80, 13)->SetCaption("Operador");
    edtOperador = Place<Edit>(*this, "edtOperador", 96, 30, 120, 21);
    edtOperador->SetCharCase(CharCase::Upper);
    edtOperador->SetText(zymora::Operador());
    Place<Label>(*this, "lblSenha", 8, 62, 80, 13)->SetCaption("Senha");
    edtSenha = Place<Edit>(*this, "edtSenha", 96, 58, 120, 21);
    edtSenha->SetPasswordChar(U'*');
    btnConfirmar = Place<Button>(*this, "btnConfirmar", 96, 100, 90, 25);
    btnConfirmar->SetCaption("Confirmar");
    btnConfirmar->OnClick = [this](Component&) { Confirm(); };
    btnCancelar = Place<Button>(*this, "btnCancelar", 196, 100, 90, 25);
    btnCancelar->SetCaption("Cancelar");
    btnCancelar->SetModalResult(mr::Cancel);
    // Enter in the password confirms, as the button does.
    edtSenha->OnKeyDown = [this](Component&, int& key, ShiftState) {
        if (key != 13) return;
        key = 0;
        Confirm();
    };
    OnShow = [this](Form&) {
        if (edtSenha->CanFocus()) edtSenha->SetFocus();
    };
}

TfrmConfSenha::~TfrmConfSenha() {
    // The controls go while the check their events call is still here.
    DestroyOwnedComponents();
}

void TfrmConfSenha::Confirm() {
    const ReleaseVerdict verdict = check_(edtOperador->Text(), edtSenha->Text());
    if (verdict.released) {
        SetModalResult(mr::Ok);
        return;
    }
    // Another try starts from an empty password.
    edtSenha->SetText({});
    CurrentDialogs().ShowError(ErrorRequest{verdict.message, {}, "Senha_Lib"});
    if (edtSenha->CanFocus()) edtSenha->SetFocus();
}

bool CriaConf_Senha(const std::string& branch, const std::string& posting, const ReleaseCheck& check) {
    TfrmConfSenha dialog(CurrentApp(), branch, posting, check);
    return dialog.ShowModal() == mr::Ok;
}

} // namespace dfe::support
