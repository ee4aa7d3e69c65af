#pragma once

#include "platform/db/tadoib_query.h"
#include "platform/ui/controls.h"
#include "support/frm_padrao.h"

#include <memory>

namespace dfe::dfe11000 {

class TfrmLancNFEntrada;
class InscEstaRules;

// "Inscrição Estadual" (DFE11250): which of the company's state registrations at the branch the posting
// uses, when it has more than one there (its own or under contract). The dialog declares what it owns; its
// rules are InscEstaRules'.
class TfrmInscEsta : public support::TfrmRotiGeral {
public:
    TfrmInscEsta(Application& app, TfrmLancNFEntrada& posting);
    ~TfrmInscEsta() override;

    Edit* edtInscEsta = nullptr;
    db::TADOIBQuery qryVerifInsc{"qryVerifInsc"};

    InscEstaRules& Rules() const { return *rules_; }

private:
    void BuildLayout();

    std::unique_ptr<InscEstaRules> rules_;
};

// Shows the state-registration choice modally; true when the clerk confirmed one, false when cancelled.
bool CriaInscEsta(TfrmLancNFEntrada& form, bool importing);

} // namespace dfe::dfe11000
