#pragma once

// The list of postings: loading it for a filter, the screen following the list row, the list's display
// texts and cell drawing, and the search in the list.

#include "dfe11000/module/module_part.h"
#include "dfe11000/posting/romaneio_filter.h"
#include "platform/ui/db_grid.h"

#include <string>

namespace dfe {
class Form;
}

namespace dfe::dfe11000 {

class PostingList : public ModulePart {
public:
    explicit PostingList(TfrmLancNFEntrada& form) : ModulePart(form) {}
    void Wire();

    // Loads the list of postings the filter asks for into cdsRomaneioNF; the busy animation shows on
    // `busyOn` (the filter dialog), the main window when null.
    void GetRomaneioNF(const RomaneioFilter& filter, Form* busyOn = nullptr);
    // A confirmed filter: loads its list and puts the screen in the list's state, in one step (a failure
    // leaves the filter open).
    void ShowFilteredList(const RomaneioFilter& filter, Form* busyOn);
    // The filter asked for a new posting instead of a list: an empty list, only include possible.
    void PrepareIncludeFromFilter();

    // The screen follows the list row: run after the list opens and after every move to another row.
    void cdsRomaneioNFAfterOpen();
    void dtsRomaneioNFStateChange();
    void cdsRomaneioNFAfterInsert();
    // A return whose items come from origin documents.
    // The row's items page and caption, reversal text and transport page, by the current operation type.
    void ShowRowOperationType();
    // The company lookup follows the list row's company.
    void ShowRowCompany();
    // The find dialog over the list.
    void Find();
    // Nothing but a new posting can be done: the row commands and the pages off, the list page marked.
    void DisableRowCommandsAndPages();

    // Display texts of the list row: the operation name with the status suffix, and the posting text.
    std::string TipoOperDisplayText();
    std::string LancamentoDisplayText();
    // The text the list grid shows in a cell of the current row.
    std::string ListCellText(const GridColumn& column);
    void dbgPadraoDrawColumnCell(Canvas& canvas, const Rect& rect, GridColumn& column, GridDrawState state);

private:
    void ShowRowParticipant();
    void ShowRowCommands();
    void LoadRowRelatedDocuments();
    void EnableRowEditors();
    void ShowRowInstallmentsAndTaxes();
    // The installments page as the branch's parameters and the list row allow it.
    void EnableInstallmentsForList();
    void DisableForEmptyList();
    void ShowListPage();
};

} // namespace dfe::dfe11000
