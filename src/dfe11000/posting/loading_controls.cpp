// What the list and the loading of a posting need on the form: their handlers, the few controls the layout
// does not place yet, and the lookups they reopen.
#include "dfe11000/module/frm_lanc_nf_entrada.h"

namespace dfe::dfe11000 {
namespace {

// The layout may already place a control of this name; otherwise it is made here, out of the way.
template <class T> T* FindOrAdd(Form& form, Container& parent, const char* name) {
    if (T* found = form.Find<T>(name)) return found;
    T& control = parent.Add<T>(name);
    control.SetBounds(0, 0, 0, 0);
    return &control;
}

MenuItem* FindOrAddItem(Form& form, MenuItem& parent, const char* name, const char* caption) {
    if (auto* found = form.Find<MenuItem>(name)) return found;
    return &parent.AddItem(name, caption);
}

// Runs the handler set before, if any, then this one.
void Chain(DataSet::Handler& slot, DataSet::Handler next) {
    slot = [previous = slot, next = std::move(next)](DataSet& ds) {
        if (previous) previous(ds);
        next(ds);
    };
}

} // namespace

void TfrmLancNFEntrada::BuildLoadingControls() {
    nbkNFOrigem = FindOrAdd<Notebook>(*this, *grbNFOrigem, "nbkNFOrigem");
    while (nbkNFOrigem->Pages().size() < 2)
        nbkNFOrigem->Add<NotebookPage>("pagNFOrigem" + std::to_string(nbkNFOrigem->Pages().size()));
    while (nbkCte->Pages().size() < 2)
        nbkCte->Add<NotebookPage>("pagCte" + std::to_string(nbkCte->Pages().size()));
    btpNotaFiscOrigem = FindOrAdd<support::TBtnPesquisa>(*this, *grbNFOrigem, "btpNotaFiscOrigem");
    btpFiliEmit = FindOrAdd<support::TBtnPesquisa>(*this, *grbFilialEmit, "btpFiliEmit");
    btpCliente = FindOrAdd<support::TBtnPesquisa>(*this, *grbCliente, "btpCliente");
    MenuItem& view = *FindOrAddItem(*this, mnuArquivo, "mnuExibir", "E&xibir");
    mnuFolhaDados = FindOrAddItem(*this, view, "mnuFolhaDados", "R&omaneio");
    mnuFormulario = FindOrAddItem(*this, view, "mnuFormulario", "&Nota Fiscal");
    mnuVencimentos = FindOrAddItem(*this, view, "mnuVencimentos", "&Vencimentos");
}

void TfrmLancNFEntrada::WireListAndLoading() {
    BuildLoadingControls();
    DeclareLoadingLookups();
    // Opening a list with rows also scrolls to its first row: the row is handled once, there.
    Chain(cdsRomaneioNF.AfterOpen, [this](DataSet& ds) {
        if (ds.IsEmpty()) cdsRomaneioNFAfterOpen();
    });
    Chain(cdsRomaneioNF.AfterScroll, [this](DataSet&) { cdsRomaneioNFAfterOpen(); });
    Chain(cdsNotaFiscal.AfterOpen, [this](DataSet&) { ReopenInscrEstad(); });
    auto stateChange = dtsRomaneioNF->OnStateChange;
    dtsRomaneioNF->OnStateChange = [this, stateChange](DataSource& source) {
        if (stateChange) stateChange(source);
        dtsRomaneioNFStateChange();
    };
    pgcPadrao.OnChanging = [this](Component&, bool& allowChange) { pgcPadraoChanging(allowChange); };
    pgcPadrao.OnChange = [this](Component&) { pgcPadraoChange(); };
    pgcPadrao.OnEnter = [this](Component&) { pgcPadraoEnter(); };
    mnuFolhaDados->OnClick = [this](Component&) { mnuFolhaDadosClick(); };
    mnuFormulario->OnClick = [this](Component&) { mnuFormularioClick(); };
    mnuVencimentos->OnClick = [this](Component&) {
        pgcPadrao.SetActivePage(tshVencimento);
        pgcPadraoChange();
    };
}

void TfrmLancNFEntrada::ReopenInscrEstad() {
    const Field* registration = cdsNotaFiscal.Active() ? cdsNotaFiscal.FindField("CDINSCESTA") : nullptr;
    qryInscrEstad.Close();
    qryInscrEstad.ParamByName("P_CDEMPRESA") = Variant(dbeCdEmpresa->Text());
    qryInscrEstad.ParamByName("P_CDINSCESTA") = Variant(registration ? registration->AsString() : "");
    qryInscrEstad.Open();
}

void TfrmLancNFEntrada::pgcPadraoEnter() {
    ReopenInscrEstad();
}

void TfrmLancNFEntrada::DeclareLoadingLookups() {
    qryFornecedor.SetSQL("SELECT F.CDFORNECED, F.IDTPIJURFORN, F.NRINSJURFORN, F.NMRAZSOCFORN, F.NRINSESTFORN"
                         " FROM FORNECEDOR F WHERE F.IDTPIJURFORN = :P_IDTPIJURFORN"
                         " AND F.NRINSJURFORN = :P_NRINSJURFORN");
    qryCliente.SetSQL("SELECT C.CDCLIENTE, C.IDTPIJURCLIE, C.NRINSJURCLIE, C.NMRAZSOCCLIE FROM CLIENTE C"
                      " WHERE (C.NRINSJURCLIE = :P_NRINSJURCLIE OR :P_TODOS = 'S') ORDER BY C.CDCLIENTE");
    qryFiliEmit.SetSQL("SELECT F.CDFILIAL, F.NMFILIAL, F.IDTPIJURFILI, F.NRINSJURFILI FROM FILIAL F"
                       " WHERE F.CDFILIAL = :P_CDFILIAL");
    qryInscrEstad.SetSQL(
        "SELECT I.CDINSCESTA, I.NMREPRINSEST, M.NMMUNICIPIO, I.IDTPIJURIEST, I.NRINSJURIEST, I.SGESTADO,"
        " I.NRCEPIEST, I.DSENDEIEST, I.NMBAIRIEST, I.NRTELEIEST, I.NRFAXIEST, I.CDPAIS, I.CDMUNICIPIO,"
        " E.NMRAZSOCEMPR, I.IDTPAMBIENTENFE, I.NRSERIECERTIFIC, U.CDESTADOIBGE FROM INSCESTADUAL I"
        " JOIN EMPRESA E ON E.CDEMPRESA = I.CDEMPRESA"
        " LEFT JOIN MUNICIPIO M ON M.CDPAIS = I.CDPAIS AND M.SGESTADO = I.SGESTADO AND M.CDMUNICIPIO = "
        "I.CDMUNICIPIO"
        " LEFT JOIN ESTADO U ON U.CDPAIS = I.CDPAIS AND U.SGESTADO = I.SGESTADO"
        " WHERE I.CDEMPRESA = :P_CDEMPRESA AND I.CDINSCESTA = :P_CDINSCESTA");
    qryPesqTransp.SetSQL(
        "SELECT T.NRINSJURTRAN, T.IDTPIJURTRAN, T.NMRAZSOCTRAN, T.DSENDETRAN, M.NMMUNICIPIO,"
        " T.SGESTADO, T.NRINSESTTRAN FROM TRANSPORT T LEFT JOIN MUNICIPIO M"
        " ON M.CDPAIS = T.CDPAIS AND M.SGESTADO = T.SGESTADO AND M.CDMUNICIPIO = T.CDMUNICIPIO"
        " WHERE (T.NRINSJURTRAN = :P_NRINSJURTRAN OR :P_TODOS = 'S') ORDER BY T.NMRAZSOCTRAN");
    qryParamGeral.SetSQL("SELECT P.CDPARAMGERAL, P.IDCACHPRODFI, P.IDUTRELPRODSERV, P.IDPERVISIMPSCRE"
                         " FROM PARAMGERAL P ORDER BY P.CDPARAMGERAL");
    // The product of the branch by its typed code: the cached text reads the branch's products only.
    const char* product =
        "SELECT P.CDPRODUTO, P.NMPRODUTO, P.SGUNIDADE, P.CDPRODESTO, P.CDARVPROD, P.VRFATOCONV"
        " FROM PRODUTO P WHERE P.CDARVPROD = :P_CDPRODUTO AND P.IDPRODATIVPR = 'S'";
    qrySemCache.SetSQL(product);
    qryProdCache.SetSQL(std::string(product) +
                        " AND EXISTS (SELECT 1 FROM FILIAL F WHERE F.CDFILIAL = :P_CDFILIAL)");
}

} // namespace dfe::dfe11000
