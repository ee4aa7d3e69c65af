#pragma once

// The installments a posting owes: the schedule the server splits from the supplier's or the purchase
// authorization's payment terms, replaced wholesale when the amount owed changes, and the clerk's edits of
// each installment (days and due date kept together, value, payable type, bank collection bar code).

#include "dfe11000/module/module_part.h"

#include <string>

namespace dfe {
class Field;
class Variant;
} // namespace dfe

namespace dfe::dfe11000 {

class PayableRules : public ModulePart {
public:
    explicit PayableRules(TfrmLancNFEntrada& form);
    void Wire();

    // Replaces the installments by the server's schedule when the operation type, participant and amount
    // call for one and the current installments do not already add up to the amount.
    void GravaVencimento();
    double TotalVencimentos();
    // The gross value of the items whose CFOP, for this operation type, does not make up installments.
    double TotalBrutoVenc();
    // Refuses the first installment due before the issue date.
    void Vd_DataVenc();
    void Vd_TpCtPag();
    void Vd_CodBarras(const std::string& code);

    // ---- Handlers
    void HeaderValueChanged(const Field& field);
    void cdsContaPagarBeforeInsert();
    void cdsContaPagarNewRecord();
    void cdsContaPagarBeforePost();
    void cdsContaPagarBeforeDelete();
    std::string IDSTATPAGText(const Field& status) const;
    void dbgContaPagarColExit();
    void dbgContaPagarExit();
    void dbgContaPagarEditButtonClick();

    // ---- Commands
    void mnuVencimentosClick();
    void sbtRateioClick();
    void mnuManuRateProdClick();
    void mnuContRatePagaClick();

private:
    // Shows the installments page with `column` selected and the message, and abandons.
    [[noreturn]] void Refuse(const char* code, const char* column);
    // Runs `check` and, when it refuses, leaves the clerk on the installments page at `column`.
    template <class Check> void OnInstallmentsPage(const char* column, Check check);
    void CheckDays(bool refuseNegative);
    void CheckDueDate();
    bool SingleAuthorization();

public:
    // The schedule the server answered, checked whole before anything changes; empty when there is none.
    struct Schedule;

private:
    Schedule ReadSchedule(const Variant& answer) const;
};

} // namespace dfe::dfe11000
