// The header panel's controls and the wiring of the company, branch and operation-type rules.
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "platform/ui/placement.h"

namespace dfe::dfe11000 {
namespace {

// Moves a control built on the header into the panel, keeping its place on the screen.
void MoveInto(Panel& panel, Control& control, int left, int width) {
    const int top = control.Top() - panel.Top();
    control.SetParent(&panel);
    control.SetBounds(left, top, width, control.Height());
}

support::TBtnPesquisa* SearchButton(Container& parent, const char* name, Control* edit, const char* title,
                                    int left, int top) {
    auto* button = Place<support::TBtnPesquisa>(parent, name, left, top, 21, 21);
    button->SetAssociate(edit);
    button->SetTitle(title);
    return button;
}

} // namespace

void TfrmLancNFEntrada::BuildHeaderPanel() {
    dtsEmpresa = AddSource("dtsEmpresa", qryEmpresa);
    dtsTipoOperac = AddSource("dtsTipoOperac", qryTipoOperac);
    pan = Place<Panel>(*panCabecalho, "pan", 0, 14, 528, 42);
    pan->SetTabOrder(0);
    lblEmpresa = Find<Label>("lblEmpresa");
    lblTipoOper = Find<Label>("lblTipoOper");
    MoveInto(*pan, *lblEmpresa, 4, 100);
    MoveInto(*pan, *dbeCdEmpresa, 4, 30);
    btpEmpresa = SearchButton(*pan, "btpEmpresa", dbeCdEmpresa, "Empresa", 36, 18);
    btpEmpresa->SetDataSource(dtsEmpresa);
    btpEmpresa->SetFields({"CDEMPRESA", "NMRAZSOCEMPR"});
    btpEmpresa->SetEmptyError("Não há empresa cadastrada.");
    MoveInto(*pan, *dbeNmEmpresa, 59, 177);
    MoveInto(*pan, *lblTipoOper, 242, 100);
    MoveInto(*pan, *dbeCdTipoOper, 242, 30);
    btpTipoOper = SearchButton(*pan, "btpTipoOper", dbeCdTipoOper, "Tipo de Operação", 274, 18);
    btpTipoOper->SetDataSource(dtsTipoOperac);
    btpTipoOper->SetFields({"CDTIPOOPER", "NMTIPOOPER"});
    btpTipoOper->SetEmptyError("Não há tipo de operação cadastrado.");
    MoveInto(*pan, *dbeNmTipoOper, 297, 227);

    dbeNmEstado->SetBounds(61, dbeNmEstado->Top(), 100, dbeNmEstado->Height());
    btpEstadoOrig = SearchButton(*grbLocPrestServ, "btpEstadoOrig", dbeEstado, "Estado", 40, 20);
    dbeNMMunicip->SetBounds(231, dbeNMMunicip->Top(), 127, dbeNMMunicip->Height());
    btpMunicipio = SearchButton(*grbLocPrestServ, "btpMunicipio", dbeMunicipio, "Município", 208, 20);

    mnuAlmoLocal = &mnuArquivo.AddItem("mnuAlmoLocal", "Almo&xarifado e Local");
    mnuAlmoLocal->SetEnabled(false);
    sbtAlmoLocal = Place<SpeedButton>(panBotoes, "sbtAlmoLocal", 508, 2, 46, 40);
    sbtAlmoLocal->SetCaption("Almo&x.");
    sbtAlmoLocal->SetEnabled(false);
}

void TfrmLancNFEntrada::WireHeaderRules() {
    dbeCdEmpresa->OnExit = [this](Component&) { dbeCdEmpresaExit(); };
    dbeCdEmpresa->OnChange = [this](Component&) { dbeCdEmpresaChange(); };
    dbeCdTipoOper->OnExit = [this](Component&) { dbeCdTipoOperExit(); };
    dbeCdTipoOper->OnChange = [this](Component&) { dbeCdTipoOperChange(); };
    pan->OnEnter = [this](Component&) { panEnter(); };
    pan->OnExit = [this](Component&) { panExit(); };
    btpEmpresa->OnBeforePesq = [this](support::TBtnPesquisa&, bool&) { btpEmpresaBeforePesq(); };
    btpEmpresa->OnAfterPesq = [this](support::TBtnPesquisa&) { btpEmpresaAfterPesq(); };
    btpTipoOper->OnBeforePesq = [this](support::TBtnPesquisa&, bool&) { btpTipoOperBeforePesq(); };
    btpTipoOper->OnAfterPesq = [this](support::TBtnPesquisa&) { btpTipoOperAfterPesq(); };
}

} // namespace dfe::dfe11000
