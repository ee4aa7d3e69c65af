// The posting form's life: creation, showing, activation, closing, in the order the screen relies on.
#include "dfe11000/module/frm_lanc_nf_entrada.h"

#include "dfe11000/closing/closing_rules.h"
#include "dfe11000/closing/error_list.h"
#include "dfe11000/closing/release_rules.h"
#include "dfe11000/header/access_key_rules.h"
#include "dfe11000/header/document_rules.h"
#include "dfe11000/header/header_rules.h"
#include "dfe11000/header/origin_rules.h"
#include "dfe11000/header/participant_rules.h"
#include "dfe11000/header/transport_rules.h"
#include "dfe11000/items/charges.h"
#include "dfe11000/items/item_rules.h"
#include "dfe11000/items/payables.h"
#include "dfe11000/items/related_documents.h"
#include "dfe11000/items/taxes.h"
#include "dfe11000/module/branch_panel.h"
#include "dfe11000/module/keyboard_hook.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/module/screen_layout.h"
#include "dfe11000/posting/posting_editor.h"
#include "dfe11000/posting/posting_list.h"
#include "dfe11000/posting/posting_loader.h"
#include "dfe11000/server/module_parameters.h"

#include "dfe11000/dialogs/frm_filtro_nf_entrada.h"
#include "platform/core/abort.h"
#include "platform/net/connection_names.h"
#include "support/db_picture.h"
#include "support/keep_connected.h"
#include "support/lookup_database.h"
#include "support/show_avi.h"
#include "support/show_msg.h"
#include "support/zymora.h"

