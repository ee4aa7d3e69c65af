// The service-location dialog: its controls, lookups and creator.
#include "dfe11000/dialogs/frm_loc_prest_serv.h"

#include "dfe11000/dialogs/create_dialog.h"
#include "dfe11000/dialogs/loc_prest_serv_rules.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/layout_helpers.h"

namespace dfe::dfe11000 {
namespace {

const std::vector<std::string> kMessages = {
    "Estado_Inf|Estado deve ser informado.\n",
    "Muni_Inf|Município deve ser informado.",
    "Estado_N_Cad|Estado não cadastrado.",
    "Muni_N_Cad|Município não cadastrado.",
};

} // namespace

TfrmLocPrestServ::TfrmLocPrestServ(Application& app, TfrmLancNFEntrada& posting)
    : TfrmRotiGeral(app), rules_(std::make_unique<LocPrestServRules>(*this, posting)) {
    msgPadrao.AddLines(kMessages);
    BuildLayout(posting);
    rules_->Wire();
}

TfrmLocPrestServ::~TfrmLocPrestServ() {
    // The controls go while the rules they call are still here.
    DestroyOwnedComponents();
}

void TfrmLocPrestServ::BuildLayout(TfrmLancNFEntrada& posting) {
    SetName("frmLocPrestServ");
    SetCaption("Local da Prestação do Serviço");
    SetBounds(0, 0, 380, 132);
    SetBorderIcons(border::SystemMenu);
    AddLabel(*this, "lblEstado", "Estado", 8, 8, 60);
    dbeEstado = BoundEdit(*this, "dbeEstado", posting.data.dtsNotaFiscal, "SGESTADO", 8, 24, 36);
    dbeEstado->SetTabOrder(0);
    btpEstadoOrig = SearchButton(*this, "btpEstadoOrig", dbeEstado, "Estado", 46, 24);
    btpEstadoOrig->SetEmptyError("Não há estado cadastrado para o país informado.");
    btpEstadoOrig->SetDataSource(posting.lookups.dtsEstado);
    btpEstadoOrig->SetFields({"SGESTADO", "NMESTADO"});
    dbeNmEstado = Displayed(Place<Edit>(*this, "dbeNmEstado", 70, 24, 298, 21));

    AddLabel(*this, "lblMunicipio", "Município", 8, 50, 60);
    dbeMunicipio = BoundEdit(*this, "dbeMunicipio", posting.data.dtsNotaFiscal, "CDMUNICIPIO", 8, 66, 50);
    dbeMunicipio->SetTabOrder(1);
    btpMunicipio = SearchButton(*this, "btpMunicipio", dbeMunicipio, "Município", 60, 66);
    btpMunicipio->SetEmptyError("Não há município cadastrado para o estado informado.");
    btpMunicipio->SetDataSource(posting.lookups.dtsMunicipio);
    btpMunicipio->SetFields({"CDMUNICIPIO", "NMMUNICIPIO"});
    dbeNmMunicipio = Displayed(Place<Edit>(*this, "dbeNmMunicipio", 84, 66, 284, 21));

    panBotoes.SetBounds(0, 92, 380, 40);
    bbtOK.SetBounds(8, 8, 75, 25);
    bbtCancelar.SetBounds(88, 8, 75, 25);
    lblCodTela.SetBounds(296, 14, 76, 13);
    lblCodTela.SetCaption("DFE11280");
    // Both commands decide how the dialog ends themselves.
    bbtOK.SetModalResult(mr::None);
    bbtCancelar.SetModalResult(mr::None);
}

bool CriaLocPrestServ(TfrmLancNFEntrada& form) {
    const auto dialog = CreateDialog<TfrmLocPrestServ>(form);
    DataSet& header = form.data.cdsNotaFiscal;
    if (!header.Active()) header.CreateDataSet();
    if (header.State() == DataSetState::Browse) header.Edit();
    dialog->ShowModal();
    return dialog->Rules().boRetorno;
}

} // namespace dfe::dfe11000
