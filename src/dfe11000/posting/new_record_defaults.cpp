// What a new posting starts with.
#include "dfe11000/header/header_rules.h"
#include "dfe11000/items/taxes.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/posting/editing_helpers.h"
#include "dfe11000/posting/posting_editor.h"
#include "support/zymora.h"

namespace dfe::dfe11000 {
namespace {

void SetValue(DataSet& ds, std::string_view name, const Variant& value) {
    if (Field* field = ds.FindField(name)) field->SetValue(value);
}

} // namespace

void PostingEditor::cdsNotaFiscalNewRecord() {
    ModuleState& st = Cli_dfe11000();
    DataSet& nf = data_.cdsNotaFiscal;
    SetValue(nf, "NRLANCTONF", Variant("NOVOCODIGO"));
    SetValue(nf, "IDENTRSAIDOP", Variant("E"));
    SetValue(nf, "IDSTATUS", Variant("P"));
    const DateTime processing = st.dtDataProc.DatePart();
    SetValue(nf, "DTENTRSAID", Variant(processing));
    SetValue(nf, "DTCOMPFATUR", Variant(DateTime::Today()));
    // Blind entry: the clerk types the issue date from the paper, nothing is suggested.
    const bool blindEntry = FieldText(data_.cdsParamDFE, "IDOCINFORNF") == "S" &&
                            processing.WholeDays() == st.dtDataProc.WholeDays();
    SetValue(nf, "DTEMISSAO", blindEntry ? Variant::Null() : Variant(processing));
    SetValue(nf, "CDFILIRECE", Variant(ui_.medCdFilial->Text()));
    SetValue(nf, "CDFILIAL", Variant(support::zymora::FiliProc()));
    SetValue(nf, "IDSISTEMA", Variant("DFE"));

    const bool imported = st.boImportaAF || st.boNFImpNFe || boChaveAceita;
    const std::string kind = imported ? form_.Header().CurrentType() : std::string("01");
    // The list row is not there yet and the type edit still shows the browsed row's: the lookup reads the
    // new posting's type itself.
    form_.Header().SetCurrentType(kind);
    form_.Header().ReopenTipoOperacForCurrent();
    if (lookups_.qryTipoOperac.IsEmpty()) {
        SetValue(nf, "CDTIPOOPER", Variant::Null());
        form_.Header().SetCurrentType("00");
    } else {
        SetValue(nf, "CDTIPOOPER", Variant(kind));
        const std::string participant = FieldText(lookups_.qryTipoOperac, "IDORIGDESTOP");
        SetValue(nf, "IDORIGDESTNF", Variant(participant.empty() ? std::string("F") : participant));
    }
    form_.Taxes().ForgetWorkCode();
    st.stlItemNF.clear();
    st.stErroFech = "N";
    st.stLimitForn = "S";
    ui_.dbeChaveAcesso->SetTag(0);
    if (!st.boNFImpNFe) {
        SetValue(nf, "IDTPAMBNFE", Variant("0"));
        SetValue(nf, "IDSTATUSNFE", Variant("P"));
        SetValue(nf, "IDTIPOEMISNFE", Variant("0"));
        SetValue(nf, "IDNFGERADAVIAXML", Variant("N"));
    }
}

} // namespace dfe::dfe11000
