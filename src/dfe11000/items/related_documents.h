#pragma once

// The documents a posting names instead of products: the deliveries a billing settles, the entries without
// invoice a regularization settles, and the origin a return or complement refers to. They are chosen in a
// multi-select search or typed, checked against the server, and deleted only from a new posting. Also the
// batch that places and lots every item after an electronic invoice was imported.

#include "dfe11000/module/module_part.h"

#include <string>

namespace dfe {
class DataSet;
class DBGrid;
} // namespace dfe

namespace dfe::dfe11000 {

class RelatedDocumentRules : public ModulePart {
public:
    explicit RelatedDocumentRules(TfrmLancNFEntrada& form);
    void Wire();

    // Checks and completes the current related row (typed reference, or the origin of a return).
    void Vd_ItemNotaFisc();
    // Places every item from the current one on and gives it its lot, asking where the parameters want
    // the clerk to say. Ends early when the clerk abandons the placement of an item.
    void PreencheLote();

    // ---- Events
    void cdsItemNotaFiscBeforeInsert();
    void cdsItemNotaFiscNewRecord();
    void cdsItemNotaFiscBeforePost();
    void cdsItemNotaFiscAfterPost();
    void cdsItemNotaFiscAfterCancel();
    void cdsItemNotaFiscBeforeDelete();
    // The reference column's button of either grid: the multi-select search of the candidates.
    void dbgItemNotaFiscEditButtonClick();
    void dbgItemSemNFColExit();
    void dbgItemsNFFornEnter();

private:
    void LoadCandidates(const std::string& kind);
    void AddChosen(const std::string& selection);
    std::string OperationCode() const;
    DBGrid* ActiveGrid() const;
    void ShowReferenceButton(bool shown);
    [[noreturn]] void Refuse(const char* code);
    void CheckTypedReference(const std::string& code);
    bool NamedByAnotherRow(const std::string& key) const;
    int HighestSequence() const;
    void TakeOrigin(const DataSet& origin);
    // One item of PreencheLote; false when the clerk abandoned its placement.
    bool FillItemLot();
    bool LotControlled();
    std::string AuthorizationLot() const;
};

} // namespace dfe::dfe11000
