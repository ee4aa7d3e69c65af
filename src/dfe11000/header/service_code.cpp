// The service code of a service invoice: its search, its check, and the items given up when it changes.
#include "dfe11000/header/transport_rules.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/posting/posting_loader.h"
#include "support/consiste.h"
#include "support/show_msg.h"

namespace dfe::dfe11000 {
namespace {

bool Empty(const DataSet& ds) {
    return !ds.Active() || ds.IsEmpty();
}

// Deletes the rows of `ds` whose field holds the value (those the view shows).
void DeleteWhere(DataSet& ds, const char* field, const std::string& value) {
    if (!ds.Active()) return;
    ds.First();
    while (!ds.Eof()) {
        if (FieldText(ds, field) == value) {
            ds.Delete();
        } else {
            ds.Next();
        }
    }
}

} // namespace

void TransportRules::WireServiceCode() {
    ui_.dbeCdServico->OnExit = [this](Component&) { Vd_Servico(); };
    ui_.btpCodServico->OnBeforePesq = [this](support::TBtnPesquisa&, bool&) { btpCodServicoBeforePesq(); };
    ui_.btpCodServico->OnAfterPesq = [this](support::TBtnPesquisa&) { btpCodServicoAfterPesq(); };
}

void TransportRules::btpCodServicoBeforePesq() {
    if (FieldText(data_.cdsParamGeral, "IDUTRELPRODSERV") == "S" && Empty(data_.cdsListServProd))
        form_.Loader().GetListServProd();
}

void TransportRules::btpCodServicoAfterPesq() {
    EditFieldText(data_.cdsNotaFiscal, "CDSERVICOPROD", FieldText(data_.cdsListServProd, "CDSERVICOPROD"));
}

void TransportRules::Vd_Servico() {
    const std::string typed = ui_.dbeCdServico->Text();
    if (support::EmptyString(typed)) return;
    if (Empty(data_.cdsListServProd)) form_.Loader().GetListServProd();
    if (!data_.cdsListServProd.Locate("CDSERVICOPROD", Variant(typed)))
        Refuse({ui_.dbeCdServico}, "Cod_N_Cad");
    DataSet& nf = data_.cdsNotaFiscal;
    EditFieldText(nf, "CDSERVICOPROD", typed);
    Field& code = nf.FieldByName("CDSERVICOPROD");
    if (Empty(data_.cdsItemProduto) || code.AsString() == code.OriginalValue().AsString()) return;
    if (support::ShowMsg(form_.msgPadrao2, "Servico_Dif", DialogType::Confirmation, mb::YesNo) == mr::Yes) {
        DiscardServiceItems();
    } else {
        // The loaded code; a new posting had none.
        code.SetValue(code.OriginalValue());
    }
}

// Every item is marked deleted (the closing removes it) and loses its taxes, as items of another service.
void TransportRules::DiscardServiceItems() {
    DataSet& items = data_.cdsItemProduto;
    ControlsPause quiet(items);
    FlagDuring discarding(Cli_dfe11000().boItensServico, true, false);
    DataSet& nf = data_.cdsNotaFiscal;
    if (nf.State() == DataSetState::Browse) nf.Edit();
    for (items.First(); !items.Eof(); items.Next()) {
        DeleteWhere(data_.cdsTrabItProImpos, "NRSEQIMPOIT", FieldText(items, "NRSEQITPROD"));
        items.Edit();
        items.FieldByName("IDDELETE").SetAsString("S");
        items.Post();
    }
}

} // namespace dfe::dfe11000
