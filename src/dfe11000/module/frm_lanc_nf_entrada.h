#pragma once

#include "dfe11000/module/module_state.h"
#include "dfe11000/posting/romaneio_filter.h"

#include "platform/data/dataset.h"
#include "platform/db/tadoib_query.h"
#include "platform/net/connection_references.h"
#include "platform/net/net_connection.h"
#include "platform/ui/controls.h"
#include "platform/ui/data_source_component.h"
#include "platform/ui/db_choice.h"
#include "platform/ui/db_edit.h"
#include "platform/ui/db_grid.h"
#include "support/btn_pesquisa.h"
#include "support/frm_padrao.h"

#include <array>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <utility>

namespace dfe::dfe11000 {

// The fiscal routines' data module of the support library; its routines arrive with the rules that call
// them, the form only owns its life.
class TdtmRotiFiscal {};

class TfrmFiltroNFEntrada;

// "Lançamento de Notas Fiscais" (DFE11000): the posting form. It owns the posting's datasets, the
// connections to the server and every control; its rules live by subsystem in the sibling folders.
class TfrmLancNFEntrada : public support::TfrmPadrao {
public:
    explicit TfrmLancNFEntrada(Application& app);
    ~TfrmLancNFEntrada() override;

    // ---- Datasets of the posting and of the parameters
    DataSet cdsRomaneioNF{"cdsRomaneioNF"};
    DataSet cdsNotaFiscal{"cdsNotaFiscal"};
    DataSet cdsItemProduto{"cdsItemProduto"};
    DataSet cdsItemNotaFisc{"cdsItemNotaFisc"};
    DataSet cdsItemEncargo{"cdsItemEncargo"};
    DataSet cdsContaPagar{"cdsContaPagar"};
    DataSet cdsDadosAdic{"cdsDadosAdic"};
    DataSet cdsTrabImposNFTot{"cdsTrabImposNFTot"};
    DataSet cdsTrabItProImpos{"cdsTrabItProImpos"};
    DataSet cdsNFRelacAF{"cdsNFRelacAF"};
    DataSet cdsItemNFOrigem{"cdsItemNFOrigem"};
    DataSet cdsProdRelacServ{"cdsProdRelacServ"};
    DataSet cdsImpImpoXML{"cdsImpImpoXML"};
    DataSet cdsCountNFOrig{"cdsCountNFOrig"};
    DataSet cdsParamDFE{"cdsParamDFE"};
    DataSet cdsGrupoImpFili{"cdsGrupoImpFili"};
    DataSet cdsParamForne{"cdsParamForne"};
    DataSet cdsProdXFornDF{"cdsProdXFornDF"};
    DataSet cdsParamEmpresa{"cdsParamEmpresa"};
    DataSet cdsParamGeral{"cdsParamGeral"};
    DataSet cdsEtiqRegera{"cdsEtiqRegera"};
    // Local-only datasets, created empty by FormCreate.
    DataSet cdsProdIrreg{"cdsProdIrreg"};
    DataSet cdsErrosVisual{"cdsErrosVisual"};
    DataSet cdsEntrega{"cdsEntrega"};
    DataSet cdsItemEntrega{"cdsItemEntrega"};
    DataSet cdsTotaItem{"cdsTotaItem"};
    DataSet cdsImpoItemAF{"cdsImpoItemAF"};
    DataSet cdsItemProdutoAux{"cdsItemProdutoAux"};
    DataSet cdsErrosFech{"cdsErrosFech"};
    DataSet cdsLiberacao{"cdsLiberacao"};

    // ---- Lookups against the ERP database
    db::TADOIBQuery qryFiliRece{"qryFiliRece"};
    db::TADOIBQuery qryFiliOffLine{"qryFiliOffLine"};
    db::TADOIBQuery qryNFOffLine{"qryNFOffLine"};
    db::TADOIBQuery qryOperRelac{"qryOperRelac"};

