#pragma once

#include "platform/ui/controls.h"
#include "platform/ui/db_edit.h"
#include "support/btn_pesquisa.h"
#include "support/frm_padrao.h"

#include <memory>

namespace dfe::dfe11000 {

class TfrmLancNFEntrada;
class LocPrestServRules;

// "Local da Prestação do Serviço" (DFE11280): the state and municipality where a service was rendered. Its
// two edits write the posting header directly and it reads the posting form's state and municipality
// lookups. The dialog declares what it owns; its rules are LocPrestServRules'.
class TfrmLocPrestServ : public support::TfrmRotiGeral {
public:
    TfrmLocPrestServ(Application& app, TfrmLancNFEntrada& posting);
    ~TfrmLocPrestServ() override;

    DBEdit* dbeEstado = nullptr;
    support::TBtnPesquisa* btpEstadoOrig = nullptr;
    Edit* dbeNmEstado = nullptr;
    DBEdit* dbeMunicipio = nullptr;
    support::TBtnPesquisa* btpMunicipio = nullptr;
    Edit* dbeNmMunicipio = nullptr;

    LocPrestServRules& Rules() const { return *rules_; }

private:
    void BuildLayout(TfrmLancNFEntrada& posting);

    std::unique_ptr<LocPrestServRules> rules_;
};

// Shows the service-location dialog modally; true when a valid place was accepted.
bool CriaLocPrestServ(TfrmLancNFEntrada& form);

} // namespace dfe::dfe11000
