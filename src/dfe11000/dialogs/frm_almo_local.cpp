// The warehouse and location choice: its controls, dataset, lookups and creator.
#include "dfe11000/dialogs/frm_almo_local.h"

#include "dfe11000/dialogs/almo_local_rules.h"
#include "dfe11000/dialogs/create_dialog.h"
#include "dfe11000/dialogs/stock_place_queries.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/layout_helpers.h"
#include "support/zymora.h"

namespace dfe::dfe11000 {
namespace {

const std::vector<std::string> kMessages = {
    "Almox_Inf|Almoxarifado deve ser informado.", "Almox_Cad|Almoxarifado não cadastrado.",
    "Local_Inf|Localização deve ser informada.",  "Local_Cad|Localização não cadastrada.",
    "GetProduto|Verificando dados do produto...",
};

FieldDef Str(const char* name, int size) {
    return FieldDef{name, FieldType::String, size};
}

} // namespace

TfrmAlmoLocal::TfrmAlmoLocal(Application& app, TfrmLancNFEntrada& posting)
    : TfrmRotiGeral(app), rules_(std::make_unique<AlmoLocalRules>(*this, posting)) {
    msgPadrao.AddLines(kMessages);
    PrepareWarehouseQuery(qryAlmoxarifado);
    PrepareLocationQuery(qryLocalEstoque);
    cdsItemProduto.CreateDataSet({Str("CDARVPROD", 20), Str("CDPRODUTO", 10), Str("NMPRODUTO", 50),
                                  Str("CDALMOXARIFE", 6), Str("CDLOCALESTOQ", 6), Str("NRLOTEESTQ", 20),
                                  Str("NRSUBLOTE", 4)});
    cdsItemProduto.FieldByName("CDARVPROD").SetEditMask(support::zymora::DBPict());
    BuildLayout();
    rules_->Wire();
}

TfrmAlmoLocal::~TfrmAlmoLocal() {
    // The controls go while the rules they call are still here.
    DestroyOwnedComponents();
}

void TfrmAlmoLocal::BuildLayout() {
    SetName("frmAlmoLocal");
    SetCaption("Almoxarifado/Localização");
    SetBounds(0, 0, 560, 330);
    SetBorderIcons(border::SystemMenu);
    AddLabel(*this, "lblAlmoxarifado", "Almoxarifado", 8, 8, 80);
    medCdAlmoxEstoq = Place<Edit>(*this, "medCdAlmoxEstoq", 8, 24, 60, 21);
    btpAlmoxarifado = SearchButton(*this, "btpAlmoxarifado", medCdAlmoxEstoq, "Almoxarifado", 70, 24);
    btpAlmoxarifado->SetEmptyError("Não há almoxarifado cadastrado para a filial informada.");
    btpAlmoxarifado->SetDataSource(&dtsAlmoxarifado);
    btpAlmoxarifado->SetFields({"CDALMOXARIFE", "DSALMOXARIFE"});
    edtDsAlmoxEstoq = Displayed(Place<Edit>(*this, "edtDsAlmoxEstoq", 94, 24, 230, 21));

    AddLabel(*this, "lblLocalEstoque", "Localização", 8, 50, 80);
    medCdLocalEstoq = Place<Edit>(*this, "medCdLocalEstoq", 8, 66, 60, 21);
    btpLocalEstoque = SearchButton(*this, "btpLocalEstoque", medCdLocalEstoq, "Localização", 70, 66);
    btpLocalEstoque->SetEmptyError("Não há localização cadastrada para o almoxarifado informado.");
    btpLocalEstoque->SetDataSource(&dtsLocalEstoque);
    btpLocalEstoque->SetFields({"CDLOCALESTOQ", "DSLOCALESTOQ"});
    edtDsLocalEstoq = Displayed(Place<Edit>(*this, "edtDsLocalEstoq", 94, 66, 230, 21));
    for (Edit* code : {medCdAlmoxEstoq, medCdLocalEstoq}) {
        code->SetCharCase(CharCase::Upper);
        code->SetMaxLength(6);
    }
    medCdAlmoxEstoq->SetTabOrder(0);
    medCdLocalEstoq->SetTabOrder(1);

    grbItens = Group(*this, "grbItens", "Consulta aos Dados dos Produtos", 8, 94, 544, 188);
    dbgItensCmp = BoundGrid(*grbItens, "dbgItensCmp", &dtsItemProduto, 6, 16, 532, 166);
    dbgItensCmp->SetOptions(grid_option::Titles | grid_option::ColLines | grid_option::RowLines |
                            grid_option::RowSelect | grid_option::AlwaysShowSelection);
    dbgItensCmp->SetReadOnly(true);
    const std::pair<const char*, const char*> columns[] = {
        {"CDARVPROD", "Código"},         {"NMPRODUTO", "Descrição"}, {"CDALMOXARIFE", "Almoxarifado"},
        {"CDLOCALESTOQ", "Localização"}, {"NRLOTEESTQ", "Lote"},     {"NRSUBLOTE", "Sub - Lote"}};
    for (const auto& [field, title] : columns)
        dbgItensCmp->AddColumn(field, title);

    panBotoes.SetBounds(0, 290, 560, 40);
    bbtOK.SetBounds(8, 8, 75, 25);
    bbtCancelar.SetBounds(88, 8, 75, 25);
    lblCodTela.SetBounds(476, 14, 76, 13);
    lblCodTela.SetCaption("Dfe11800");
    // Both commands decide how the dialog ends themselves.
    bbtOK.SetModalResult(mr::None);
    bbtCancelar.SetModalResult(mr::Cancel);
}

bool CriaAlmoLocal(TfrmLancNFEntrada& form) {
    const auto dialog = CreateDialog<TfrmAlmoLocal>(form);
    dialog->ShowModal();
    return dialog->Rules().boConfirma;
}

} // namespace dfe::dfe11000