    // ---- Connections to the application server and their reference counts
    net::TNetConnection netEstoque;
    net::TNetConnection netDocFiscEntr;
    net::TNetConnection netLancNFEntrada;
    net::TNetConnection netInfoProd;
    net::TNetConnection netAutoriza;
    net::TNetConnection netSituacao;
    std::unique_ptr<net::ConnectionReferences> stlConexoes;

    // ---- Private state of the form
    std::string stTipoOperAtual = "00";
    bool boFiltroConfirmado = false;
    bool boIncluiAposFiltro = false;
    std::unique_ptr<TdtmRotiFiscal> dtmRotiFiscal;
    // The supplier string of GetParamForn (element 2 of its answer).
    std::string stParamForn;
    // The operation type's attributes (TipoOper): 26 flags read by element number.
    std::array<std::string, 26> astTipoOper;
    const std::string& TipoOperElem(int index) const;
    // IDUTILEMISNF of the current operation type (the number is then optional).
    std::string stIdUtilEmisNF;

    // ---- Data sources
    DataSource* dtsRomaneioNF = nullptr;
    DataSource* dtsNotaFiscal = nullptr;
    DataSource* dtsItemProduto = nullptr;
    DataSource* dtsItemNotaFisc = nullptr;
    DataSource* dtsItemEncargo = nullptr;
    DataSource* dtsContaPagar = nullptr;
    DataSource* dtsDadosAdic = nullptr;
    DataSource* dtsTrabImpoNFTot = nullptr;
    DataSource* dtsTrabItProImpos = nullptr;
    DataSource* dtsFiliRece = nullptr;

    // ---- Controls (owned by the form, built by BuildLayout)
    Panel* panFilial = nullptr;
    Label* lblFilial = nullptr;
    MaskEdit* medCdFilial = nullptr;
    support::TBtnPesquisa* btpFilial = nullptr;
    Edit* edtNmFilial = nullptr;
    SpeedButton* sbtFiltro = nullptr;
    SpeedButton* sbtConheTransp = nullptr;
    SpeedButton* sbtGeraSaida = nullptr;
    MenuItem* mnuFiltro = nullptr;
    MenuItem* mnuConheTransp = nullptr;
    MenuItem* mnuGeraSaida = nullptr;
    SpeedButton* sbtReplicDoc = nullptr;
    MenuItem* mnuReplicDoc = nullptr;
    DBGrid* dbgPadrao = nullptr;
    TabSheet* tshVencimento = nullptr;
    DBGrid* dbgContaPagar = nullptr;
    ScrollBox* scbFormulario = nullptr;
    // header
    Panel* panCabecalho = nullptr;
    DBEdit* dbeCdEmpresa = nullptr;
    DBEdit* dbeCdTipoOper = nullptr;
    DBEdit* dbeModDocFis = nullptr;
    DBEdit* dbeSerie = nullptr;
    DBEdit* dbeCdSerie = nullptr;
    DBEdit* dbeNumero = nullptr;
    DBEdit* dbeNrNotaFisc = nullptr;
    DBDateEdit* dbdDtEmissao = nullptr;
    DBDateEdit* dbdEntrSaid = nullptr;
    DBEdit* dbeCodiCFOp = nullptr;
    DBEdit* dbeDescCFOp = nullptr;
    Notebook* nbkDestino = nullptr;
    GroupBox* grbCliente = nullptr;
    DBEdit* dbeNrInsJurClie = nullptr;
    GroupBox* grbFornecedor = nullptr;
    DBEdit* dbeNrInsJurNF = nullptr;
    support::TBtnPesquisa* btpFornecedor = nullptr;
    GroupBox* grbFilialEmit = nullptr;
    DBEdit* dbeCdFilial = nullptr;
    GroupBox* grbInscrEstad = nullptr;
    DBEdit* dbeCdInscEsta = nullptr;
    GroupBox* grbDestReme = nullptr;
    Edit* edtNmDestReme = nullptr;
    // origin and remittance documents
    Panel* panDadosNFRemessa = nullptr;
    Panel* panNFOrigem = nullptr;
    GroupBox* grbNFOrigem = nullptr;
    RadioButton* rbtUnica = nullptr;
    RadioButton* rbtLista = nullptr;
    DBEdit* dbeSerieSaida = nullptr;
    DBEdit* dbeNumeroSaida = nullptr;
    support::TBtnPesquisa* btpNFSaida = nullptr;
    SpeedButton* btpLista = nullptr;
    // items and below (tag 4: moved together by AjustaPanels)
    Panel* panItemProduto = nullptr;
    GroupBox* grbDadosProd = nullptr;
    Notebook* nbkItensNF = nullptr;
    DBGrid* dbgItemProduto = nullptr;
    DBGrid* dbgItemNotaFisc = nullptr;
    DBGrid* dbgItemsNFForn = nullptr;
    GroupBox* grbProdEmiss = nullptr;
    DBEdit* dbeCdProdEmiss = nullptr;
    GroupBox* grbImposItem = nullptr;
    DBGrid* dbgItemProImpos = nullptr;
    Panel* panImpostos = nullptr;
    GroupBox* grbImposNF = nullptr;
    DBGrid* dbgImposNFTot = nullptr;
    Panel* panEncargos = nullptr;
    GroupBox* grbItEncargo = nullptr;
    DBGrid* dbgItemEncargo = nullptr;
    Panel* panTransporte = nullptr;
    GroupBox* grbTransport = nullptr;
    Notebook* nbkTransport = nullptr;
    DBGrid* dbgItemSemNF = nullptr;
    GroupBox* grbMensagem = nullptr;
    DBGrid* dbgDadosAdic = nullptr;
    GroupBox* grbTotalNF = nullptr;
    DBEdit* dbeVrNotaFisc = nullptr;
    GroupBox* grbDAE = nullptr;
    Notebook* nbkCte = nullptr;
    GroupBox* grbNatFreteCTe = nullptr;

