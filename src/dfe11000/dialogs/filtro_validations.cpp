// The filter's participant checks, run when an edit is left and again on confirmation.
#include "dfe11000/dialogs/frm_filtro_nf_entrada.h"

#include "platform/core/abort.h"
#include "support/consiste.h"
#include "support/show_msg.h"

namespace dfe::dfe11000 {

void TfrmFiltroNFEntrada::Refuse(Control& control, const char* code) {
    if (control.CanFocus()) control.SetFocus();
    support::MensErro(msgPadrao, code, false);
    ThrowAbort();
}

void TfrmFiltroNFEntrada::Vd_Cliente() {
    const std::string number = support::Ajusta_Inscricao(medCliente->Text());
    if (number.empty()) {
        edtNmCliente->SetText("");
        return;
    }
    // The code chosen by a search only narrows the number it was chosen for; a number typed by hand is
    // looked up by itself.
    const bool bySearch = !cdCliente_.empty() && cdClienteNumber_ == number;
    qryCliente.Close();
    qryCliente.ParamByName("P_NRINSJURCLIE") = Variant(number);
    qryCliente.ParamByName("P_TODOS") = Variant("N");
    qryCliente.ParamByName("P_CDCLIENTE") = Variant(bySearch ? cdCliente_ : std::string());
    qryCliente.ParamByName("P_TODOSCLIE") = Variant(bySearch ? "N" : "T");
    qryCliente.Open();
    if (qryCliente.IsEmpty()) Refuse(*medCliente, "Clie_Cad");
    if (!bySearch) {
        // One customer with the number is that customer; several leave the choice to the number alone.
        cdCliente_ = qryCliente.RecordCount() == 1 ? qryCliente.FieldByName("CDCLIENTE").AsString() : "";
        cdClienteNumber_ = number;
    }
    SetQuietly(*medCliente, number);
    SetMaskQuietly(*medCliente, support::PictPess(qryCliente.FieldByName("IDTPIJURCLIE").AsString()));
    edtNmCliente->SetText(qryCliente.FieldByName("NMRAZSOCCLIE").AsString());
}

void TfrmFiltroNFEntrada::Vd_Fornecedor() {
    const std::string number = support::Ajusta_Inscricao(medFornecedor->Text());
    if (number.empty()) {
        edtNmFornecedor->SetText("");
        return;
    }
    qryFornecedor.Close();
    qryFornecedor.ParamByName("P_NRINSJURFORN") = Variant(number);
    qryFornecedor.ParamByName("P_TODOS") = Variant("");
    qryFornecedor.Open();
    if (qryFornecedor.IsEmpty()) Refuse(*medFornecedor, "Forn_Cad");
    SetQuietly(*medFornecedor, number);
    SetMaskQuietly(*medFornecedor, support::PictPess(qryFornecedor.FieldByName("IDTPIJURFORN").AsString()));
    edtNmFornecedor->SetText(qryFornecedor.FieldByName("NMRAZSOCFORN").AsString());
}

void TfrmFiltroNFEntrada::Vd_Filial() {
    const std::string branch = support::Ajusta(medFilial->Text(), 4);
    if (branch.empty()) {
        edtNmFilial->SetText("");
        return;
    }
    SetQuietly(*medFilial, branch);
    qryFilial.Close();
    qryFilial.ParamByName("P_CDFILIAL") = Variant(branch);
    qryFilial.ParamByName("P_TCDFILIAL") = Variant("N");
    qryFilial.Open();
    if (qryFilial.IsEmpty()) Refuse(*medFilial, "Filial_Cad");
    edtNmFilial->SetText(qryFilial.FieldByName("NMFILIAL").AsString());
}

} // namespace dfe::dfe11000
