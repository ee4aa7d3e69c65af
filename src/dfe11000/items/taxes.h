#pragma once

// The taxes of a posting: each item's tax rows, which the server computes and the clerk may correct, and the
// document totals per tax. A regeneration keeps what the clerk typed and what came from the electronic
// invoice; everything else is the server's.

#include "dfe11000/module/module_part.h"

#include <string>

namespace dfe {
class Canvas;
class DataSet;
class DBGrid;
class GridColumn;
struct GridDrawState;
struct Rect;
} // namespace dfe

namespace dfe::dfe11000 {

class TaxRules : public ModulePart {
public:
    explicit TaxRules(TfrmLancNFEntrada& form);
    void Wire();

    // The current item's taxes computed again by the server and merged into its rows; the document totals
    // become the server's. A refused call leaves both as they were.
    void CriaImpostos();
    // The current item's taxes completed from those of the imported purchase authorization (no server call,
    // nothing deleted).
    void CriaImpostosServ();
    // The sum of the document's retained taxes that the supplier's payment has withheld at source.
    double TotalImpoRetido();
    // A new posting: its first generation asks the server for a work code of its own.
    void ForgetWorkCode() { stProxCodProd = kNewCode; }

    // ---- Handlers
    bool cdsTrabItProImposFilterRecord();
    void cdsTrabItProImposNewRecord();
    void cdsTrabItProImposBeforePost();
    void cdsTrabImposNFTotNewRecord();
    void cdsTrabImposNFTotBeforePost();
    void cdsTrabImposNFTotAfterPost();
    void dbgItemProImposExit();
    // Entering either tax grid, after the common start of the value grids.
    void dbgItemProImposEnter();
    void dbgImposNFTotEnter();

private:
    static constexpr const char* kNewCode = "NOVOCODIGO";

    bool ItemHasTax(const std::string& sequence, const std::string& tax);
    bool FromInvoice(const std::string& tax);
    void RemoveRegenerable(const std::string& sequence);
    // Inserts the answer rows of the item's product and brand that the item lacks; `full` copies every
    // column the server computes (a server generation), else those an authorization carries.
    void InsertMissing(const std::string& sequence, bool full, bool skipInvoiceTaxes);
    void ReplaceTotals();
    // The marks column shows whether the row's marks hold an error; the other cells as the grid draws them.
    void DrawTaxCell(DBGrid& grid, Canvas& canvas, const Rect& rect, GridColumn& column, GridDrawState state);

    std::string stProxCodProd = kNewCode;
};

} // namespace dfe::dfe11000