    // ---- Life of the form
    void FormCreate();
    void FormShow();
    void FormActivate();
    void FormDeactivate();
    void FormCloseQuery(bool& canClose);
    void FormClose(CloseAction& action);
    void FormKeyDown(int& key, ShiftState shift);

    // ---- Connections
    // Counts a reference on the connection (Part of the server gateway); opens at the first, closes at the
    // last.
    void ConnectServer(net::TNetConnection& connection, bool connect);
    net::ConnectionReferences& References();

    // ---- Keyboard hook and branch panel
    void OnMessage(Message& message, bool& handled);
    bool FiltroAtivo() const;
    void medCdFilialChange();
    void medCdFilialEnter();
    void medCdFilialExit();
    void panFilialEnter();
    void panFilialExit();
    void sbtFiltroClick();
    // Branch rules: the branch typed (required or not) and the operator's relation to it.
    void Vd_Filial(bool required);
    void Vd_OperadorRelac();
    // Reopens qryFiliRece for one branch (empty: every branch).
    void OpenBranchLookup(const std::string& branch);
    std::string BranchName(const std::string& branch);
    void sbtProcurarClick() override;
    void sbtIncluirClick() override;
    // Enables the tag-50 controls, the list, the maintenance menu items and the replication command.
    void Habilita(bool enable);

    // ---- Layout by operation type and group captions
    void AjustaPanels(int offset);
    // The origin choices of a return operation, by how many origin documents the posting has.
    void AjustaOrigemDevolucao();
    void GroupBoxPadraoZym();
    // The item grid nbkItensNF shows.
    DBGrid* VisibleItemGrid() const;
    // The participant's identification field of the nbkDestino page shown.
    DBEdit* ParticipantField() const;

    // ---- Parameters
    void GetParamDFE(const std::string& branch);
    void GetParamForn(const std::string& supplier);
    void GetParamEmpresa(const std::string& company);
    void GetParamGeral();
    void ApplySupplierSearchRule();
    void cdsParamDFEAfterOpen();
    // Empties the supplier datasets and string, so that no other supplier's rules apply after a failure.
    void ClearSupplierParams();
    bool ParamDFELoadedFor(const std::string& branch) const;

