// The generation error list: one grid whose data, columns and caption follow the generation's error kind.
#include "dfe11000/dialogs/frm_imp_obrig.h"

#include "dfe11000/module/layout_helpers.h"
#include "platform/core/text.h"
#include "support/zymora.h"

#include <memory>

namespace dfe::dfe11000 {
namespace {

const std::vector<std::string> kMessages = {
    "ErroAvis|Erros e Avisos",
    "Prod_Imp|Produtos sem Impostos",
    "IrreEsto|Produtos com Irregularidades no Estoque",
    "Prod|Produto",
    "Desc|Descrição",
    "Prod_Lista|Produtos sem Preço",
    "Prod_OL|Produtos sem Relacionamento",
};

std::string Value(const DataSet& ds, const char* field) {
    const Field* f = ds.FindField(field);
    return f ? f->AsString() : std::string();
}

} // namespace

TfrmImpObrig::TfrmImpObrig(Application& app) : TfrmRotiGeral(app) {
    msgPadrao.AddLines(kMessages);
    cdsErrosAvisos.CreateDataSet({FieldDef{"DESCRICAO", FieldType::String, 400}});
    BuildLayout();
    OnClose = [](Form&, CloseAction& action) { action = CloseAction::Hide; };
}

TfrmImpObrig::~TfrmImpObrig() {
    DestroyOwnedComponents();
}

void TfrmImpObrig::BuildLayout() {
    SetName("frmImpObrig");
    SetCaption(msgPadrao.Msg("ErroAvis"));
    SetBounds(0, 0, 480, 300);
    SetBorderIcons(border::SystemMenu);
    dbgImposObrig = BoundGrid(*this, "dbgImposObrig", &dtsImposObrig, 8, 8, 464, 236);
    dbgImposObrig->SetOptions(grid_option::Titles | grid_option::ColLines | grid_option::RowLines |
                              grid_option::RowSelect | grid_option::AlwaysShowSelection);
    dbgImposObrig->SetReadOnly(true);
    dbgImposObrig->AddColumn("CDARVPROD", msgPadrao.Msg("Prod")).SetWidth(85);
    dbgImposObrig->AddColumn("stImpostos", "Impostos").SetWidth(358);
    panBotoes.SetBounds(0, 252, 480, 48);
    bbtOK.SetBounds(8, 10, 75, 25);
    bbtCancelar.SetVisible(false);
    lblCodTela.SetBounds(400, 16, 72, 13);
    lblCodTela.SetCaption("DFE11275");
}

void TfrmImpObrig::FillErrosAvisos(DataSet* errors) {
    cdsErrosAvisos.EmptyDataSet();
    if (!errors || !errors->Active()) return;
    for (int at = 1; at <= errors->RecordCount(); ++at) {
        std::string code;
        errors->ReadRecordAt(at, [&] { code = Value(*errors, "CDERRO"); });
        cdsErrosAvisos.Append();
        cdsErrosAvisos.FieldByName("DESCRICAO").SetAsString(text::Left(text::Mid(fiscal_.Msg(code), 4), 200));
        cdsErrosAvisos.Post();
    }
    cdsErrosAvisos.First();
}

void TfrmImpObrig::CarregaGrid(const ImpObrigArgs& args) {
    GridColumn& first = dbgImposObrig->Column(0);
    GridColumn& second = dbgImposObrig->Column(1);
    const bool productList = args.kind == "LISTA_PR" || args.kind == "PROD_OL";
    if (args.kind == "IMPOBRIG" || (productList && args.outgoing)) {
        const char* caption = args.kind == "IMPOBRIG"   ? "Prod_Imp"
                              : args.kind == "LISTA_PR" ? "Prod_Lista"
                                                        : "Prod_OL";
        SetCaption(msgPadrao.Msg(caption));
        dtsImposObrig.SetDataSet(args.semImpObrig);
        first.SetFieldName("CDARVPROD");
        first.SetWidth(85);
        second.SetFieldName("stImpostos");
        second.SetVisible(true);
        if (productList) {
            first.SetTitle(msgPadrao.Msg("Prod"));
            second.SetTitle(msgPadrao.Msg("Desc"));
            second.SetWidth(370);
        } else {
            second.SetWidth(350);
        }
        return;
    }
    second.SetVisible(false);
    if (args.kind == "IrreEsto") {
        SetCaption(msgPadrao.Msg("IrreEsto"));
        if (args.errors) {
            if (Field* product = args.errors->FindField("CDOBJETO2"))
                product->SetEditMask(support::zymora::DBPict());
        }
        dtsImposObrig.SetDataSet(args.errors);
        first.SetFieldName("CDOBJETO2");
    } else {
        SetCaption(msgPadrao.Msg("ErroAvis"));
        FillErrosAvisos(args.errors);
        dtsImposObrig.SetDataSet(&cdsErrosAvisos);
        first.SetFieldName("DESCRICAO");
        first.SetTitle(msgPadrao.Msg("Desc"));
        first.SetWidth(400);
        return;
    }
    first.SetTitle(msgPadrao.Msg("Prod"));
    first.SetWidth(400);
}

void CriaImpObrig(Application& app, const ImpObrigArgs& args) {
    CursorScope hourglass(app, Cursor::HourGlass);
    auto dialog = std::make_unique<TfrmImpObrig>(app);
    dialog->RunCreate();
    dialog->CarregaGrid(args);
    dialog->ShowModal();
}

} // namespace dfe::dfe11000
