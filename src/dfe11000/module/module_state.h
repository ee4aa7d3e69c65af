#pragma once

#include "platform/core/date_time.h"
#include "platform/core/variant.h"

#include <memory>
#include <string>
#include <vector>

namespace dfe::support {
class TDBPicture;
}

namespace dfe::dfe11000 {

class TfrmLancNFEntrada;

// The flags and values the posting form's operations share (unit Cli_dfe11000). It belongs to the package,
// not to the form: it outlives the form and only FormCreate resets part of it. Values the rules leave
// "not set" start false, empty or zero.
struct ModuleState {
    TfrmLancNFEntrada* frmLancNFEntrada = nullptr;

    bool boIdCriado = false;
    bool boChange = true;
    bool boAlteraNF = true;
    bool boTotaItem = false;
    bool boInsert = false;
    bool boBloqueia = false;
    bool boAltLiberacao = false;
    bool boImpAFParaXML = false;
    bool boAtuaRoma = false;
    bool boManipStatus = false;
    bool boAtuaNovoCod = false;
    bool boVenc = false;
    bool boProdInsert = false;
    bool boImportaAF = false;
    bool boReplic = false;
    bool boCodBar = true;
    bool boAFFornBran = false;
    bool boBlqNFRelFoAF = true;
    bool boImporta = false;
    bool boLote = true;
    bool boVencAF = false;
    bool boAlteraLib = false;
    bool boCancela = false;
    bool boVerifQuali = true;
    bool boModDocFis = true;
    bool boAvisDtEmis = false;
    bool boAjustaNr = true;
    bool boIncluiFiltro = false;
    bool boGeraVenc = false;
    bool boNFImpNFe = false;
    bool boSeqItProd = true;
    bool boCanlcelNfe = false;
    bool boAlteraNumNF = false;
    bool boPertFili = true;
    bool boImportaNFe = false;
    bool boBloqAltChAcs = false;
    bool boHabEtiq = false;
    bool boConsEtiq = false;
    bool boLocPrestServ = false;
    bool boRetornoInscEsta = false;
    bool boBloqueiaReplic = false;
    bool boItensServico = false;

    std::string stTodos = "N";
    std::string stIdNFImpAF = "N";
    std::string stIDTPIJURFORN;
    std::string stNRINSJURFORN;
    std::string stAuxiliaEntr = "S";
    std::string stShowInfoNFE = "N";
    std::string stSugAlmox = "N";
    std::string stSugAlmoEstPr = "N";
    std::string stErroFech = "N";
    std::string stLimitForn = "S";
    std::string stVerifVrNF = "N";
    std::string stLoteProdXML;
    DateTime stValLoteProdXML;
    DateTime stFabLoteProdXML;
    std::string stExisteDadosNF = "N";
    std::string stTpCtPag;
    std::string stCdClassFina;
    std::string stColunaDesc;
    std::string stFiltro = "J";
    std::string stLista;
    // The state registration chosen in the registration dialog or by an import; cleared by cancel.
    std::string stInscEstaImp;

    int inCodigo = 0;
    int inCodiItem = 0;
    int inCodiItemNF = 0;
    int inContSequencial = 0;
    double reDiferenca = 0;
    DateTime dtDataProc;

    // Without initial value; used by the rules named in their users.
    std::string stList, stListDevol, stTp, stNr, stFili, stNFOrig, stModDocFisc, stTpOper, stDsProdEmiss,
        stCdProdEmiss, stIDTPIJURAF, stNRINSJURAF, stChaveAcesso, stEmpresaImpNFE, stContaPagar, stValidQuant;
    DateTime dtInicial, dtFinal, dtEvolEstoq;
    std::vector<std::string> stlErrosNF, stlItemNF;
    Variant astLancamento, astRelacProdAF;
    std::shared_ptr<support::TDBPicture> dbpProduto;
    Variant dbImp;
};

// The unit's state; the package's load gives it its defaults.
ModuleState& Cli_dfe11000();
// Runs the unit initialization again (every value back to its default); for a fresh start of the package
// and for tests, never while a form exists.
void InitializeModuleState();

} // namespace dfe::dfe11000
