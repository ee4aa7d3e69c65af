#pragma once

// The record page's header controls: company and operation type, participant, document identity, origin
// and remittance documents, transport and the supplementary fiscal fields.

#include "platform/ui/controls.h"
#include "platform/ui/db_choice.h"
#include "platform/ui/db_edit.h"
#include "platform/ui/db_grid.h"
#include "support/btn_pesquisa.h"

namespace dfe::dfe11000 {

// The tags of the participant pages' shown fields.
inline constexpr int kCustomerTag = 5;
inline constexpr int kSupplierTag = 3;
inline constexpr int kIssuingBranchTag = 2;

struct HeaderControls {
    Panel* panCabecalho = nullptr;
    DBText* dbtNome = nullptr;
    // The header panel: company and operation type, fixed once it has been left.
    Panel* pan = nullptr;
    Label* lblEmpresa = nullptr;
    DBEdit* dbeCdEmpresa = nullptr;
    support::TBtnPesquisa* btpEmpresa = nullptr;
    DBEdit* dbeNmEmpresa = nullptr;
    Label* lblTipoOper = nullptr;
    DBEdit* dbeCdTipoOper = nullptr;
    support::TBtnPesquisa* btpTipoOper = nullptr;
    DBEdit* dbeNmTipoOper = nullptr;
    DBRadioGroup* drgSaidEntr = nullptr;
    // The participant, one notebook page per kind; each page's shown fields carry the page's tag (customer 5,
    // supplier 3, issuing branch 2) and show its lookup while bound.
    Notebook* nbkDestino = nullptr;
    GroupBox* grbCliente = nullptr;
    DBEdit* dbeNrInsJurClie = nullptr;
    support::TBtnPesquisa* btpCliente = nullptr;
    GroupBox* grbFornecedor = nullptr;
    DBEdit* dbeNrInsJurNF = nullptr;
    support::TBtnPesquisa* btpFornecedor = nullptr;
    GroupBox* grbFilialEmit = nullptr;
    DBEdit* dbeCdFilial = nullptr;
    support::TBtnPesquisa* btpFiliEmit = nullptr;
    GroupBox* grbInscrEstad = nullptr;
    DBEdit* dbeCdInscEsta = nullptr;
    GroupBox* grbDestReme = nullptr;
    DBEdit* edtNmDestReme = nullptr;
    DBEdit* dbeMuniDestReme = nullptr;
    DBEdit* dbeUFDestReme = nullptr;
};

struct DocumentControls {
    // The issue panel, its inner panel (model, series, number), the dates' panel and the entry date's.
    Panel* panEmisData = nullptr;
    Panel* Panel9 = nullptr;
    Panel* panDatas = nullptr;
    Panel* Panel3 = nullptr;
    DBEdit* dbeModDocFis = nullptr;
    support::TBtnPesquisa* btpModDocFisc = nullptr;
    DBEdit* dbeNmModDocFis = nullptr;
    DBEdit* dbeSerie = nullptr;
    support::TBtnPesquisa* btpSerieNF = nullptr;
    DBEdit* dbeNumero = nullptr;
    DBDateEdit* dbdDtEmissao = nullptr;
    DBDateEdit* dbdEntrSaid = nullptr;
    DBEdit* dbeCodiCFOp = nullptr;
    DBEdit* dbeDescCFOp = nullptr;
    Notebook* ntbChave = nullptr;
    DBEdit* dbeChaveAcesso = nullptr;
    DBEdit* dbeChavePServ = nullptr;
    Label* lblCdServico = nullptr;
    DBEdit* dbeCdServico = nullptr;
    support::TBtnPesquisa* btpCodServico = nullptr;
    GroupBox* grbLocPrestServ = nullptr;
    DBEdit* dbeEstado = nullptr;
    support::TBtnPesquisa* btpEstadoOrig = nullptr;
    DBEdit* dbeNmEstado = nullptr;
    DBEdit* dbeMunicipio = nullptr;
    support::TBtnPesquisa* btpMunicipio = nullptr;
    DBEdit* dbeNMMunicip = nullptr;
};

struct OriginControls {
    Panel* panDadosNFRemessa = nullptr;
    DBEdit* dbeForneNFRemessa = nullptr;
    support::TBtnPesquisa* btpForneNFRemessa = nullptr;
    DBEdit* dbeNumNFRemessa = nullptr;
    Panel* panNFOrigem = nullptr;
    GroupBox* grbNFOrigem = nullptr;
    Notebook* nbkNFOrigem = nullptr;
    RadioButton* rbtUnica = nullptr;
    RadioButton* rbtLista = nullptr;
    Label* lblSerieSaida = nullptr;
    DBEdit* dbeSerieSaida = nullptr;
    Label* lblNumeroSaida = nullptr;
    DBEdit* dbeNumeroSaida = nullptr;
    support::TBtnPesquisa* btpNFSaida = nullptr;
    SpeedButton* btpLista = nullptr;
    DBEdit* dbeCdSerie = nullptr;
    DBEdit* dbeNrNotaFisc = nullptr;
    support::TBtnPesquisa* btpNotaFiscOrigem = nullptr;
};

struct TransportControls {
    Panel* panTransporte = nullptr;
    GroupBox* grbTransport = nullptr;
    Notebook* nbkTransport = nullptr;
    DBEdit* dbeNrInsJurTran = nullptr;
    support::TBtnPesquisa* btpTransport = nullptr;
    Edit* edtNmRazSocTrans = nullptr;
    Edit* dbeEndeTrans = nullptr;
    Edit* dbeMuniTrans = nullptr;
    Edit* dbeUFTrans = nullptr;
    Edit* dbeInscEstaTrans = nullptr;
    DBComboBox* cbbFreteConta = nullptr;
    DBEdit* dbeNrPlacVeic = nullptr;
    DBEdit* dbeUFVeic = nullptr;
    DBEdit* dbeDsQtDevolu = nullptr;
    DBEdit* dbeEspecVolu = nullptr;
    DBEdit* dbeMarcaVolu = nullptr;
    DBEdit* dbeNumeVolu = nullptr;
    DBEdit* dbePBrutoVolu = nullptr;
    DBEdit* dbePLiquVolu = nullptr;
    DBGrid* dbgItemSemNF = nullptr;
    // Below the visible area of the record page until a rule shows them.
    GroupBox* grbNatFreteCTe = nullptr;
    DBComboBox* cbbNatFreteCTe = nullptr;
    Notebook* nbkCte = nullptr;
    GroupBox* grbIbge = nullptr;
    DBEdit* dbeIbgeOrig = nullptr;
    support::TBtnPesquisa* btpIbgeOrig = nullptr;
    DBEdit* dbeIbgeDest = nullptr;
    support::TBtnPesquisa* btpIbgeDest = nullptr;
    DBComboBox* cbbTipoCte = nullptr;
    GroupBox* grbNF3e = nullptr;
    DBEdit* dbeIbgeNF3e = nullptr;
    support::TBtnPesquisa* btpIbgeNF3e = nullptr;
    DBComboBox* cbbFinEmisDoc = nullptr;
    DBEdit* dbeChaveRef = nullptr;
    GroupBox* grbDAE = nullptr;
    DBComboBox* cbbModDocArrec = nullptr;
    DBEdit* dbeDocArrecad = nullptr;
};

} // namespace dfe::dfe11000
