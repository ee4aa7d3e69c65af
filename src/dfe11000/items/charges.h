#pragma once

// The posting's two small lists: its charges, one value per registered charge kind, and its additional
// data, the texts printed on the document, typed or taken from the registered messages. Rows of charges
// come only from the register (or an import); the clerk types their values, never adds or removes one.

#include "dfe11000/module/module_part.h"

namespace dfe {
class DBGrid;
}

namespace dfe::dfe11000 {

class ChargeRules : public ModulePart {
public:
    explicit ChargeRules(TfrmLancNFEntrada& form);
    void Wire();

    // One charge row per registered kind, value 0, on a new posting that has none (never for type "09").
    void AddChargeLines();

    // Entering a grid of values (the charges and the two tax grids): a browsed list starts at its first row
    // with the value column selected.
    void dbgItemEncargoEnter(DBGrid& grid);

    // ---- Charges
    void cdsItemEncargoNewRecord();
    void cdsItemEncargoBeforePost();
    void cdsItemEncargoBeforeDelete();
    // Leaving the value column, or the grid (`leavingGrid`).
    void dbgItemEncargoColExit(bool leavingGrid);

    // ---- Additional data
    void cdsDadosAdicBeforeInsert();
    void cdsDadosAdicNewRecord();
    void cdsDadosAdicAfterDelete();
    void dbgDadosAdicExit();
    // The registered-message search of the text's button.
    void dbgDadosAdicEditButtonClick();

    // A return with origin documents shows the charges and taxes it carries over; they are not typed.
    void nbkItensNFPageChanged();

private:
    [[noreturn]] void RefuseChargeValue(const char* code);
    int HighestTextNumber() const;
};

} // namespace dfe::dfe11000
