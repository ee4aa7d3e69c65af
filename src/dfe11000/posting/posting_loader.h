#pragma once

// Switching between the list, the record page and the installments page; loading the posting of the list
// row, whole or in parts; the screen lock of blocked, replicated and NF-e-generated postings.

#include "dfe11000/module/module_part.h"
#include "platform/core/variant.h"
#include "platform/net/call_args.h"

#include <deque>
#include <functional>
#include <string>
#include <utility>

namespace dfe {
class DataSet;
}

namespace dfe::dfe11000 {

class PostingLoader : public ModulePart {
public:
    explicit PostingLoader(TfrmLancNFEntrada& form) : ModulePart(form) {}
    void Wire();

    // ---- Pages
    // Leaving a page runs the exit rules of the focused control; an error keeps the page.
    void pgcPadraoChanging(bool& allowChange);
    // The list page empties the posting; another page loads the listed posting from the server.
    void pgcPadraoChange();
    // Shows the record page, with the page change's handling, when another page is showing.
    void ShowRecordPage();
    void pgcPadraoEnter();
    void mnuFolhaDadosClick();
    void mnuFormularioClick();

    // ---- Loading
    // The whole posting of the list row in one call. A refusal or an answer that does not fit is shown and
    // leaves every dataset as it was (Abort).
    void GetNFDadosGerais();
    // Reads an answer of GetNFDadosGerais into the posting's datasets, all of them or none.
    void LoadNFDadosGerais(const Variant& answer);
    // Partial loaders: one server call each, under the retry policy, with its busy text.
    void GetNotaFiscal();
    void GetItemProduto();
    void GetItensNFOrig();
    void GetItemNotaFisc();
    void GetItemNFOrigem(const std::string& originKey, const std::string& originBranch,
                         const std::string& originNumber);
    void GetItemEncargo();
    void GetContaPagar();
    // The installments of the posting in the header, whatever list row is current.
    void GetContaPagarOfHeader();
    void GetDadosAdic();
    void GetImposNFTot();
    void GetItemProImpos();
    void GetNFRelacAF();
    void GetListServProd();
    // Branch and posting number of the list row (of the header when nothing is listed).
    std::pair<std::string, std::string> PostingKey() const;
    // Rebuilds the working tax tables from the loaded item and document taxes.
    void AtualizaTabTrab();
    // At creation: the first item columns without their button, the mark columns hidden until a load.
    void HideUnloadedColumns();
    // Shows the tax and item columns that stay hidden until a posting was loaded.
    void ShowLoadedColumns();
    void Atualiza_stExisteDadosNF();
    // The participant page and lookup of the header's participant kind.
    void ShowParticipantLookup();
    // Points qryValidProd at the cached or the plain product lookup, by the general parameters.
    void CacheProdFil();

    // ---- Lock
    // Makes the posting read-only (or editable again) for blocked, replicated and NF-e-generated postings.
    void BloqueiaNF(bool lock);

private:
    void ParticipantCaption();
    void LockByRow();
    void CloseLoadedPosting();
    bool SupplierNotHomologated() const;
    void ShowLoadedPosting(bool loaded);
    void ShowKeyNotebook();
    void LockAfterLoad();
    void ShowRowDocumentModel();
    void LockDocumentIdentity();
    void MarkItemFields(bool quantitiesOnly);
    // "Recebendo nota fiscal (<part>) do servidor..." for the part's message code.
    std::string GetNFText(const char* part) const;
    void RunLoader(const char* method, const char* part, DataSet& target,
                   const std::function<net::CallArgs(std::deque<std::string>&)>& build);
};

} // namespace dfe::dfe11000
