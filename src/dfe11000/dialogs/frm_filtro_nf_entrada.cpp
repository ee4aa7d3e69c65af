// The filter dialog's controls as designed and its life: creation, showing with the last filter, closing.
#include "dfe11000/dialogs/frm_filtro_nf_entrada.h"

#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/layout_helpers.h"
#include "platform/ui/placement.h"
#include "support/consiste.h"
#include "support/zymora.h"

namespace dfe::dfe11000 {
namespace {

const std::vector<std::string> kMessages = {
    "Serie|Série",
    "TipoOper|Tipo de Operação",
    "Clie_emp|Não há cliente cadastrado.",
    "Forn_emp|Não há fornecedor cadastrado.",
    "Cliente|Cliente",
    "Fornecedor|Fornecedor",
    "Serie_inf|Série deve ser informada.",
    "TipoOper_inf|Tipo operação deve ser informado.",
    "Clie_Cad|Cliente não cadastrado.",
    "Forn_Cad|Fornecedor não cadastrado.",
    "Filial_Cad|Filial não cadastrada.",
};

// The participant's row on its notebook page: the edit, its search button and the name beside them.
constexpr int kRowTop = 13;

Edit* NameEdit(Container& parent, const char* name) {
    return Displayed(Place<Edit>(parent, name, 172, kRowTop, 222, 21));
}

support::TBtnPesquisa* RowSearchButton(Container& parent, const char* name, int left, const char* title,
                                       DataSource* source, const char* emptyText) {
    auto* button = Place<support::TBtnPesquisa>(parent, name, left, kRowTop, 21, 21);
    button->SetCaption("...");
    button->SetTitle(title);
    button->SetDataSource(source);
    button->SetEmptyError(emptyText);
    return button;
}

} // namespace

TfrmFiltroNFEntrada::TfrmFiltroNFEntrada(Application& app, TfrmLancNFEntrada& posting)
    : TfrmRotiGeral(app), posting_(posting) {
    msgPadrao.AddLines(kMessages);
    BuildLayout();
    DeclareLookups();
    WireEvents();
    WireSearches();
    OnCreate = [this](Form&) { FormCreate(); };
    OnActivate = [this](Form&) { FormActivate(); };
    OnClose = [this](Form&, CloseAction& action) { FormClose(action); };
    OnKeyDown = [this](Component&, int& key, ShiftState shift) { FormKeyDown(key, shift); };
}

TfrmFiltroNFEntrada::~TfrmFiltroNFEntrada() {
    // The data sources and search buttons point at the lookups: they go first.
    DestroyOwnedComponents();
}

void TfrmFiltroNFEntrada::BuildLayout() {
    SetName("frmFiltroNFEntrada");
    SetCaption("Filtro de Lançamento de Notas Fiscais");
    SetHelpContext(10811300);
    SetHelpFile("Dfehelp.hlp");
    SetBounds(0, 0, 420, 250);
    SetKeyPreview(true);
    lblCodTela.SetCaption("DFE11300");
    dtsFornecedor = AddSource(*this, "dtsFornecedor", qryFornecedor);
    dtsCliente = AddSource(*this, "dtsCliente", qryCliente);
    dtsFilial = AddSource(*this, "dtsFilial", qryFilial);
    dtsSerieEntr = AddSource(*this, "dtsSerieEntr", qrySerieEntr);
    dtsTipoOper = AddSource(*this, "dtsTipoOper", qryTipoOper);
    BuildParticipant();
    BuildPeriods();
    BuildLists();
    BuildCommands();
}

void TfrmFiltroNFEntrada::BuildParticipant() {
    grbDestRem = Group(*this, "grbDestRem", " Destinatário/Remetente ", 4, 48, 404, 76);
    cbbDestRem = Place<ComboBox>(*grbDestRem, "cbbDestRem", 8, 18, 110, 21);
    cbbDestRem->SetStyle(ComboStyle::DropDownList);
    cbbDestRem->SetItems({"Cliente", "Fornecedor", "Filial", "Todos"});
    nbkCliente = Place<Notebook>(*grbDestRem, "nbkCliente", 4, 40, 398, 34);

    auto page = [this](const char* name, const char* caption) -> Container& {
        auto& p = nbkCliente->Add<NotebookPage>(name);
        p.SetCaption(caption);
        return p;
    };
    Container& cliente = page("pagCliente", "Cliente");
    AddLabel(cliente, "lblCliente", "Inscrição", 4, 0, 60);
    medCliente = Place<MaskEdit>(cliente, "medCliente", 4, kRowTop, 140, 21);
    btpCliente =
        RowSearchButton(cliente, "btpCliente", 146, "Cliente", dtsCliente, "Não há cliente cadastrado.");
    btpCliente->SetAssociate(medCliente);
    edtNmCliente = NameEdit(cliente, "edtNmCliente");

    Container& fornecedor = page("pagFornecedor", "Fornecedor");
    AddLabel(fornecedor, "lblFornecedor", "Inscrição", 4, 0, 60);
    medFornecedor = Place<MaskEdit>(fornecedor, "medFornecedor", 4, kRowTop, 140, 21);
    btpFornecedor = RowSearchButton(fornecedor, "btpFornecedor", 146, "Fornecedor", dtsFornecedor,
                                    "Não há fornecedor cadastrado.");
    btpFornecedor->SetAssociate(medFornecedor);
    edtNmFornecedor = NameEdit(fornecedor, "edtNmFornecedor");

    Container& filial = page("pagFilial", "Filial");
    AddLabel(filial, "lblFilial", "Filial", 4, 0, 60);
    medFilial = Place<MaskEdit>(filial, "medFilial", 4, kRowTop, 50, 21);
    medFilial->SetEditMask(">aaaa;0; ");
    medFilial->SetMaxLength(4);
    btpFilial = RowSearchButton(filial, "btpFilial", 146, "Filial", dtsFilial, "Não há filial cadastrada.");
    btpFilial->SetAssociate(medFilial);
    edtNmFilial = NameEdit(filial, "edtNmFilial");

    Container& todos = page("pagTodos", "Todos");
    edtTodos = Place<Edit>(todos, "edtTodos", 4, kRowTop, 140, 21);
    edtTodos->SetText("Todos");
    edtTodos->SetEnabled(false);
    Edit* nmTodos = NameEdit(todos, "edtNmTodos");
    nmTodos->SetText("Todos");
    nmTodos->SetEnabled(false);
}

void TfrmFiltroNFEntrada::BuildPeriods() {
    grbEmissao = Group(*this, "grbEmissao", " Data de Emissão ", 4, 128, 200, 60);
    AddLabel(*grbEmissao, "lblEmisIni", "Inicial", 8, 16, 60);
    depEmisIni = Place<DateEdit>(*grbEmissao, "depEmisIni", 8, 30, 88, 21);
    AddLabel(*grbEmissao, "lblEmisFim", "Final", 104, 16, 60);
    depEmisFim = Place<DateEdit>(*grbEmissao, "depEmisFim", 104, 30, 88, 21);

    grbEntrada = Group(*this, "grbEntrada", " Data de Entrada ", 208, 128, 200, 60);
    AddLabel(*grbEntrada, "lblEntrIni", "Inicial", 8, 16, 60);
    depEntrIni = Place<DateEdit>(*grbEntrada, "depEntrIni", 8, 30, 88, 21);
    AddLabel(*grbEntrada, "lblEntrFim", "Final", 104, 16, 60);
    depEntrFim = Place<DateEdit>(*grbEntrada, "depEntrFim", 104, 30, 88, 21);
    depEntrIni->SetColor(Color::clInfoBk);
    depEntrFim->SetColor(Color::clInfoBk);
}

void TfrmFiltroNFEntrada::BuildLists() {
    grbSerie = Group(*this, "grbSerie", " Série ", 4, 192, 200, 48);
    rdgLista = Place<RadioButton>(*grbSerie, "rdgLista", 8, 20, 60, 17);
    rdgLista->SetCaption("Lista");
    rdgTodos = Place<RadioButton>(*grbSerie, "rdgTodos", 72, 20, 60, 17);
    rdgTodos->SetCaption("Todos");
    rdgTodos->SetChecked(true);
    btpSerie = Place<support::TBtnPesquisa>(*grbSerie, "btpSerie", 140, 18, 21, 21);
    btpSerie->SetCaption("...");
    btpSerie->SetTitle("Série de Documentos de Entrada");
    btpSerie->SetDataSource(dtsSerieEntr);
    btpSerie->SetEmptyError("Não há série cadastrado.");
    btpSerie->SetEnabled(false);

    grbTipoOper = Group(*this, "grbTipoOper", " Tipo Operação ", 208, 192, 200, 48);
    rdgListaTipoOper = Place<RadioButton>(*grbTipoOper, "rdgListaTipoOper", 8, 20, 60, 17);
    rdgListaTipoOper->SetCaption("Lista");
    rdgTodosTipoOper = Place<RadioButton>(*grbTipoOper, "rdgTodosTipoOper", 72, 20, 60, 17);
    rdgTodosTipoOper->SetCaption("Todos");
    rdgTodosTipoOper->SetChecked(true);
    btpTipoOper = Place<support::TBtnPesquisa>(*grbTipoOper, "btpTipoOper", 140, 18, 21, 21);
    btpTipoOper->SetCaption("...");
    btpTipoOper->SetTitle("Tipo de Operação");
    btpTipoOper->SetDataSource(dtsTipoOper);
    btpTipoOper->SetEmptyError("Não há tipo de operação cadastrado.");
    btpTipoOper->SetEnabled(false);
}

void TfrmFiltroNFEntrada::BuildCommands() {
    panBotoes.SetBounds(0, 0, 420, 44);
    lblCodTela.SetBounds(336, 14, 80, 16);
    // The dialog's own commands take the place of the base OK and Cancel.
    bbtOK.SetVisible(false);
    bbtCancelar.SetVisible(false);
    auto command = [this](const char* name, const char* caption, const char* hint, int left) {
        SpeedButton* button = Place<SpeedButton>(panBotoes, name, left, 2, 64, 40);
        button->SetCaption(caption);
        button->SetHint(hint);
        return button;
    };
    sbtConfirma = command("sbtConfirma", "C&onfirmar", "Confirmar", 2);
    sbtCancel = command("sbtCancel", "&Cancelar", "Cancelar", 68);
    sbtDesfazer = command("sbtDesfazer", "&Desfazer", "Desfazer", 134);
    sbtIncNF = command("sbtIncNF", "&Incluir", "Incluir Nota Fiscal", 200);
}

void TfrmFiltroNFEntrada::WireEvents() {
    cbbDestRem->OnChange = [this](Component&) { cbbDestRemChange(); };
    medCliente->OnChange = [this](Component&) { edtNmCliente->SetText(""); };
    medFornecedor->OnChange = [this](Component&) { edtNmFornecedor->SetText(""); };
    medFilial->OnChange = [this](Component&) { edtNmFilial->SetText(""); };
    for (MaskEdit* edit : {medCliente, medFornecedor})
        edit->OnEnter = [this, edit](Component&) { SetMaskQuietly(*edit, support::PictPess("I")); };
    medCliente->OnExit = [this](Component&) { Vd_Cliente(); };
    medFornecedor->OnExit = [this](Component&) { Vd_Fornecedor(); };
    medFilial->OnExit = [this](Component&) { Vd_Filial(); };
    rdgLista->OnClick = [this](Component&) { btpSerie->SetEnabled(true); };
    rdgTodos->OnClick = [this](Component&) { btpSerie->SetEnabled(false); };
    rdgListaTipoOper->OnClick = [this](Component&) { btpTipoOper->SetEnabled(true); };
    rdgTodosTipoOper->OnClick = [this](Component&) { btpTipoOper->SetEnabled(false); };
    sbtConfirma->OnClick = [this](Component&) { sbtConfirmaClick(); };
    sbtCancel->OnClick = [this](Component&) { sbtCancelClick(); };
    sbtDesfazer->OnClick = [this](Component&) { sbtDesfazerClick(); };
    sbtIncNF->OnClick = [this](Component&) { sbtIncNFClick(); };
}

void TfrmFiltroNFEntrada::SetQuietly(MaskEdit& edit, const std::string& text) {
    NotifyEvent change = std::move(edit.OnChange);
    edit.OnChange = nullptr;
    edit.SetText(text);
    edit.OnChange = std::move(change);
}

void TfrmFiltroNFEntrada::SetMaskQuietly(MaskEdit& edit, const std::string& mask) {
    NotifyEvent change = std::move(edit.OnChange);
    edit.OnChange = nullptr;
    edit.SetEditMask(mask);
    edit.OnChange = std::move(change);
}

void TfrmFiltroNFEntrada::FormCreate() {
    boConfirma = false;
    Atualiza_Datas();
    remembered_ = Remembered{};
    remembered_.emisIni = depEmisIni->Date();
    remembered_.emisFim = depEmisFim->Date();
    remembered_.entrIni = depEntrIni->Date();
    remembered_.entrFim = depEntrFim->Date();
    cbbDestRem->SetItemIndex(kFiltroTodos);
    nbkCliente->SetPageIndex(kFiltroTodos);
    rdgTodos->SetChecked(true);
    rdgTodosTipoOper->SetChecked(true);
    cdCliente_.clear();
    cdClienteNumber_.clear();
}

void TfrmFiltroNFEntrada::Atualiza_Datas() {
    const DateTime today = support::zymora::DataProc(posting_.ui.medCdFilial->Text()).DatePart();
    const DateTime first = support::PriDiaMes(today);
    const DataSet& params = posting_.data.cdsParamDFE;
    const Field* blind = params.Active() ? params.FindField("IDOCINFORNF") : nullptr;
    const bool blindEntry = blind && !params.IsEmpty() && blind->AsString() == "S";
    depEmisIni->SetDate(blindEntry ? DateTime() : first);
    depEmisFim->SetDate(blindEntry ? DateTime() : today);
    depEntrIni->SetDate(first);
    depEntrFim->SetDate(today);
}

void TfrmFiltroNFEntrada::FormActivate() {
    boFiltroAberto = true;
    Restore();
}

void TfrmFiltroNFEntrada::Restore() {
    const Remembered& r = remembered_;
    cbbDestRem->SetItemIndex(r.kind);
    nbkCliente->SetPageIndex(r.kind);
    MaskEdit* edits[] = {medCliente, medFornecedor, medFilial};
    Edit* names[] = {edtNmCliente, edtNmFornecedor, edtNmFilial};
    if (r.kind >= kFiltroCliente && r.kind <= kFiltroFilial) {
        edits[r.kind]->SetText(r.participant);
        names[r.kind]->SetText(r.participantName);
    }
    cdCliente_ = r.kind == kFiltroCliente ? r.cdCliente : std::string();
    cdClienteNumber_ = cdCliente_.empty() ? std::string() : r.participant;
    depEmisIni->SetDate(r.emisIni);
    depEmisFim->SetDate(r.emisFim);
    depEntrIni->SetDate(r.entrIni);
    depEntrFim->SetDate(r.entrFim);
    (r.todasSeries ? rdgTodos : rdgLista)->SetChecked(true);
    btpSerie->SetEnabled(!r.todasSeries);
    (r.todosTiposOper ? rdgTodosTipoOper : rdgListaTipoOper)->SetChecked(true);
    btpTipoOper->SetEnabled(!r.todosTiposOper);
    stListaSerie = r.series;
    stListaTipoOper = r.tiposOper;
}

void TfrmFiltroNFEntrada::FormClose(CloseAction& action) {
    for (MaskEdit* edit : {medCliente, medFornecedor, medFilial})
        edit->SetText("");
    boFiltroAberto = false;
    action = CloseAction::Hide;
}

void TfrmFiltroNFEntrada::FormKeyDown(int& key, ShiftState shift) {
    // An open list keeps its keys (Enter chooses the item).
    if (cbbDestRem->DroppedDown()) return;
    if (key == key::Enter && !shift.ctrl && !shift.alt) {
        SelectNext(true);
        key = key::None;
    }
}

void TfrmFiltroNFEntrada::cbbDestRemChange() {
    for (MaskEdit* edit : {medCliente, medFornecedor, medFilial})
        edit->SetText("");
    SetMaskQuietly(*medCliente, support::PictPess("I"));
    SetMaskQuietly(*medFornecedor, support::PictPess("I"));
    const int kind = cbbDestRem->ItemIndex();
    if (kind >= 0) nbkCliente->SetPageIndex(kind);
}

} // namespace dfe::dfe11000
