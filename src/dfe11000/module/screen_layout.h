#pragma once

// The record page's layout by operation type: where the origin, remittance and item panels sit, the
// editors' colours, the origin choices of a return, the group captions and the enabling of the commands.

#include "dfe11000/module/module_part.h"

namespace dfe {
class DBGrid;
}

namespace dfe::dfe11000 {

class ScreenLayout : public ModulePart {
public:
    explicit ScreenLayout(TfrmLancNFEntrada& form) : ModulePart(form) {}

    void AjustaPanels(int offset);
    // The origin choices of a return operation, by how many origin documents the posting has.
    void AjustaOrigemDevolucao();
    // The colours of the document editors by the current operation type.
    void ColorsByOperationType();
    void GroupBoxPadraoZym();
    // Enables the tag-50 controls, the list, the maintenance menu items and the replication command.
    void Habilita(bool enable);
    // The item grid nbkItensNF shows.
    DBGrid* VisibleItemGrid() const;

private:
    void KeepBelowDetails();
};

} // namespace dfe::dfe11000
