#pragma once

// The documents a posting refers to: the incoming posting a complement or a remittance return names, the
// outgoing invoice (or list of invoices) whose goods come back, the remittance of a triangular operation,
// and the two commands on them (returned quantities, rural-producer invoices). The reference is kept in the
// current related-document row.

#include "dfe11000/header/origin_codes.h"
#include "dfe11000/module/module_part.h"

#include <string>

namespace dfe {
class Control;
class DataSet;
} // namespace dfe

namespace dfe::dfe11000 {

class OriginRules : public ModulePart {
public:
    explicit OriginRules(TfrmLancNFEntrada& form);
    void Wire();

    // The posting returns goods of outgoing invoices: a return type with a typed number or an origin list.
    bool DevolucaoOrigem() const;
    // The participant code of the document by its kind (customer, supplier or issuing branch); another kind
    // leaves `code` as it was.
    void CodigoOrigemNF(std::string& code) const;
    // The origin the operation type makes mandatory (also run by the item grid's entry and the closing).
    void Vd_NFOrigObrig();
    // The origin items of the posting, into cdsItemNFOrigem.
    void GetItemNFOrigem();
    // The remittance of a triangular operation; required at the item grid's entry and at confirmation.
    void Vd_ForneNFRemessa(bool required);
    void Vd_NumeroNFRemessa(bool required);

    // ---- Events
    void dbeCdSerieEnter();
    void dbeNrNotaFiscEnter();
    void dbeSerieSaidaEnter();
    void dbeCdSerieExit();
    void dbeNrNotaFiscExit();
    void dbeSerieSaidaExit();
    void dbeNumeroSaidaExit();
    void dbeNumeroSaidaChange();
    void rbtUnicaClick();
    void rbtListaClick();
    void btpListaClick();
    void grbNFOrigemExit();
    void btnAtuQtdDevClick();
    void sbtNFProdRuralClick();

private:
    // ---- Searches (origin_searches.cpp)
    // Each answers whether a candidate was found; the filter they sent is kept in the module's state.
    bool GetNFOrigem(const std::string& number, const std::string& series, OriginSearch search);
    bool GetNFOrigSaid(const std::string& series, const std::string& number, const std::string& anySeries,
                       const std::string& anyNumber, OriginSearch search);
    void GetNFOrigLista(const net::OriginIssuer& issuer);
    void ReloadRelated(const net::OriginIssuer& issuer);
    void btpNotaFiscOrigemBeforePesq(bool& proceed);
    void btpNotaFiscOrigemAfterPesq();
    void btpNFSaidaBeforePesq(bool& proceed);
    void btpNFSaidaAfterPesq();
    void AddListedOrigins(const std::string& selection);
    void btpForneNFRemessaBeforePesq(bool& proceed);
    void btpForneNFRemessaAfterPesq();
    void TakeRemittanceSupplier(const DataSet& supplier);

    // ---- Helpers
    OriginParticipant Participant() const;
    void TipoOrigem();
    // The current related row, put into edit (appended when there is none).
    void EditRelated();
    void TakeFirstOrigin(DataSet& candidates);
    void LoadItemsWhenEmpty();
    void CopyOriginItems();
    std::string PaddedNumber(const std::string& typed, const char* widthParam) const;
    bool EditingHeader() const;
    [[noreturn]] void Refuse(Control* control, const char* code);

    std::string stModOrigEntr;
    std::string stModOrigSaid;
};

} // namespace dfe::dfe11000
