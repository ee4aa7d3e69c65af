#pragma once

// Closing a posting: the client's checks in their order, the whole posting sent to the server with the
// release codes the clerk accepted, and what follows the answer: the numbers the server gave taken over and
// the posting reloaded, or the rows removed before the call restored and the errors shown.

#include "dfe11000/module/module_part.h"

#include <string>

namespace dfe {
class DataSet;
}

namespace dfe::net {
struct FechaNotaFiscalArgs;
}

namespace dfe::dfe11000 {

class ClosingRules : public ModulePart {
public:
    explicit ClosingRules(TfrmLancNFEntrada& form);

    // Runs a closing with the release codes ("0" for a first run). True when the server closed the posting;
    // a refusal before the call, or a failed closing, leaves the header in edit.
    bool FechaNotaFiscal(const std::string& releaseCodes);

private:
    // ---- Before the call (closing_run.cpp)
    void Prepare();
    void ReleaseOrUndo();
    void CheckHeader();
    void CheckItems();
    void GenerateMissingInstallments();
    void CheckFiscalControl();
    void CheckRelease();
    void CheckRemainingHeader();
    void PostForCall();
    void CheckProductsBySupplier();
    void RemoveMarkedRows();
    void CollectArguments(net::FechaNotaFiscalArgs& args, const std::string& releaseCodes);
    void AskApportionment(net::FechaNotaFiscalArgs& args);
    void CallServer(net::FechaNotaFiscalArgs& args);
    // The run abandoned: the header back in edit and the flags as before the run.
    void Abandoned(bool afterCall);

    // ---- After the answer (closing_outcome.cpp)
    void Succeeded();
    void Failed();
    void Tail();
    void Renumber(const std::string& posting);
    void UpdateListRow(const std::string& stockPosting);
    void RestoreMarkedRows();
    void ShowTaxColumns();
    void EnableBranchSelectors();

    // Written back by the server: "S" when the clerk apportions the posting by hand.
    std::string apportionByHand_ = "N";
    bool headerWasEdited_ = false;
    // Runs nest (a question may close again); the depth of the run that closed the posting, 0 when none.
    int depth_ = 0;
    int closedAtDepth_ = 0;
};

} // namespace dfe::dfe11000