    // ---- Posting data model: datasets of the posting, their sources, grids and bound controls
    DataSet cdsImposNFTot{"cdsImposNFTot"};
    DataSet cdsItemProImpos{"cdsItemProImpos"};
    DataSet cdsItensNFOrig{"cdsItensNFOrig"};
    DataSet cdsNotaFiscalAux{"cdsNotaFiscalAux"};
    DataSet cdsNFOrigem{"cdsNFOrigem"};
    DataSet cdsItemNF{"cdsItemNF"};
    DataSet cdsListServProd{"cdsListServProd"};
    DataSource* dtsItemNF = nullptr;
    DataSource* dtsNFOrigem = nullptr;
    DataSource* dtsItemNFOrigem = nullptr;
    DataSource* dtsErrosVisual = nullptr;
    DBEdit* dbeNmEmpresa = nullptr;
    DBEdit* dbeNmTipoOper = nullptr;
    DBText* dbtNome = nullptr;
    DBRadioGroup* drgSaidEntr = nullptr;
    DBEdit* dbeNrInsJurTran = nullptr;
    Edit* edtNmRazSocTrans = nullptr;
    Edit* dbeEndeTrans = nullptr;
    Edit* dbeMuniTrans = nullptr;
    Edit* dbeUFTrans = nullptr;
    Edit* dbeInscEstaTrans = nullptr;
    DBEdit* dbeNrPlacVeic = nullptr;
    DBEdit* dbeUFVeic = nullptr;
    DBComboBox* cbbFreteConta = nullptr;
    DBEdit* dbeDsQtDevolu = nullptr;
    DBEdit* dbeEspecVolu = nullptr;
    DBEdit* dbeMarcaVolu = nullptr;
    DBEdit* dbeNumeVolu = nullptr;
    DBEdit* dbePBrutoVolu = nullptr;
    DBEdit* dbePLiquVolu = nullptr;
    DBEdit* dbeNmModDocFis = nullptr;
    Notebook* ntbChave = nullptr;
    DBEdit* dbeChaveAcesso = nullptr;
    DBEdit* dbeChavePServ = nullptr;
    Label* lblCdServico = nullptr;
    DBEdit* dbeCdServico = nullptr;
    support::TBtnPesquisa* btpCodServico = nullptr;
    DBEdit* dbeForneNFRemessa = nullptr;
    DBEdit* dbeNumNFRemessa = nullptr;
    GroupBox* grbLocPrestServ = nullptr;
    support::TBtnPesquisa* btpNotaFiscOrigem = nullptr;
    DBEdit* dbeEstado = nullptr;
    DBEdit* dbeNmEstado = nullptr;
    DBEdit* dbeMunicipio = nullptr;
    DBEdit* dbeNMMunicip = nullptr;
    DBComboBox* cbbTipoCte = nullptr;
    DBEdit* dbeIbgeOrig = nullptr;
    DBEdit* dbeIbgeDest = nullptr;
    DBEdit* dbeChaveRef = nullptr;
    DBComboBox* cbbFinEmisDoc = nullptr;
    DBEdit* dbeIbgeNF3e = nullptr;
    DBComboBox* cbbModDocArrec = nullptr;
    DBEdit* dbeDocArrecad = nullptr;
    DBComboBox* cbbNatFreteCTe = nullptr;
    DBRichEdit* dreDsProdEmiss = nullptr;
    DBEdit* dbeVrFatConv = nullptr;
    // Declares every posting dataset's fields (constructor) and the library masks (FormCreate).
    void DeclarePostingDataSets();
    void DeclareItemTaxDataSets();
    void ApplyLibraryMasks();
    // The grids' columns in their order, the hidden ones included.
    void BuildPostingGrids();
    // At creation: the first item columns without their button, the mark columns hidden until a load.
    void HideUnloadedColumns();
    // Shows the tax and item columns that stay hidden until a posting was loaded.
    void ShowLoadedColumns();
    // Rebuilds the working tax tables from the loaded item and document taxes.
    void AtualizaTabTrab();
    void cdsRomaneioNFAfterInsert();
    void WireListDisplay();
    // Display texts of the list row: the operation name with the status suffix, and the posting text.
    std::string TipoOperDisplayText();
    std::string LancamentoDisplayText();
    void dbgPadraoDrawColumnCell(Canvas& canvas, const Rect& rect, GridColumn& column, GridDrawState state);
    // The text the list grid shows in a cell of the current row.
    std::string ListCellText(const GridColumn& column);
    void BuildTransportPage(Container& page);
    void BuildCtePages(Notebook& notebook);