namespace dfe::dfe11000 {
namespace {

const std::vector<std::string> kMessages = {
    "Canc_Fech|O lançamento em digitação será descartado. Deseja fechar a tela assim mesmo?",
    "Filial_Inf|Filial de origem deve ser informada",
    "Filial_Cad|Filial não cadastrada",
    "Filial_Inat|Filial com situação inativa.",
    "Err_Conex|Ocorreu um erro na conexão com o servidor:",
    "DsErro|Erro: ",
    "Reestab_Conex|Deseja reestabelecer essa conexão?",
    "NLanc|Nº Lanç: ",
    "NFCanc| (Nota Fiscal Cancelada)",
    "NFBloq| (Nota Fiscal Bloqueada)",
    "NF_DevOL| (Nota Fiscal de Devolução do OL)",
    "DtInicial_Inf|Data de %s inicial deve ser informada.",
    "DtFinal_Inf|Data de %s final deve ser informada.",
    "DtFinal_inv|Data de %s inicial deve ser menor ou igual a data  de %s final.",
    "depEmisIni|emissão",
    "depEntrIni|entrada",
    "Empr_Inf|Empresa deve ser informada.",
    "Empr_Cad|Empresa não cadastrada",
    "Empr_Rel|Empresa não cadastrada para a filial informada.",
    "Oper_Inf|Tipo de operação deve ser informado",
    "Oper_Cad|Tipo de operação não cadastrado",
    "Blq_NF_TOPER|Operação bloqueada! Nota fiscal não possui AF.",
    "Blq_NF_CMP|Operação bloqueada! Nota fiscal de compra não possui AF.",
    "Fornecedor|Fornecedor",
    "NF_SR|Notas Fiscais de Simples Remessa",
    "Dad_Prod|Dados do Produto",
    "mensEstor|Estorno de NF-e não cancelada no prazo legal.",
    "E_SN|Entrada sem Nota Fiscal",
    "Transportadora|Transportadoras/Volumes Transportados",
    "GetNF|Recebendo nota fiscal (%s) do servidor...",
    "Corpo|Corpo",
    "Itens|Produtos",
    "ItemNotaFisc|Documentos relacionados...",
    "Encargos|Encargos",
    "CtPagar|Conta pagar",
    "DadosAdic|Dados Adicionais",
    "ImpostNFTot|Totalização de impostos",
    "ImpostNFProd|Impostos por produto",
    "AtuaServ|Atualizando dados do servidor...",
    "NFDados_Inv|Resposta inválida do servidor ao carregar a nota fiscal.",
    "Cancel|Cancelar operação?",
    "NF_Digit|Operação bloqueada! Nota fiscal em digitação pelo mobile.",
    "Verif_Valor|Favor conferir o valor da nota fiscal.",
    "Insc_Vig|Inscrição Estadual fora da data vigente.",
    "justInf|Justificativa do estorno da nota deve ser informada.",
    "ErroNFE|Operação bloqueada! Existem erros no lançamento.",
    "Blq_NFe_ForXML|Operação Bloqueada! Deverá possuir nota fiscal eletrônica (Arquivo XML) para este "
    "lançamento.",
    "NF_NRepli|Deseja replicar nota fiscal?",
    "BloqManif_Exc|Atenção! Nota Fiscal com manifestação %s. Deseja confirmar a operação?",
    "BloqManif_Alt|Operação Bloqueada!Nota Fiscal com Manifestação %s. Para edição desta nota é preciso "
    "alterar a manifestação do usuário.",
    "Manif4|Operação Confirmada",
    "Manif8|Ciência da Emissão",
    "Manif5|Operação desconhecida",
    "Manif6|Operação Não Realizada",
    "CPFCNPJ_Inf|CPF/CNPJ deve ser informado.",
    "Serie_Inf|Série deve ser informada.",
    "Insc_Inf|Inscrição estadual deve ser infomada.",
    "Forn_Inf|Fornecedor deve ser informado.",
    "Forn_Cad|Fornecedor não cadastrado",
    "Forn_CadRelac|Fornecedor não cadastrado ou não relacionado.",
    "Forn_N_Per|Fornecedor não permitido para lançamento de NF",
    "Bloq_NF_For|Operação bloqueada! Deve ser informada AF para o fornecedor.",
    "TOper_NLib|Operação bloqueada| Tipo de Operação não liberada. Operações permitidas: %s",
    "Forn_Ina|Fornecedor informado encontra-se inativo",
    "Permi_Forn|Fornecedor não tem permissão para realizar \"Cotação e Compra\".",
    "Forne_Edi|Fornecedor utiliza Integração EDI. A NF deve ser importada.",
    "GeraVenc|Os vencimentos serão gerados novamente de acordo com o fornecedor informado. Confirma "
    "operação?",
    "Clie_inf|Cliente deve ser informado.",
    "Cliente_Cad|Cliente não cadastrado ou inativo.",
    "Fili_Inf_Inv|Localização de origem deve ser diferente da localização de destino.",
    "Cliente|Cliente",
    "L| (Filial) ",
};

// Lines of the second (standard) message table that this screen reads.
const std::vector<std::string> kStandardMessages = {
    "NFDig| (Nota Fiscal em digitação no Web)",
    "OpBloq_NFOff|Operação bloqueada! Existem notas fiscais lançadas no sistema Off-Line que não foram "
    "importadas.",
    "Oper_N_Relac|Operador não cadastrado para a filial.",
    "Exportador|Exportador",
    "RaizInsc_Inv|Operação bloqueada! Raiz do CNPJ informado diferente da raiz do CNPJ da(s) AF(s).",
};

bool IsSmallScreen(const Application& app) {
    return app.ScreenWidth() == 640 && app.ScreenHeight() == 480;
}

} // namespace

TfrmLancNFEntrada::TfrmLancNFEntrada(Application& app)
    : TfrmPadrao(app), server(*this), parameters_(std::make_unique<ModuleParameters>(*this)),
      header_(std::make_unique<HeaderRules>(*this)), document_(std::make_unique<DocumentRules>(*this)),
      accessKey_(std::make_unique<AccessKeyRules>(*this)), origin_(std::make_unique<OriginRules>(*this)),
      participants_(std::make_unique<ParticipantRules>(*this)),
      transport_(std::make_unique<TransportRules>(*this)), items_(std::make_unique<ItemRules>(*this)),
      layout_(std::make_unique<ScreenLayout>(*this)), branch_(std::make_unique<BranchPanel>(*this)),
      keys_(std::make_unique<KeyboardHook>(*this)), list_(std::make_unique<PostingList>(*this)),
      loader_(std::make_unique<PostingLoader>(*this)), editing_(std::make_unique<PostingEditor>(*this)),
      release_(std::make_unique<ReleaseRules>(*this)), charges_(std::make_unique<ChargeRules>(*this)),
      related_(std::make_unique<RelatedDocumentRules>(*this)), taxes_(std::make_unique<TaxRules>(*this)),
      payables_(std::make_unique<PayableRules>(*this)), closing_(std::make_unique<ClosingRules>(*this)),
      errors_(std::make_unique<ErrorListRules>(*this)) {
    msgPadrao.AddLines(kMessages);
    msgMensagensPadroes.AddLines(kStandardMessages);
    BuildLayout();
    WireEvents();
    OnCreate = [this](Form&) { FormCreate(); };
    OnShow = [this](Form&) { FormShow(); };
    OnActivate = [this](Form&) { FormActivate(); };
    OnDeactivate = [this](Form&) { FormDeactivate(); };
    OnCloseQuery = [this](Form&, bool& canClose) { FormCloseQuery(canClose); };
    OnClose = [this](Form&, CloseAction& action) { FormClose(action); };
    OnKeyDown = [this](Component&, int& key, ShiftState shift) { Keys().FormKeyDown(key, shift); };
    OnDestroy = [this](Form&) {
        ModuleState& state = Cli_dfe11000();
        if (state.frmLancNFEntrada == this) {
            state.frmLancNFEntrada = nullptr;
            state.boIdCriado = false;
        }
    };
}

TfrmLancNFEntrada::~TfrmLancNFEntrada() {
    // Controls listen to the datasets and sources: they go while the datasets are still here.
    DestroyOwnedComponents();
    server.DisconnectFormConnections();
}

void TfrmLancNFEntrada::SizeToMainWindow(int margin) {
    if (IsSmallScreen(App())) {
        SetBorderIcons(border::SystemMenu | border::Minimize | border::Maximize);
        SetWindowState(WindowState::Maximized);
    } else if (Form* main = App().MainForm(); main && main != this) {
        SetHeight(main->Height() - margin);
    }
}

void TfrmLancNFEntrada::FormCreate() {
    ModuleState& state = Cli_dfe11000();
    Layout().GroupBoxPadraoZym();
    Branch().boFiltroConfirmado = false;
    Branch().boIncluiAposFiltro = false;
    server.ResetReferences();
    support::EnsureLookupDatabase();
    {
        support::ShowAviScope busy(App().MainForm());
        server.ConnectFormConnections();
    }
    state.stFiltro = "J";
    state.boChange = false;
    state.boLote = true;
    ui.grbDAE->SetTop(1161);
    ui.nbkCte->SetTop(1160);
    ui.grbNatFreteCTe->SetTop(1107);

    state.dbpProduto =
        std::make_shared<support::TDBPicture>(support::TDBPicture::FromMask(support::zymora::DBPict()));
    data.ApplyLibraryMasks();
    dtmRotiFiscal = std::make_unique<TdtmRotiFiscal>();

    state.boIdCriado = false;
    state.inCodigo = state.inCodiItem = state.inCodiItemNF = 0;
    state.boChange = true;
    state.boAlteraNF = true;
    state.boTotaItem = false;
    state.stTodos = "N";
    state.boInsert = false;
    state.reDiferenca = 0;
    state.boCodBar = true;
    Header().SetCurrentType("00");
    state.boPertFili = true;
    state.inContSequencial = 0;
    Parameters().SetSupplierString({});
    state.stLoteProdXML.clear();
    state.stValLoteProdXML = DateTime();
    state.stFabLoteProdXML = DateTime();

    SizeToMainWindow(97);
    Loader().HideUnloadedColumns();
    state.boChange = true;
    tshFormulario.SetEnabled(false);
    ui.tshVencimento->SetEnabled(false);
    SetTop(0);
    state.boAtuaNovoCod = false;
    data.CreateLocalDataSets();
    // Nothing is listed until a filter produced a list.
    data.dtsRomaneioNF->SetEnabled(false);
}

void TfrmLancNFEntrada::FormShow() {
    ModuleState& state = Cli_dfe11000();
    const bool choosable = !support::zymora::ModuFili() && state.boAlteraNF;
    ui.lblFilial->SetEnabled(choosable);
    ui.medCdFilial->SetEnabled(choosable);
    ui.btpFilial->SetEnabled(choosable);
    Parameters().SetSupplierString({});
    const std::string branch = support::zymora::FiliProc();
    ui.medCdFilial->SetText(branch);
    ui.edtNmFilial->SetText(Header().BranchName(branch));
    state.dtDataProc = support::zymora::DataProc(branch);
    if (ui.medCdFilial->Enabled() && ActiveControl() != ui.medCdFilial && ui.medCdFilial->CanFocus())
        ui.medCdFilial->SetFocus();
    if (support::zymora::ModuFili()) Header().OpenBranchLookup(branch);
    data.cdsImpImpoXML.SetData(server.Call(server.netLancNFEntrada, "GetImpImpo", net::CallArgs()));
    state.boConsEtiq = false;
}

void TfrmLancNFEntrada::FormActivate() {
    Repaint();
    if (!Cli_dfe11000().boImporta)
        support::zymora::SetMsgEventForm(
            [this](Message& message, bool& handled) { Keys().OnMessage(message, handled); });
    if (IsSmallScreen(App())) {
        SetWindowState(WindowState::Maximized);
        Repaint();
    }
}

void TfrmLancNFEntrada::FormDeactivate() {
    support::zymora::ClearMsgEventForm();
}

void TfrmLancNFEntrada::FormCloseQuery(bool& canClose) {
    if (!InEdit(data.cdsNotaFiscal)) return;
    canClose = support::ShowMsg(msgPadrao, "Canc_Fech", DialogType::Confirmation, mb::YesNo) == mr::Yes;
}

void TfrmLancNFEntrada::FormClose(CloseAction& action) {
    ModuleState& state = Cli_dfe11000();
    state.boChange = false;
    dtmRotiFiscal.reset();
    if (InEdit(data.cdsNotaFiscal)) {
        data.cdsNotaFiscal.Cancel();
        for (DataSet* ds :
             {&data.cdsNotaFiscal, &data.cdsItemProduto, &data.cdsItemEncargo, &data.cdsDadosAdic,
              &data.cdsContaPagar, &data.cdsTrabImposNFTot, &data.cdsItemNotaFisc, &data.cdsNFRelacAF}) {
            if (!ds->Active()) continue;
            if (InEdit(*ds)) ds->Cancel();
            ds->CancelUpdates();
        }
    }
    state.boIdCriado = false;
    state.boChange = true;
    support::zymora::ClearMsgEventForm();
    frmFiltroNFEntrada.reset();
    server.DisconnectFormConnections();
    server.DropReferences();
    data.cdsEtiqRegera.Close();
    FormCloseBase(action);
}

void TfrmLancNFEntrada::FiltroDeleter::operator()(TfrmFiltroNFEntrada* dialog) const {
    delete dialog;
}

} // namespace dfe::dfe11000
