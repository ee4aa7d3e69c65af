// The item-error view: the closing's messages about one product, or the duplicate-document message.
#include "dfe11000/dialogs/frm_vis_erro_lanc_entr.h"

#include "dfe11000/dialogs/create_dialog.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/layout_helpers.h"
#include "dfe11000/module/module_helpers.h"

namespace dfe::dfe11000 {
namespace {

const std::vector<std::string> kMessages = {
    "Oper_Bloq|A confirmação da operação fará com que a posição de estoque deste produto se torne irregular.",
    "Prod_inativo|O produto encontra-se inativo para a filial.",
    "Doc_cad|Documento informado já cadastrado.",
};

} // namespace

TfrmVisErroLancEntr::TfrmVisErroLancEntr(Application& app, TfrmLancNFEntrada& posting)
    : TfrmRotiGeral(app), posting_(posting) {
    msgPadrao.AddLines(kMessages);
    cdsErros.CreateDataSet({FieldDef{"DSERRO", FieldType::String, 250}});
    BuildLayout();
    OnShow = [this](Form&) { FormActivate(); };
    OnClose = [](Form&, CloseAction& action) { action = CloseAction::Hide; };
}

TfrmVisErroLancEntr::~TfrmVisErroLancEntr() {
    DestroyOwnedComponents();
}

void TfrmVisErroLancEntr::BuildLayout() {
    SetName("frmVisErroLancEntr");
    SetCaption("Visualização dos Erros");
    SetBounds(0, 0, 520, 260);
    SetBorderIcons(border::SystemMenu);
    lsbErros = BoundGrid(*this, "lsbErros", &dtsErros, 8, 8, 504, 196);
    lsbErros->SetOptions(grid_option::RowSelect | grid_option::AlwaysShowSelection);
    lsbErros->SetReadOnly(true);
    lsbErros->AddColumn("DSERRO", "");
    lsbErros->Column(0).SetWidth(480);
    panBotoes.SetBounds(0, 212, 520, 48);
    bbtOK.SetBounds(8, 10, 75, 25);
    bbtCancelar.SetVisible(false);
    lblCodTela.SetBounds(440, 16, 72, 13);
    lblCodTela.SetCaption("Dfe11500");
}

void TfrmVisErroLancEntr::AddLine(const char* code) {
    cdsErros.Append();
    cdsErros.FieldByName("DSERRO").SetAsString(msgPadrao.Msg(code));
    cdsErros.Post();
}

void TfrmVisErroLancEntr::FormActivate() {
    cdsErros.EmptyDataSet();
    DataSet& rows = posting_.data.cdsErrosFech;
    if (!rows.Active()) return;
    for (int at = 1; at <= rows.RecordCount(); ++at) {
        std::string code, object;
        rows.ReadRecordAt(at, [&] {
            code = FieldText(rows, "CDERRO");
            object = FieldText(rows, "CDOBJETO");
        });
        if (stTipoErro == "L") {
            if (code != "DFE11000_2") continue;
            AddLine("Doc_cad");
            break;
        }
        if (object != stCdProduto) continue;
        if (code == "EST11000_2") AddLine("Prod_inativo");
        if (code == "LIB00200_3") AddLine("Oper_Bloq");
    }
    cdsErros.First();
}

void CriaVisErroLancEntr(TfrmLancNFEntrada& form, const std::string& kind, const std::string& object) {
    const auto dialog = CreateDialog<TfrmVisErroLancEntr>(form);
    dialog->stTipoErro = kind;
    dialog->stCdProduto = object;
    dialog->ShowModal();
}

} // namespace dfe::dfe11000