    // ---- Posting list and loading
    // Loads the list of postings the filter asks for into cdsRomaneioNF; the busy animation shows on
    // `busyOn` (the filter dialog), the main window when null.
    void GetRomaneioNF(const RomaneioFilter& filter, Form* busyOn = nullptr);
    // The screen follows the list row: run after the list opens and after every move to another row.
    void cdsRomaneioNFAfterOpen();
    void dtsRomaneioNFStateChange();
    // Leaving a page runs the exit rules of the focused control; an error keeps the page.
    void pgcPadraoChanging(bool& allowChange);
    // The list page empties the posting; another page loads the listed posting from the server.
    void pgcPadraoChange();
    void mnuFolhaDadosClick();
    void mnuFormularioClick();
    void pgcPadraoEnter();
    // The whole posting of the list row in one call. A refusal or an answer that does not fit is shown and
    // leaves every dataset as it was (Abort).
    void GetNFDadosGerais();
    // Reads an answer of GetNFDadosGerais into the posting's datasets, all of them or none.
    void LoadNFDadosGerais(const Variant& answer);
    // Partial loaders: one server call each, under the retry policy, with its busy text.
    void GetNotaFiscal();
    void GetItemProduto();
    void GetItensNFOrig();
    void GetItemNotaFisc();
    void GetItemNFOrigem(const std::string& originKey, const std::string& originBranch,
                         const std::string& originNumber);
    void GetItemEncargo();
    void GetContaPagar();
    void GetDadosAdic();
    void GetImposNFTot();
    void GetItemProImpos();
    void GetNFRelacAF();
    void GetListServProd();
    // A return whose items come from origin documents.
    bool DevolucaoOrigem() const;
    void Atualiza_stExisteDadosNF();
    // Points qryValidProd at the cached or the plain product lookup, by the general parameters.
    void CacheProdFil();
    // Command states from a data source's state (the list's or the header's).
    void ControlaBotoes(DataSource& source);
    void AtualizaMenus();
    // Makes the posting read-only (or editable again) for blocked, replicated and NF-e-generated postings.
    void BloqueiaNF(bool lock);
    void Vd_ModDocFisc(bool required);
    void Vd_VerifProdEst();
    // Controls and lookups of the list and of the loading.
    Notebook* nbkNFOrigem = nullptr;
    support::TBtnPesquisa* btpFiliEmit = nullptr;
    support::TBtnPesquisa* btpCliente = nullptr;
    MenuItem* mnuFolhaDados = nullptr;
    MenuItem* mnuFormulario = nullptr;
    MenuItem* mnuVencimentos = nullptr;
    db::TADOIBQuery qryEmpresa{"qryEmpresa"};
    db::TADOIBQuery qryFornecedor{"qryFornecedor"};
    db::TADOIBQuery qryCliente{"qryCliente"};
    db::TADOIBQuery qryFiliEmit{"qryFiliEmit"};
    db::TADOIBQuery qryInscrEstad{"qryInscrEstad"};
    db::TADOIBQuery qryPesqTransp{"qryPesqTransp"};
    db::TADOIBQuery qryParamGeral{"qryParamGeral"};
    db::TADOIBQuery qryValidProd{"qryValidProd"};
    db::TADOIBQuery qryProdCache{"qryProdCache"};
    db::TADOIBQuery qrySemCache{"qrySemCache"};
    DataSet cdsNFOrigLista{"cdsNFOrigLista"};
    DataSet cdsNFOrigSaid{"cdsNFOrigSaid"};
    // The fiscal group the tax rules remembered for the current posting.
    std::string stGrupoFiscal;
    // Include, cancel and closing set it; the AF import may clear it.
    bool boRelacAF = false;

