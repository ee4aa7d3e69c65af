#pragma once

#include "platform/ui/application.h"

#include <string>

namespace dfe::dfe11000 {

class TfrmLocPrestServ;
class TfrmLancNFEntrada;

// The service-location dialog's rules: the state and municipality checked against the country's tables and
// written to the posting header, and how the dialog may end.
class LocPrestServRules {
public:
    LocPrestServRules(TfrmLocPrestServ& dialog, TfrmLancNFEntrada& posting)
        : dialog_(dialog), posting_(posting) {}
    LocPrestServRules(const LocPrestServRules&) = delete;
    LocPrestServRules& operator=(const LocPrestServRules&) = delete;
    void Wire();

    // The whole place, first failure wins; on success the place is accepted and written to the header.
    void Vd_Dados();
    void Vd_Estado();
    void Vd_Municipio();
    void sbtConfirmaClick();
    void sbtCancelaClick();

    // The place was checked and accepted.
    bool boConfirma = false;
    // The answer of the last showing.
    bool boRetorno = false;

private:
    [[noreturn]] void Refuse(Control* control, const char* code);
    bool FindState(const std::string& state);
    bool FindMunicipality(const std::string& state, const std::string& municipality);
    void dbeEstadoChange();
    void dbeMunicipioChange();
    void btpEstadoOrigBeforePesq(bool& proceed);
    void btpEstadoOrigAfterPesq();
    void btpMunicipioBeforePesq(bool& proceed);
    void btpMunicipioAfterPesq();
    void FormCloseQuery(bool& canClose);
    void FormClose(CloseAction& action);
    void SetHeader(const char* field, const std::string& value);

    TfrmLocPrestServ& dialog_;
    TfrmLancNFEntrada& posting_;
    // Set by the cancel command: the dialog ends without a place.
    bool cancelled_ = false;
};

} // namespace dfe::dfe11000
