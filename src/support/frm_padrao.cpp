#include "support/frm_padrao.h"

#include <algorithm>

#include "platform/data/dataset.h"
#include "support/show_msg.h"

namespace dfe::support {
namespace {

const std::vector<std::string> kStandardMessages = {
    "Conf_Excl|Confirma a exclusão do registro?",
    "Sem_Regi|Não há registro selecionado.",
    "Proc_NEnc|Registro não encontrado.",
};

constexpr int kButtonWidth = 46;
constexpr int kBarStart = 2;

SpeedButton& StandardButton(Panel& bar, const char* name, const char* caption, int left) {
    auto& b = bar.Add<SpeedButton>(name);
    b.SetCaption(caption);
    b.SetBounds(left, 2, kButtonWidth, 40);
    return b;
}

DataSet* DataSetOf(DataSource& source) {
    DataSet* ds = source.GetDataSet();
    return ds && ds->Active() ? ds : nullptr;
}

} // namespace

TfrmPadrao::TfrmPadrao(Application& app)
    : Form(app), panBotoes(Add<Panel>("panBotoes")), lblCodTela(panBotoes.Add<Label>("lblCodTela")),
      sbtIncluir(StandardButton(panBotoes, "sbtIncluir", "&Incluir", 2)),
      sbtAlterar(StandardButton(panBotoes, "sbtAlterar", "&Alterar", 48)),
      sbtExcluir(StandardButton(panBotoes, "sbtExcluir", "&Excluir", 94)),
      sbtProcurar(StandardButton(panBotoes, "sbtProcurar", "&Procurar", 140)),
      sbtVerificar(StandardButton(panBotoes, "sbtVerificar", "&Verificar", 186)),
      sbtConfirmar(StandardButton(panBotoes, "sbtConfirmar", "C&onfirmar", 232)),
      sbtCancelar(StandardButton(panBotoes, "sbtCancelar", "&Cancelar", 278)),
      sbtImprimir(StandardButton(panBotoes, "sbtImprimir", "I&mprimir", 324)),
      sbtFechar(StandardButton(panBotoes, "sbtFechar", "&Fechar", 370)),
      mnuPrincipal(Create<MainMenu>("mnuPrincipal")),
      mnuArquivo(mnuPrincipal.AddItem("mnuArquivo", "&Arquivo")),
      mnuIncluir(mnuArquivo.AddItem("mnuIncluir", "&Incluir")),
      mnuAlterar(mnuArquivo.AddItem("mnuAlterar", "&Alterar")),
      mnuExcluir(mnuArquivo.AddItem("mnuExcluir", "&Excluir")),
      mnuProcurar(mnuArquivo.AddItem("mnuProcurar", "&Procurar")),
      mnuVerificar(mnuArquivo.AddItem("mnuVerificar", "&Verificar")),
      mnuConfirmar(mnuArquivo.AddItem("mnuConfirmar", "C&onfirmar")),
      mnuCancelar(mnuArquivo.AddItem("mnuCancelar", "&Cancelar")),
      mnuImprimir(mnuArquivo.AddItem("mnuImprimir", "I&mprimir")),
      mnuFechar(mnuArquivo.AddItem("mnuFechar", "&Fechar")), pgcPadrao(Add<PageControl>("pgcPadrao")),
      tshFolhaDados(pgcPadrao.Add<TabSheet>("tshFolhaDados")),
      tshFormulario(pgcPadrao.Add<TabSheet>("tshFormulario")), dbnPadrao(panBotoes.Add<Panel>("dbnPadrao")) {
    panBotoes.SetBounds(0, 0, 663, 44);
    lblCodTela.SetBounds(601, 14, 62, 16);
    pgcPadrao.SetBounds(0, 44, 663, 600);
    tshFolhaDados.SetCaption("&Lista");
    tshFormulario.SetCaption("&Formulário");
    pgcPadrao.SetActivePage(&tshFolhaDados);
    sbtCancelar.SetTag(50);
    mnuIncluir.SetShortCut("Ctrl+I");
    mnuAlterar.SetShortCut("Ctrl+A");
    mnuExcluir.SetShortCut("Ctrl+E");
    mnuConfirmar.SetShortCut("Ctrl+O");
    mnuCancelar.SetShortCut("Ctrl+N");
    Wire(sbtIncluir, mnuIncluir, &TfrmPadrao::sbtIncluirClick);
    Wire(sbtAlterar, mnuAlterar, &TfrmPadrao::sbtAlterarClick);
    Wire(sbtExcluir, mnuExcluir, &TfrmPadrao::sbtExcluirClick);
    Wire(sbtProcurar, mnuProcurar, &TfrmPadrao::sbtProcurarClick);
    Wire(sbtVerificar, mnuVerificar, &TfrmPadrao::sbtVerificarClick);
    Wire(sbtConfirmar, mnuConfirmar, &TfrmPadrao::sbtConfirmarClick);
    Wire(sbtCancelar, mnuCancelar, &TfrmPadrao::sbtCancelarClick);
    Wire(sbtImprimir, mnuImprimir, &TfrmPadrao::sbtImprimirClick);
    Wire(sbtFechar, mnuFechar, &TfrmPadrao::sbtFecharClick);
    BuildNavigator();
    msgMensagensPadroes.AddLines(kStandardMessages);
    SetKeyPreview(true);
    OnClose = [this](Form&, CloseAction& action) { FormCloseBase(action); };
}

TfrmPadrao::~TfrmPadrao() {
    // The controls go first: some of them listen to dtsPadrao.
    DestroyOwnedComponents();
}

void TfrmPadrao::Wire(SpeedButton& button, MenuItem& item, void (TfrmPadrao::*command)()) {
    button.OnClick = [this, command](Component&) { (this->*command)(); };
    item.OnClick = [this, command](Component&) { (this->*command)(); };
}

SpeedButton& TfrmPadrao::AddCommandButton(const char* name, const char* caption) {
    if (commandButtons_.empty()) {
        for (SpeedButton* b : {&sbtIncluir, &sbtAlterar, &sbtExcluir, &sbtProcurar, &sbtVerificar,
                               &sbtConfirmar, &sbtCancelar, &sbtImprimir, &sbtFechar})
            commandButtons_.push_back(b);
    }
    SpeedButton& button = panBotoes.Add<SpeedButton>(name);
    button.SetCaption(caption);
    commandButtons_.push_back(&button);
    ArrangeCommandButtons();
    return button;
}

void TfrmPadrao::ArrangeCommandButtons() {
    // The navigator and the screen code keep the bar's right end; the commands take as many rows as they
    // need.
    constexpr int kRowHeight = 42;
    const int perRow = std::max(1, (dbnPadrao.Left() - kBarStart) / kButtonWidth);
    const int count = static_cast<int>(commandButtons_.size());
    for (int i = 0; i < count; ++i) {
        commandButtons_[static_cast<size_t>(i)]->SetBounds(kBarStart + (i % perRow) * kButtonWidth,
                                                           2 + (i / perRow) * kRowHeight, kButtonWidth, 40);
    }
    const int rows = (count + perRow - 1) / perRow;
    panBotoes.SetHeight(2 + rows * kRowHeight);
}

void TfrmPadrao::BuildNavigator() {
    struct Step {
        const char* name;
        const char* caption;
        void (DataSet::*move)();
    };
    const Step steps[] = {{"nbFirst", "|<", &DataSet::First},
                          {"nbPrior", "<", &DataSet::Prior},
                          {"nbNext", ">", &DataSet::Next},
                          {"nbLast", ">|", &DataSet::Last}};
    int left = 0;
    for (const Step& step : steps) {
        auto& b = dbnPadrao.Add<SpeedButton>(step.name);
        b.SetCaption(step.caption);
        b.SetBounds(left, 0, 24, 22);
        left += 24;
        b.OnClick = [this, move = step.move](Component&) {
            if (DataSet* ds = DataSetOf(dtsPadrao)) (ds->*move)();
        };
    }
    dbnPadrao.SetBounds(502, 11, left, 22);
}

void TfrmPadrao::MirrorMenuToButtons() {
    const std::pair<SpeedButton*, MenuItem*> pairs[] = {
        {&sbtIncluir, &mnuIncluir},   {&sbtAlterar, &mnuAlterar},     {&sbtExcluir, &mnuExcluir},
        {&sbtProcurar, &mnuProcurar}, {&sbtVerificar, &mnuVerificar}, {&sbtConfirmar, &mnuConfirmar},
        {&sbtCancelar, &mnuCancelar}, {&sbtImprimir, &mnuImprimir},   {&sbtFechar, &mnuFechar}};
    for (auto [button, item] : pairs)
        button->SetEnabled(item->Enabled());
}

void TfrmPadrao::sbtIncluirClick() {
    if (DataSet* ds = DataSetOf(dtsPadrao)) ds->Append();
}

void TfrmPadrao::sbtAlterarClick() {
    DataSet* ds = DataSetOf(dtsPadrao);
    if (!ds || ds->IsEmpty()) return MensErro(msgMensagensPadroes, "Sem_Regi", true);
    ds->Edit();
}

void TfrmPadrao::sbtExcluirClick() {
    DataSet* ds = DataSetOf(dtsPadrao);
    if (!ds || ds->IsEmpty()) return MensErro(msgMensagensPadroes, "Sem_Regi", true);
    if (ShowMsg(msgMensagensPadroes, "Conf_Excl", DialogType::Confirmation, mb::YesNo) == mr::Yes)
        ds->Delete();
}

void TfrmPadrao::sbtProcurarClick() {}
void TfrmPadrao::sbtVerificarClick() {}

void TfrmPadrao::sbtConfirmarClick() {
    if (DataSet* ds = DataSetOf(dtsPadrao)) ds->CheckBrowseMode();
}

void TfrmPadrao::sbtCancelarClick() {
    if (DataSet* ds = DataSetOf(dtsPadrao)) ds->Cancel();
}

void TfrmPadrao::sbtImprimirClick() {}

void TfrmPadrao::sbtFecharClick() {
    Close();
}

void TfrmPadrao::FormCloseBase(CloseAction& action) {
    action = CloseAction::Free;
}

TfrmRotiGeral::TfrmRotiGeral(Application& app)
    : Form(app), panBotoes(Add<Panel>("panBotoes")), bbtOK(panBotoes.Add<dfe::Button>("bbtOK")),
      bbtCancelar(panBotoes.Add<dfe::Button>("bbtCancelar")), lblCodTela(panBotoes.Add<Label>("lblCodTela")) {
    bbtOK.SetCaption("&OK");
    bbtOK.SetModalResult(mr::Ok);
    bbtCancelar.SetCaption("&Cancelar");
    bbtCancelar.SetModalResult(mr::Cancel);
    OnClose = [](Form&, CloseAction& action) { action = CloseAction::Free; };
}

} // namespace dfe::support
