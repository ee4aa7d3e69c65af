#pragma once

// The rules of the posting's product items: a row started and numbered, the product entered and checked,
// quantity, unit price and total kept consistent, where the goods enter stock, the long check that runs
// before a row is stored, and deletion that marks and restores rows instead of removing them.

#include "dfe11000/module/module_part.h"

#include <string>

namespace dfe {
class Canvas;
class DataSet;
class DBGrid;
class Field;
class GridColumn;
struct GridDrawState;
struct Rect;
struct ShiftState;
} // namespace dfe

namespace dfe::dfe11000 {

class ItemRules : public ModulePart {
public:
    explicit ItemRules(TfrmLancNFEntrada& form);
    void Wire();

    // ---- Commands
    // Where the posting's goods enter stock; the dialog writes the choice itself, so its answer is not used.
    void sbtAlmoLocalClick();
    void mnuAlmoLocalClick();
    // The product search of the code column's button.
    void dbgItemProdutoEditButtonClick();

    // ---- Product (product_entry.cpp)
    // Checks the current row's product and fills its name, unit and codes; `zeroValues` also clears its
    // quantity, prices and discounts (a new product was chosen).
    void Vd_Produto(bool zeroValues);
    // Refuses a stock product in a purchase when the parameters say so.
    void Vd_VerifProdEst();

    // ---- Stock placement (stock_placement.cpp)
    enum class PlacementMoment {
        LeavingProduct, // the clerk left the product column of a new or edited row
        ReturnRow,      // a return row is being stored (no lot of the electronic invoice)
        EditedRow,      // an edited row is being stored
    };
    // Asks where the current row's goods enter stock when the parameters want it; false when the clerk
    // abandoned the question (the row was cancelled).
    bool StockPlacement(PlacementMoment moment);
    // The product's default warehouse and location at the branch into the current row, when the product
    // moves stock and the branch's defaults are complete; stSugAlmoEstPr tells whether they were.
    void SuggestDefaultPlacement();
    // The lot, manufacturing and expiry dates the electronic invoice gives the current row
    // (stLoteProdXML...), when the header came from one with its key.
    void ReadXmlLot();
    // The placement dialog for the current row, in the variant the operation type asks; `asInserted` shows
    // it as for a new row. False when the clerk abandoned it (the row was cancelled).
    bool PlacementDialog(bool asInserted = false);

    // ---- Whole-posting checks of the closing (item_code_checks.cpp): every item not marked deleted has a
    // CST of 3 characters and a CFOP of 4; the first that has not is focused and refused.
    void Vd_CstItem();
    void Vd_CfopItem();

    // ---- Values (item_values.cpp)
    // Copies the header editors into the header record and drops document totals of item taxes no item has.
    void Atualiza_Valores();
    // The local copy of the items, refreshed from `items`.
    void AtualizaItemProdutoLocal(const DataSet& items);
    // The local copy as of the last stored item. Copied when read, not after each item: typing a long
    // purchase would otherwise copy every row once per row.
    DataSet& ItemProdutoLocal();
    // The total of the items not marked deleted.
    double TotalItens() const;

    // ---- Posting and deletion (item_post.cpp, item_delete.cpp)
    // The returned quantity of the current row against its origin.
    void Vd_Quantidade();
    // The branch keeps fiscal control of its items (Utiliza_ControleFiscal).
    bool FiscalControl();
    // Set by the AF product relation dialog when the clerk confirms it.
    void SetProdAFConfirmado(bool confirmed) { boProdAFConfirmado = confirmed; }

    // ---- Events of cdsItemProduto
    void cdsItemProdutoBeforeInsert();
    void cdsItemProdutoNewRecord();
    void cdsItemProdutoAfterCancel();
    void cdsItemProdutoAfterScroll();
    void cdsItemProdutoCalcFields();
    void cdsItemProdutoBeforePost();
    void cdsItemProdutoAfterPost();
    void cdsItemProdutoBeforeDelete();

    // ---- The item grids (item_grid.cpp)
    void dbgItemProdutoColExit();
    void dbgItemProdutoColEnter();
    void dbgItemProdutoKeyPress(char32_t& ch);
    // Entering dbgItemProduto or dbgContaPagar; leaving dbgItemProduto or dbgItemsNFForn.
    void GridEnter(DBGrid& grid);
    void GridExit(DBGrid& grid);
    // The keys of dbgItemProduto, dbgItemNotaFisc and dbgDadosAdic.
    void GridKeyDown(DBGrid& grid, int& key, ShiftState shift);
    void DrawItemCell(DBGrid& grid, Canvas& canvas, const Rect& rect, GridColumn& column,
                      GridDrawState state);
    void QTITEMPRODValidate(Field& field);
    void VRUNITITEMValidate(Field& field);
    void VRTOTAITEMValidate(Field& field);

private:
    // ---- Row start (row_start.cpp)
    void InventoryGuard();
    int HighestSequence() const;
    void SetCodeColumnEditable(bool editable);

    // ---- Product (product_entry.cpp)
    void OpenValidProd(const std::string& code);
    void CheckProductBySupplier();
    void CheckProductOfService();
    bool ServiceProducts() const;
    void LoadServiceProducts();
    void SelectItemColumn(const char* field);

    // ---- Values (item_values.cpp)
    // The document was taken from an electronic invoice (the list row's or the header's mark).
    bool TakenFromXml() const;
    void DeriveTotal(DataSet& items);
    void DerivePrice(DataSet& items, double quantity);

    // ---- The item grids (item_grid.cpp)
    void WireGrids();
    void CheckReturnDuplicate();
    void CheckFiscalCodeColumn(const std::string& column);
    void SetBonusEditing(DBGrid& grid);
    bool ConfirmLabelRegeneration();
    void SettleLabelRegeneration(bool stored);
    void ToggleBonus();

    // ---- Code checks (item_code_checks.cpp)
    void CheckItemCode(const char* field, size_t width, const char* missing, const char* invalid);

    // ---- Posting (item_post.cpp)
    void RenumberItem(const std::string& number);
    void ApplyPercentDiscount();
    void CheckReturnRow();
    void CheckAfObligation();
    bool AfObligationApplies() const;
    void CheckFiscalCodes();
    void CheckValues();
    void NewRowDefaults();
    bool PriceTolerance();
    void CompleteIssueCode();
    std::string DefaultIssueCode() const;
    std::string FormattedCode() const;
    void RelateToAF();
    void FocusCurrentItemGrid();

    // ---- Deletion (item_delete.cpp)
    void MarkDeleted();
    void RestoreDeleted();
    void FlagAfRelations(const char* flag);
    void CheckLabels();
    void LoadLabels();

    bool boProdAFConfirmado = false;
    bool localCopyStale_ = false;
    // The item whose labels are made again once its new quantity is stored.
    std::string labelsToRegenerate_;
    // The product the row's code column was last left with.
    std::string checkedCode_;
};

} // namespace dfe::dfe11000
