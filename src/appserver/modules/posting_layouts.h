#pragma once

#include "platform/data/field_type.h"

#include <vector>

namespace dfe::appserver {

// The fields of each answer that fills one of the posting's datasets, in order, with the type and width the
// client declares for them. The answers are built to these layouts whatever the SQL types of the columns.
using PacketLayout = std::vector<FieldDef>;

const PacketLayout& RomaneioNFLayout();
const PacketLayout& NotaFiscalLayout();
const PacketLayout& ItemNotaFiscLayout();
const PacketLayout& ItemProdutoLayout();
const PacketLayout& ItemEncargoLayout();
const PacketLayout& ContaPagarLayout();
const PacketLayout& DadosAdicLayout();
const PacketLayout& ImposNFTotLayout();
const PacketLayout& ItemProImposLayout();
const PacketLayout& ItensNFOrigLayout();
const PacketLayout& ItemNFOrigemLayout();
const PacketLayout& NFRelacAFLayout();
const PacketLayout& ListServProdLayout();
// The origin documents' searches: incoming postings (cdsNFOrigem), outgoing invoices one by one
// (cdsNFOrigSaid) or for the origin list (cdsNFOrigLista), and a remittance's counterpart (cdsDevolucao).
const PacketLayout& NFOrigemLayout();
const PacketLayout& NFOrigSaidLayout();
const PacketLayout& NFOrigListaLayout();
const PacketLayout& DevolucaoLayout();
// The municipality codes (cdsIbge).
const PacketLayout& IbgeLayout();
// The posting's items with the warehouse, location and lot each enters stock in.
const PacketLayout& ProdAlmoLocaLayout();
const PacketLayout& CountNFOrigLayout();

// The participant rules' lookups: the proposed model (cdsModDoc) and the qualifications.
const PacketLayout& ModDocLayout();
const PacketLayout& QualifFornLayout();

// The document identity and access key checks: the models an operation type allows (cdsModDocFisc), the
// earlier postings of a document number (cdsConForn, cdsConfNumClie, cdsConfNumFil), the postings holding
// an access key (cdsVdCAcesso), the stored XML's issue date (cdsVdEmissaoXML) and the XML's products whose
// CFOP the operation type does not allow (cdsCFOPXML).
const PacketLayout& ModDocFiscLayout();
const PacketLayout& DuplicateNumberLayout();
const PacketLayout& VdCAcessoLayout();
const PacketLayout& VdEmissaoXMLLayout();
const PacketLayout& CFOPXMLLayout();

// The implantation check's rows (CDERRO).
const PacketLayout& ReleaseCheckLayout();

// The product catalogue of a branch as the item rules read it: the default placement (cdsProdFili), the lot
// control (cdsVerifLote), the lot an NF-e item declares (cdsDadosLoteXML), the products of a service code
// (cdsProdRelacServ).
const PacketLayout& ProdFiliLayout();
const PacketLayout& VerifLoteLayout();
const PacketLayout& DadosLoteXMLLayout();
const PacketLayout& ProdRelacServLayout();

// What the item posting asks of stored postings: the quantity returns brought back (cdsVd_QuantDev),
// the last purchase cost (cdsCustoCmpProd), the items of an AF import (cdsVerifNFImpAF), the items' labels
// (cdsEtiqRegera) and audits (cdsVd_ProdAudit).
const PacketLayout& QuantDevLayout();
const PacketLayout& CustoCmpProdLayout();
const PacketLayout& VerifNFImpAFLayout();
const PacketLayout& EtiqRegeraLayout();
const PacketLayout& ProdAuditLayout();

} // namespace dfe::appserver
