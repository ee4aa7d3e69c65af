#pragma once

// Every dataset of the posting and of the module's parameters, with the data sources the controls and
// rules hang on. The form owns one of these; each rule reaches it through the form.

#include "platform/data/data_source.h"
#include "platform/data/dataset.h"

namespace dfe {
class Component;
}

namespace dfe::dfe11000 {

struct PostingDataSets {
    PostingDataSets();

    // ---- The posting: list row, header and details
    DataSet cdsRomaneioNF{"cdsRomaneioNF"};
    DataSet cdsNotaFiscal{"cdsNotaFiscal"};
    DataSet cdsNotaFiscalAux{"cdsNotaFiscalAux"};
    DataSet cdsItemProduto{"cdsItemProduto"};
    DataSet cdsItemNotaFisc{"cdsItemNotaFisc"};
    DataSet cdsItemEncargo{"cdsItemEncargo"};
    DataSet cdsContaPagar{"cdsContaPagar"};
    DataSet cdsDadosAdic{"cdsDadosAdic"};
    DataSet cdsImposNFTot{"cdsImposNFTot"};
    DataSet cdsItemProImpos{"cdsItemProImpos"};
    DataSet cdsTrabImposNFTot{"cdsTrabImposNFTot"};
    DataSet cdsTrabItProImpos{"cdsTrabItProImpos"};
    DataSet cdsNFRelacAF{"cdsNFRelacAF"};
    DataSet cdsItemNFOrigem{"cdsItemNFOrigem"};
    DataSet cdsItensNFOrig{"cdsItensNFOrig"};
    DataSet cdsNFOrigem{"cdsNFOrigem"};
    DataSet cdsNFOrigLista{"cdsNFOrigLista"};
    DataSet cdsNFOrigSaid{"cdsNFOrigSaid"};
    DataSet cdsDevolucao{"cdsDevolucao"};
    DataSet cdsItemNF{"cdsItemNF"};
    // A named entry's own payables, and the named posting itself (no row: it does not exist).
    DataSet cdsValidCntPagar{"cdsValidCntPagar"};
    DataSet cdsValidItNF{"cdsValidItNF"};
    // The items of the purchase authorizations imported, with the lot each was authorized in.
    DataSet cdsItemAutF{"cdsItemAutF"};
    DataSet cdsCountNFOrig{"cdsCountNFOrig"};
    DataSet cdsProdRelacServ{"cdsProdRelacServ"};
    DataSet cdsListServProd{"cdsListServProd"};
    // The municipality codes of the CT-e and NF3-e editors, loaded once from the server and kept.
    DataSet cdsIbge{"cdsIbge"};
    DataSet cdsImpImpoXML{"cdsImpImpoXML"};
    DataSet cdsEtiqRegera{"cdsEtiqRegera"};
    // ---- Answers the item rules read: the product at the branch, its lot control and the lot of the NF-e,
    // the quantity already returned, the last purchase cost, the AF import, the item's audits
    DataSet cdsProdFili{"cdsProdFili"};
    DataSet cdsVerifLote{"cdsVerifLote"};
    DataSet cdsDadosLoteXML{"cdsDadosLoteXML"};
    DataSet cdsVd_QuantDev{"cdsVd_QuantDev"};
    DataSet cdsCustoCmpProd{"cdsCustoCmpProd"};
    DataSet cdsVerifNFImpAF{"cdsVerifNFImpAF"};
    DataSet cdsVd_ProdAudit{"cdsVd_ProdAudit"};
    // The supplier's valid qualifications and the document models of the operation type.
    DataSet cdsQualifForn{"cdsQualifForn"};
    DataSet cdsModDoc{"cdsModDoc"};
    // ---- Answers of the document identity and access key checks
    DataSet cdsModDocFisc{"cdsModDocFisc"};
    DataSet cdsConForn{"cdsConForn"};
    DataSet cdsConfNumClie{"cdsConfNumClie"};
    DataSet cdsConfNumFil{"cdsConfNumFil"};
    DataSet cdsVdCAcesso{"cdsVdCAcesso"};
    DataSet cdsVdEmissaoXML{"cdsVdEmissaoXML"};
    DataSet cdsCFOPXML{"cdsCFOPXML"};
    // ---- Parameters of the branch, the supplier, the company and the installation
    DataSet cdsParamDFE{"cdsParamDFE"};
    DataSet cdsGrupoImpFili{"cdsGrupoImpFili"};
    DataSet cdsParamForne{"cdsParamForne"};
    DataSet cdsProdXFornDF{"cdsProdXFornDF"};
    DataSet cdsParamEmpresa{"cdsParamEmpresa"};
    DataSet cdsParamGeral{"cdsParamGeral"};
    // ---- Local-only datasets, created empty by FormCreate
    DataSet cdsProdIrreg{"cdsProdIrreg"};
    DataSet cdsErrosVisual{"cdsErrosVisual"};
    DataSet cdsEntrega{"cdsEntrega"};
    DataSet cdsItemEntrega{"cdsItemEntrega"};
    DataSet cdsTotaItem{"cdsTotaItem"};
    // The server's answer for an item's taxes (or an authorization's): its tax rows and the document totals.
    DataSet cdsImpoItemAF{"cdsImpoItemAF"};
    DataSet cdsImpoNFAF{"cdsImpoNFAF"};
    // The purchase authorizations the posting relates to.
    DataSet cdsContAF{"cdsContAF"};
    // The posting's apportionment, read before it is closed again.
    DataSet cdsRateioNF{"cdsRateioNF"};
    DataSet cdsItemProdutoAux{"cdsItemProdutoAux"};
    DataSet cdsErrosFech{"cdsErrosFech"};
    DataSet cdsLiberacao{"cdsLiberacao"};

    // ---- Data sources, components of the form (CreateSources)
    DataSource* dtsRomaneioNF = nullptr;
    DataSource* dtsNotaFiscal = nullptr;
    DataSource* dtsItemProduto = nullptr;
    DataSource* dtsItemNotaFisc = nullptr;
    DataSource* dtsItemEncargo = nullptr;
    DataSource* dtsContaPagar = nullptr;
    DataSource* dtsDadosAdic = nullptr;
    DataSource* dtsTrabImpoNFTot = nullptr;
    DataSource* dtsTrabItProImpos = nullptr;
    DataSource* dtsItemNF = nullptr;
    DataSource* dtsNFOrigem = nullptr;
    DataSource* dtsNFOrigSaid = nullptr;
    DataSource* dtsItemNFOrigem = nullptr;
    DataSource* dtsErrosVisual = nullptr;
    DataSource* dtsModDocFisc = nullptr;
    DataSource* dtsIbge = nullptr;
    DataSource* dtsListServProd = nullptr;
    DataSource* dtsProdRelacServ = nullptr;

    void CreateSources(Component& owner);
    // The product masks of the library, known once the host's product tree is.
    void ApplyLibraryMasks();
    // Empties or creates the local-only datasets.
    void CreateLocalDataSets();

private:
    void DeclarePostingDataSets();
    void DeclareItemTaxDataSets();
};

// A data source owned by `owner` (a form) over `dataSet`.
DataSource* AddSource(Component& owner, const std::string& name, DataSet& dataSet);

} // namespace dfe::dfe11000
