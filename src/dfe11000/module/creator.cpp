#include "dfe11000/module/creator.h"

#include "dfe11000/dialogs/frm_filtro_nf_entrada.h"
#include "dfe11000/module/branch_panel.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/pending.h"
#include "dfe11000/posting/posting_editor.h"
#include "dfe11000/server/module_parameters.h"
#include "support/current_dialogs.h"
#include "support/zymora.h"

namespace dfe::dfe11000 {

TfrmLancNFEntrada& ShowPostingForm() {
    Application& app = support::CurrentApp();
    ModuleState& state = Cli_dfe11000();
    TfrmLancNFEntrada* form = nullptr;
    {
        CursorScope hourglass(app, Cursor::HourGlass);
        if (!state.boIdCriado || !state.frmLancNFEntrada) {
            form = &app.CreateForm<TfrmLancNFEntrada>();
            state.frmLancNFEntrada = form;
            state.boIdCriado = true;
        }
        form = state.frmLancNFEntrada;
        form->Show();
        if (app.ScreenWidth() == 640 && app.ScreenHeight() == 480) {
            form->SetBorderIcons(border::SystemMenu | border::Minimize | border::Maximize);
            form->SetWindowState(WindowState::Maximized);
        } else if (Form* main = app.MainForm(); main && main != form) {
            form->SetHeight(main->Height() - 107);
        }
    }
    if (support::zymora::ModuFili() && !form->data.dtsRomaneioNF->Enabled()) {
        form->Parameters().GetParamDFE(form->ui.medCdFilial->Text());
        if (!CriaFiltroNFEntrada(*form)) {
            form->Close();
            return *form;
        }
        if (form->Branch().boIncluiAposFiltro) form->Editing().Include();
    }
    return *form;
}

} // namespace dfe::dfe11000
