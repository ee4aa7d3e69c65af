#pragma once

// The lookups of the header rules: branch, company, operation type, participants, state registration,
// carrier and service location. Their texts are set here, once; their parameters by the rules that open them.

#include "platform/data/data_source.h"
#include "platform/db/tadoib_query.h"

namespace dfe::dfe11000 {

struct HeaderLookups {
    HeaderLookups();

    db::TADOIBQuery qryFiliRece{"qryFiliRece"};
    db::TADOIBQuery qryFiliOffLine{"qryFiliOffLine"};
    db::TADOIBQuery qryNFOffLine{"qryNFOffLine"};
    db::TADOIBQuery qryOperRelac{"qryOperRelac"};
    db::TADOIBQuery qryEmpresa{"qryEmpresa"};
    db::TADOIBQuery qryValidEmpr{"qryValidEmpr"};
    db::TADOIBQuery qryEmprRelacFili{"qryEmprRelacFili"};
    db::TADOIBQuery qryTpOper{"qryTpOper"};
    db::TADOIBQuery qryTipoOperac{"qryTipoOperac"};
    db::TADOIBQuery qryParamCMPProd1{"qryParamCMPProd1"};
    db::TADOIBQuery qryFornePadr{"qryFornePadr"};
    db::TADOIBQuery qryFornecedor{"qryFornecedor"};
    db::TADOIBQuery qryCliente{"qryCliente"};
    db::TADOIBQuery qryFiliEmit{"qryFiliEmit"};
    db::TADOIBQuery qryInscrEstad{"qryInscrEstad"};
    db::TADOIBQuery qryVdForRelFor{"qryVdForRelFor"};
    db::TADOIBQuery qryVdTOperForn{"qryVdTOperForn"};
    db::TADOIBQuery qryTOperFornDisp{"qryTOperFornDisp"};
    // The supplier pick list takes the text of one of the two below before each search.
    db::TADOIBQuery qryPesqForn{"qryPesqForn"};
    db::TADOIBQuery qryPesFornRelac{"qryPesFornRelac"};
    db::TADOIBQuery qryPesFornNRelac{"qryPesFornNRelac"};
    db::TADOIBQuery qryEncargo{"qryEncargo"};
    // The document's series and the receiving registration's country.
    db::TADOIBQuery qrySerieEntr{"qrySerieEntr"};
    db::TADOIBQuery qryVdSerieEntr{"qryVdSerieEntr"};
    db::TADOIBQuery qryPais{"qryPais"};
    // The remittance supplier of a triangular operation: the search and the typed number's check.
    db::TADOIBQuery qryForneNFRemessa{"qryForneNFRemessa"};
    db::TADOIBQuery qryVdForneNFRemessa{"qryVdForneNFRemessa"};
    // The carrier: its search and the typed number's check.
    db::TADOIBQuery qryPesqTransp{"qryPesqTransp"};
    // The service location: states and municipalities of the country, their searches and checks.
    db::TADOIBQuery qryEstado{"qryEstado"};
    db::TADOIBQuery qryVd_Estado{"qryVd_Estado"};
    db::TADOIBQuery qryMunicipio{"qryMunicipio"};
    db::TADOIBQuery qryVd_Municipio{"qryVd_Municipio"};
    // Components of the form, created with the header's controls.
    DataSource* dtsFiliRece = nullptr;
    DataSource* dtsEmpresa = nullptr;
    DataSource* dtsTipoOperac = nullptr;
    DataSource* dtsFornecedor = nullptr;
    DataSource* dtsCliente = nullptr;
    DataSource* dtsFiliEmit = nullptr;
    DataSource* dtsInscrEstad = nullptr;
    DataSource* dtsPesqForn = nullptr;
    DataSource* dtsSerieEntr = nullptr;
    DataSource* dtsForneNFRemessa = nullptr;
    DataSource* dspPesqTransp = nullptr;
    DataSource* dtsEstado = nullptr;
    DataSource* dtsMunicipio = nullptr;
};

} // namespace dfe::dfe11000
