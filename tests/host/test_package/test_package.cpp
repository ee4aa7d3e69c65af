// A tiny module package for the host's tests: one screen with a branch panel, a required field, a
// question, a modal dialog, a keyboard hook and a call to a package that is not installed.
#include "platform/ui/controls.h"
#include "platform/ui/data_source_component.h"
#include "platform/ui/db_grid.h"

#include "platform/data/dataset.h"
#include "platform/ui/host_services.h"

namespace {

using namespace dfe;

class TelaTeste : public Form {
public:
    explicit TelaTeste(Application& app) : Form(app) {
        SetName("frmTelaTeste");
        SetCaption("Tela de Teste");
        const HostContext& context = HostServices::Current()->Context();
        auto& lbl = Add<Label>("lblOperador");
        lbl.SetCaption(context.operatorCode);
        auto& pan = Add<Panel>("panFilial");
        auto& med = pan.Add<MaskEdit>("medCdFilial");
        med.SetEditMask(">aaaa;0; ");
        med.SetText(context.branch);
        med.OnExit = [&med, &app](Component&) {
            if (med.Text().empty()) {
                app.Dialogs().ShowError(ErrorRequest{"Informe a filial.", {}, "Fili_Obrig"});
                ThrowAbort();
            }
        };
        auto& serie = Add<Edit>("dbeSerie");
        serie.SetColor(Color::clInfoBk);
        auto& excluir = Add<Button>("sbtExcluir");
        excluir.SetCaption("Excluir");
        excluir.OnClick = [&app, &serie](Component&) {
            if (app.Dialogs().Confirm("Confirma a exclusão?", "Excl_Lanc") == mr::Yes) serie.SetText("");
        };
        auto& outro = Add<Button>("sbtOutroModulo");
        outro.OnClick = [](Component&) { HostServices::Current()->LoadPackage("Pkg_ausente"); };
        auto& filtro = Add<Button>("sbtFiltro");
        filtro.OnClick = [&app, &serie](Component&) {
            auto& dlg = app.CreateForm<Form>();
            dlg.SetName("frmFiltro");
            auto& edt = dlg.Add<Edit>("edtSerie");
            auto& ok = dlg.Add<Button>("bbtOK");
            ok.SetModalResult(mr::Ok);
            dlg.OnClose = [](Form&, CloseAction& a) { a = CloseAction::Free; };
            if (dlg.ShowModal() == mr::Ok) serie.SetText(edt.Text());
        };
        itens.CreateDataSet(
            {{"CDPRODUTO", FieldType::String, 10, false}, {"QTDE", FieldType::Integer, 0, false}});
        for (const char* code : {"P1", "P2"}) {
            itens.Append();
            itens.FieldByName("CDPRODUTO").SetAsString(code);
            itens.FieldByName("QTDE").SetAsInteger(1);
            itens.Post();
        }
        auto& dts = Create<DataSourceComponent>("dtsItens");
        dts.Source().SetDataSet(&itens);
        auto& grade = Add<DBGrid>("dbgItens");
        grade.SetDataSource(&dts.Source());
        grade.AddColumn("CDPRODUTO").SetReadOnly(true);
        grade.AddColumn("QTDE");
        // Enter moves on like Tab while this screen is active.
        OnActivate = [&app](Form&) {
            app.SetMsgEventForm([&app](Message& m, bool&) {
                if (m.kind == MessageKind::KeyDown && m.key == key::Enter && !app.IsCtrlDown())
                    m.key = key::Tab;
            });
        };
        OnDeactivate = [&app](Form&) { app.ClearMsgEventForm(); };
        OnClose = [](Form&, CloseAction& action) { action = CloseAction::Free; };
        OnDestroy = [](Form&) { tela = nullptr; };
    }

    DataSet itens{"cdsItens"};
    static inline TelaTeste* tela = nullptr;
};

} // namespace

DFE_DECLARE_PACKAGE()

extern "C" DFE_EXPORT void CriaTelaTeste() {
    Application& app = HostServices::Current()->App();
    if (!TelaTeste::tela) TelaTeste::tela = &app.CreateForm<TelaTeste>();
    TelaTeste::tela->Show();
}
