#pragma once

// The header's supplementary fields: the carrier and the freight payer, the code-to-text lists, the CT-e and
// NF3-e municipality codes, the collection document, the place where a service was rendered, the service code
// of a service invoice, the operator's own CFOP text, and per item the product code and description printed.

#include "dfe11000/module/module_part.h"

#include <initializer_list>
#include <string>

namespace dfe {
class Control;
class DBComboBox;
} // namespace dfe

namespace dfe::dfe11000 {

class TransportRules : public ModulePart {
public:
    explicit TransportRules(TfrmLancNFEntrada& form);
    void Wire();

    // ---- Carrier
    // The typed carrier must exist; it fills the carrier's displays. The confirmation runs it too.
    void vd_Transpor();
    // Reopens the carrier lookup for the header's carrier and shows it (nothing shown when there is none).
    void ShowCarrier();

    // ---- Closing-time checks (each also run when its editor is left where said)
    // CT-e: origin and destination codes known to cdsIbge and given, and the CT-e type.
    void Vd_IBGE();
    // NF3-e: a known destination, given.
    void Vd_DestinoNF3e();
    // A collection document model needs its number.
    void Vd_ModDocArrecad();
    // The service location's state and municipality; a place changed since the header's last post
    // regenerates the items' taxes.
    void Vd_Estado();
    void Vd_Municipio();

    // ---- Service code
    void Vd_Servico();

private:
    void WireCarrier();
    void WireMappedFields();
    void WireUserCfop();
    void WirePlaces();
    void WireServiceLocation();
    void WireServiceCode();
    void WireIssuerData();

    void btpTransportBeforePesq();
    void btpTransportAfterPesq();
    void dbeNrInsJurTranChange();
    void ReopenCarrier(const std::string& number, const char* all);
    void ShowCarrierRow();
    void cbbFreteContaExit();
    void DropDownExit(DBComboBox& combo);

    // cdsIbge from the server when it has no rows.
    void LoadIbge();
    void IbgeSearchBefore();
    // The editor's typed code into its field, a browsed header put into edit first.
    void CopyTyped(Control& editor, const char* field);
    // The editor's code must be in cdsIbge; refuses on the group and the editor.
    void CheckIbge(Control& group, Control& editor, const char* field);

    void btpEstadoOrigBeforePesq();
    void btpEstadoOrigAfterPesq();
    void btpMunicipioBeforePesq();
    void btpMunicipioAfterPesq();
    void dbeEstadoChange();
    void dbeMunicipioChange();
    bool PlaceChanged() const;
    void RegenerateItemTaxes();

    void btpCodServicoBeforePesq();
    void btpCodServicoAfterPesq();
    void DiscardServiceItems();

    void grbProdEmissEnter();
    void IssuerDataExit();

    [[noreturn]] void Refuse(std::initializer_list<Control*> focus, const char* code);
};

} // namespace dfe::dfe11000
