#pragma once

// The tax and installment calls of rdmLancNFEntrada (connection_names.h), as client, server and tests share
// them: one struct per call with its arguments by name in the wire's order, and the names of the answers'
// elements. The kinds and positions are the wire's; changing them breaks every client already installed.
// By-reference members receive what the server writes back, so the struct must outlive the call.

#include "platform/core/date_time.h"
#include "platform/core/variant.h"
#include "platform/net/answer_reader.h"
#include "platform/net/call_args.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace dfe::net {

// GetProxCodProd(branch): an array whose element 1 is the work code of a new posting's taxes. The server
// keeps each item's last answer under that code, so the document totals it sends back stay the sum of the
// items also while the posting has no number yet.
inline constexpr const char* kGetProxCodProd = "GetProxCodProd";
inline constexpr std::array<std::string_view, 2> kGetProxCodProdElements = {"accepted", "workCode"};
inline constexpr AnswerLayout kGetProxCodProdAnswer{kGetProxCodProd, kGetProxCodProdElements};

// The taxes of one item. Texts are "S"/"N" where a flag is asked.
struct GetImpoItemArgs {
    static constexpr const char* kMethod = "GetImpoItem";
    static constexpr size_t kArgCount = 35;

    std::string receivingBranch{};   // 1 header CDFILIRECE
    std::string company{};           // 2 header CDEMPRESA
    std::string stateRegistration{}; // 3 header CDINSCESTA
    std::string operationType{};     // 4 CDTIPOOPER as typed
    std::string fiscalGroup{};       // 5 by reference: the form's fiscal group
    std::string productTree{};       // 6 item CDARVPROD
    std::string product{};           // 7 item CDPRODUTO
    std::string brand{};             // 8 item CDMARCA
    DateTime entryDate{};            // 9 header DTENTRSAID
    double itemTotal = 0;            // 10 item VRTOTAITEM
    std::string supplier{};          // 11 header CDFORNECED
    Variant documentTotals{};        // 12 packet of the document's tax totals as the client has them
    std::string returnWithOrigin{};  // 13 by reference: "S" for a return with origin documents
    std::string relatedPosting{};    // 14 NRLANCTONFIT of the current related document
    std::string relatedBranch{};     // 15 CDFILIALIT of the current related document
    double quantity = 0;             // 16 item QTITEMPROD
    std::string postingNumber{};     // 17 item NRLANCTONF ("NOVOCODIGO" while new)
    std::string returnList{};        // 18 by reference: the origin list of a return in list mode
    std::string listMode{};          // 19 by reference: "S" for a return in list mode
    std::string listModeInserting{}; // 20 by reference: "S" for that while the header is being inserted
    double originQuantity = 0;       // 21 item QTITEMORIG
    double unitPrice = 0;            // 22 by reference: unit price at 2 decimals (see the rules)
    std::string lot{};               // 23 by reference: NRLOTEESTQ
    std::string subLot{};            // 24 by reference: NRSUBLOTE
    std::string itemSequence{};      // 25 item NRSEQITPROD
    std::string regenerate{};        // 26 by reference: "S" while the posting's taxes are to be regenerated
    std::string issuingBranch{};     // 27 header CDFILIEMIT
    std::string customer{};          // 28 header CDCLIENTE
    double originTotal = 0;          // 29 by reference: the origin item's VRTOTAITEM; 0 for a return
    double discount = 0;             // 30 item VRDESCITEM
    std::string branch{};            // 31 item CDFILIAL
    std::string workCode{};          // 32 by reference: the form's work code (GetProxCodProd)
    std::string productOrigin{};     // 33 item IDORIGEMPROD
    std::string participantState{};  // 34 header SGESTADO
    std::string municipality{};      // 35 header CDMUNICIPIO

    friend bool operator==(const GetImpoItemArgs&, const GetImpoItemArgs&) = default;
};

CallArgs ToCallArgs(GetImpoItemArgs& args);

// GetImpoItem's answer: the item's tax rows (cdsImpoItemAF's layout, grouped by product and brand), the
// document totals recomputed (cdsTrabImposNFTot's layout) and "S" when the posting still needs regeneration.
inline constexpr std::array<std::string_view, 3> kGetImpoItemElements = {"cdsImpoItemAF", "cdsImpoNFAF",
                                                                         "regenerate"};
inline constexpr AnswerLayout kGetImpoItemAnswer{GetImpoItemArgs::kMethod, kGetImpoItemElements};

// An installment schedule, by purchase authorization ("A", key "CDFILDEST||CDFILLANC||NRAUTOFORN") or by
// supplier ("E", key CDFORNECED). The amount goes by reference: the server may adjust it. The answer is not a
// refusal-checked one: the text "ERROR_FPAFND" when no payment form is defined, else an array of three rows
// (low bound 1: days, due dates, values), each an array of the N installments (low bound 1). The values
// add up to the amount to the cent.
struct CriaVencimentosArgs {
    static constexpr const char* kMethod = "CriaVencimentos";
    static constexpr size_t kArgCount = 6;

    std::string kind{};            // "A" or "E"
    std::string key{};             // by reference for "A", by value for "E"
    double amount = 0;             // by reference
    DateTime issueDate{};          // header DTEMISSAO
    DateTime entryDate{};          // header DTENTRSAID
    std::string receivingBranch{}; // header CDFILIRECE

    friend bool operator==(const CriaVencimentosArgs&, const CriaVencimentosArgs&) = default;
};

CallArgs ToCallArgs(CriaVencimentosArgs& args);

inline constexpr const char* kNoPaymentForm = "ERROR_FPAFND";

// The authorizations a posting relates to: GetContAF(CDFILIAL, NRLANCTONF), a packet of CDFILDEST, CDFILLANC
// and NRAUTOFORN.
inline constexpr const char* kGetContAF = "GetContAF";

} // namespace dfe::net
