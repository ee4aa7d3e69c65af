// The placement dialog of one item: its controls and lookups.
#include "dfe11000/dialogs/frm_desc_estoq_prod.h"

#include "dfe11000/dialogs/desc_estoq_prod_rules.h"
#include "dfe11000/dialogs/stock_place_queries.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/layout_helpers.h"

namespace dfe::dfe11000 {
namespace {

const std::vector<std::string> kMessages = {
    "FiliMovi_Inf|Filial de movimentação deve ser informada.",
    "FiliMovi_Cad|Filial de movimentação não cadastrada para a empresa.",
    "Almox_Inf|Almoxarifado deve ser informado.",
    "Almox_Cad|Almoxarifado não cadastrado.",
    "Local_Inf|Localização deve ser informada.",
    "Local_Cad|Localização não cadastrada.",
    "Lote_Inf|Lote deve ser informado.",
    "SubLote_Inf|Sub-lote deve ser informado.",
    "Lote_Cad|Lote não cadastrado para o produto na filial.",
    "GetLote|Verificando lotes do produto...",
};

Edit* CodeEdit(Container& parent, const char* name, int left, int top, int width, int maxLength) {
    Edit* edit = Place<Edit>(parent, name, left, top, width, 21);
    edit->SetCharCase(CharCase::Upper);
    edit->SetMaxLength(maxLength);
    return edit;
}

} // namespace

TfrmDescEstoqProd::TfrmDescEstoqProd(Application& app, TfrmLancNFEntrada& posting)
    : TfrmRotiGeral(app), rules_(std::make_unique<DescEstoqProdRules>(*this, posting)) {
    msgPadrao.AddLines(kMessages);
    PrepareBranchQuery(qryFilial);
    PrepareWarehouseQuery(qryAlmoxarifado);
    PrepareLocationQuery(qryLocalEstoque);
    BuildLayout();
    rules_->Wire();
}

TfrmDescEstoqProd::~TfrmDescEstoqProd() {
    // The controls go while the rules they call are still here.
    DestroyOwnedComponents();
}

void TfrmDescEstoqProd::BuildLayout() {
    SetName("frmDescEstoqProd");
    SetCaption("Estoque do Produto");
    SetBounds(0, 0, 468, 300);
    SetBorderIcons(border::SystemMenu);
    AddLabel(*this, "lblProduto", "Produto", 8, 8, 80);
    edtProduto = Displayed(Place<Edit>(*this, "edtProduto", 8, 24, 452, 21));

    AddLabel(*this, "lblFiliMovi", "Filial de Movimentação", 8, 50, 140);
    medCdFiliMovi = CodeEdit(*this, "medCdFiliMovi", 8, 66, 40, 4);
    btpFiliMovi = SearchButton(*this, "btpFiliMovi", medCdFiliMovi, "Filial", 50, 66);
    btpFiliMovi->SetEmptyError("Não há filial cadastrada para a empresa.");
    btpFiliMovi->SetDataSource(&dtsFilial);
    btpFiliMovi->SetFields({"CDFILIAL", "NMFILIAL"});
    edtNmFiliMovi = Displayed(Place<Edit>(*this, "edtNmFiliMovi", 74, 66, 250, 21));

    AddLabel(*this, "lblAlmoxarifado", "Almoxarifado", 8, 92, 80);
    medCdAlmoxarife = CodeEdit(*this, "medCdAlmoxarife", 8, 108, 60, 6);
    btpAlmoxarifado = SearchButton(*this, "btpAlmoxarifado", medCdAlmoxarife, "Almoxarifado", 70, 108);
    btpAlmoxarifado->SetEmptyError("Não há almoxarifado cadastrado para a filial informada.");
    btpAlmoxarifado->SetDataSource(&dtsAlmoxarifado);
    btpAlmoxarifado->SetFields({"CDALMOXARIFE", "DSALMOXARIFE"});
    edtDsAlmoxarife = Displayed(Place<Edit>(*this, "edtDsAlmoxarife", 94, 108, 230, 21));

    AddLabel(*this, "lblLocalEstoque", "Localização", 8, 134, 80);
    medCdLocalEstoq = CodeEdit(*this, "medCdLocalEstoq", 8, 150, 60, 6);
    btpLocalEstoque = SearchButton(*this, "btpLocalEstoque", medCdLocalEstoq, "Localização", 70, 150);
    btpLocalEstoque->SetEmptyError("Não há localização cadastrada para o almoxarifado informado.");
    btpLocalEstoque->SetDataSource(&dtsLocalEstoque);
    btpLocalEstoque->SetFields({"CDLOCALESTOQ", "DSLOCALESTOQ"});
    edtDsLocalEstoq = Displayed(Place<Edit>(*this, "edtDsLocalEstoq", 94, 150, 230, 21));

    grbLote = Group(*this, "grbLote", " Lote ", 8, 178, 452, 66);
    AddLabel(*grbLote, "lblLote", "Lote", 8, 16, 60);
    medNrLoteEstq = CodeEdit(*grbLote, "medNrLoteEstq", 8, 32, 140, 20);
    btpLote = SearchButton(*grbLote, "btpLote", medNrLoteEstq, "Lote", 150, 32);
    btpLote->SetEmptyError("Não há lote cadastrado para o produto na filial.");
    btpLote->SetDataSource(&dtsLotes);
    btpLote->SetFields({"NRLOTEESTQ", "NRSUBLOTE", "DTFABRICACAO", "DTVALIDADE"});
    AddLabel(*grbLote, "lblSubLote", "Sub-Lote", 178, 16, 50);
    medNrSubLote = CodeEdit(*grbLote, "medNrSubLote", 178, 32, 50, 4);
    AddLabel(*grbLote, "lblFabricacao", "Fabricação", 236, 16, 80);
    edtDtFabricacao = Displayed(Place<Edit>(*grbLote, "edtDtFabricacao", 236, 32, 100, 21));
    AddLabel(*grbLote, "lblValidade", "Validade", 344, 16, 80);
    edtDtValidade = Displayed(Place<Edit>(*grbLote, "edtDtValidade", 344, 32, 100, 21));

    int order = 0;
    for (Control* c : {static_cast<Control*>(medCdFiliMovi), static_cast<Control*>(medCdAlmoxarife),
                       static_cast<Control*>(medCdLocalEstoq), static_cast<Control*>(medNrLoteEstq),
                       static_cast<Control*>(medNrSubLote)})
        c->SetTabOrder(order++);

    panBotoes.SetBounds(0, 252, 468, 48);
    bbtOK.SetBounds(8, 8, 75, 25);
    bbtCancelar.SetBounds(88, 8, 75, 25);
    lblCodTela.SetBounds(384, 14, 76, 13);
    lblCodTela.SetCaption("DFE11206");
    // Both commands decide how the dialog ends themselves.
    bbtOK.SetModalResult(mr::None);
    bbtCancelar.SetModalResult(mr::None);
}

} // namespace dfe::dfe11000