    // ---- Posting filter
    // Frees the filter dialog, which only this form creates.
    struct FiltroDeleter {
        void operator()(TfrmFiltroNFEntrada* dialog) const;
    };
    // Created by the first filter, kept (hidden) until this form closes.
    std::unique_ptr<TfrmFiltroNFEntrada, FiltroDeleter> frmFiltroNFEntrada;
    // While the filter is open, the series lookup reads the filter's series list.
    bool boFiltroAberto = false;
    // The series and operation types chosen in the filter, as comma lists ("1,2"); empty: none chosen.
    std::string stListaSerie;
    std::string stListaTipoOper;
    // The filter's date ranges: the range's name is the message of the start edit's name.
    void Vd_Datas(DateEdit& start, DateEdit& end);

    // ---- Editing lifecycle and command states
    void sbtAlterarClick() override;
    void sbtConfirmarClick() override;
    void sbtCancelarClick() override;
    // Discards the pending changes of every posting dataset and returns to the list.
    void Cancela();
    void cdsNotaFiscalNewRecord();
    void dtsPadraoStateChange();
    // A detail entering edit puts the header into edit (with `change`, the module's boChange).
    void EditaTabela(DataSource& source, bool change);
    void cdsNotaFiscalBeforeEdit();
    void cdsNotaFiscalAfterEdit();
    void cdsNotaFiscalBeforePost();
    void DisableForInsert();
    // The header completeness check of the closing.
    void ValidaCampos();
    MenuItem* mnuListagem = nullptr;
    MenuItem* mnuConfigImpressora = nullptr;
    MenuItem* mnuImportaAF = nullptr;
    SpeedButton* sbtImportaAF = nullptr;
    MenuItem* mnuImportaNFe = nullptr;
    SpeedButton* sbtImportaNFe = nullptr;
    MenuItem* mnuConsisteAF = nullptr;
    SpeedButton* sbtConsisteAF = nullptr;
    MenuItem* mnuGerarNFId = nullptr;
    MenuItem* mnuGerarNF = nullptr;
    MenuItem* mnuRateio = nullptr;
    SpeedButton* sbtRateio = nullptr;
    MenuItem* mnuManuRateProd = nullptr;
    MenuItem* mnuContRatePaga = nullptr;
    MenuItem* mnuNFProdRural = nullptr;
    SpeedButton* sbtNFProdRural = nullptr;
    MenuItem* mnuErros = nullptr;
    SpeedButton* sbtErros = nullptr;
    Button* btnAtuQtdDev = nullptr;
    // Set by the AF and NF-e import dialogs when they accepted an access key.
    bool boChaveAceita = false;
    // "S" when the NF-e comparison found errors in the posting.
    std::string stErroNFE = "N";
    // "S" once the closing has started for the posting being confirmed.
    std::string stFechamento = "N";
    bool boCancelaCpfCnpj = false;
    // State and municipality as last posted, for the service-location rule.
    std::string stSgEstadoAnt;
    std::string stCdMunicipioAnt;
    // ---- Company, branch and operation type
    db::TADOIBQuery qryTpOper{"qryTpOper"};
    db::TADOIBQuery qryTipoOperac{"qryTipoOperac"};
    db::TADOIBQuery qryValidEmpr{"qryValidEmpr"};
    db::TADOIBQuery qryEmprRelacFili{"qryEmprRelacFili"};
    db::TADOIBQuery qryParamCMPProd1{"qryParamCMPProd1"};
    db::TADOIBQuery qryFornePadr{"qryFornePadr"};
    DataSource* dtsEmpresa = nullptr;
    DataSource* dtsTipoOperac = nullptr;
    // The header panel: company and operation type, fixed once it has been left.
    Panel* pan = nullptr;
    Label* lblEmpresa = nullptr;
    Label* lblTipoOper = nullptr;
    support::TBtnPesquisa* btpEmpresa = nullptr;
    support::TBtnPesquisa* btpTipoOper = nullptr;
    support::TBtnPesquisa* btpEstadoOrig = nullptr;
    support::TBtnPesquisa* btpMunicipio = nullptr;
    MenuItem* mnuAlmoLocal = nullptr;
    SpeedButton* sbtAlmoLocal = nullptr;
    // Reads the operation type's 26 attributes into astTipoOper and returns them as an array of strings.
    Variant TipoOper();
    void Vd_Empresa(bool required);
    void Vd_FiliInat();
    void Vd_TpOper();
    void Vd_BloqueiaNfCMP();
    void dbeCdEmpresaExit();
    void dbeCdEmpresaChange();
    void btpEmpresaBeforePesq();
    void btpEmpresaAfterPesq();
    void btpFilialBeforePesq();
    void btpFilialAfterPesq();
    void dbeCdTipoOperExit();
    void dbeCdTipoOperChange();
    void btpTipoOperBeforePesq();
    void btpTipoOperAfterPesq();
    void qryTipoOperacBeforeOpen();
    void panEnter();
    void panExit();
    // Reopens qryTipoOperac by its before-open rule.
    void ReopenTipoOperac();
    // The colours of the document editors by the current operation type.
    void ColorsByOperationType();
    // What the operation type decides on the screen, shared by the type's exit and the panel's exit.
    void EnableTaxGridsByOperation();
    void EnableOriginEditorsByOperation();
    void ShowParticipantByOperation();
    void ShowItemGridOriginColumn();
    void BuildHeaderPanel();
    void WireHeaderRules();
    void DeclareHeaderLookups();

private:
    bool paramDFEComplete_ = false;
    void BuildLayout();
    void WireBranchPanel();
    void DeclareLookups();
    void BuildBranchPanel();
    void BuildListPages();
    void BuildHeader(Container& page);
    void BuildOriginPanels(Container& page);
    void BuildDetailPanels(Container& page);
    void DeclareLocalDataSets();
    void ConnectFormConnections();
    void DisconnectFormConnections();
    void SizeToMainWindow(int margin);
    void RunFilterAfterBranch();
    DataSource* AddSource(const std::string& name, DataSet& dataSet);
    void WireListAndLoading();
    void BuildLoadingControls();
    void DeclareLoadingLookups();
    void ReopenInscrEstad();
    void ParticipantCaption();
    void LockByRow();
    void CloseLoadedPosting();
    bool SupplierNotHomologated() const;
    void ShowLoadedPosting(bool loaded);
    void ShowKeyNotebook();
    void ShowParticipantLookup();
    void ShowCarrier();
    void LockAfterLoad();
    void ShowRowDocumentModel();
    void LockDocumentIdentity();
    void MarkItemFields(bool quantitiesOnly);
    // Branch and posting number of the list row (of the header when nothing is listed).
    std::pair<std::string, std::string> PostingKey() const;
    // "Recebendo nota fiscal (<part>) do servidor..." for the part's message code.
    std::string GetNFText(const char* part) const;
    void RunLoader(const char* method, const char* part, DataSet& target,
                   const std::function<net::CallArgs(std::deque<std::string>&)>& build);
    void ShowRowCompany();
    void ShowRowOperationType();
    void ShowRowParticipant();
    void ShowRowCommands();
    void LoadRowRelatedDocuments();
    void EnableRowEditors();
    void ShowRowInstallmentsAndTaxes();
    void WireEditingLifecycle();
    void BuildEditingCommands();
    void ResetPostingTexts();
    void CancelDetailsAndRow();
    bool CancelEditedDetail();
    void AskManifestation();
    void FocusAfterChange();
    void InsertListRow();
    bool StockMoves() const;
    void LoadSupplierParams();
    void ConfirmHeaderRules();
    void Refuse(Control* focus, const char* code);
    void RunPendingExit();
    void ReleaseFailed();
    void UpdateStockDate();
};

} // namespace dfe::dfe11000
