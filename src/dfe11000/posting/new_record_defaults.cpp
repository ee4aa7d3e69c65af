// What a new posting starts with.
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/posting/editing_helpers.h"
#include "dfe11000/posting/row_fields.h"
#include "support/zymora.h"

namespace dfe::dfe11000 {
namespace {

void SetValue(DataSet& ds, std::string_view name, const Variant& value) {
    if (Field* field = ds.FindField(name)) field->SetValue(value);
}

} // namespace

void TfrmLancNFEntrada::cdsNotaFiscalNewRecord() {
    ModuleState& st = Cli_dfe11000();
    DataSet& nf = cdsNotaFiscal;
    SetValue(nf, "NRLANCTONF", Variant("NOVOCODIGO"));
    SetValue(nf, "IDENTRSAIDOP", Variant("E"));
    SetValue(nf, "IDSTATUS", Variant("P"));
    const DateTime processing = st.dtDataProc.DatePart();
    SetValue(nf, "DTENTRSAID", Variant(processing));
    SetValue(nf, "DTCOMPFATUR", Variant(DateTime::Today()));
    // Blind entry: the clerk types the issue date from the paper, nothing is suggested.
    const bool blindEntry =
        FieldText(cdsParamDFE, "IDOCINFORNF") == "S" && processing.WholeDays() == st.dtDataProc.WholeDays();
    SetValue(nf, "DTEMISSAO", blindEntry ? Variant::Null() : Variant(processing));
    SetValue(nf, "CDFILIRECE", Variant(medCdFilial->Text()));
    SetValue(nf, "CDFILIAL", Variant(support::zymora::FiliProc()));
    SetValue(nf, "IDSISTEMA", Variant("DFE"));

    const bool imported = st.boImportaAF || st.boNFImpNFe || boChaveAceita;
    const std::string kind = imported ? stTipoOperAtual : std::string("01");
    // The list row is not there yet, so the lookup reads the type through stTipoOperAtual.
    stTipoOperAtual = kind.empty() ? "00" : kind;
    ReopenTipoOperac();
    if (qryTipoOperac.IsEmpty()) {
        SetValue(nf, "CDTIPOOPER", Variant::Null());
        stTipoOperAtual = "00";
    } else {
        SetValue(nf, "CDTIPOOPER", Variant(kind));
        const std::string participant = FieldText(qryTipoOperac, "IDORIGDESTOP");
        SetValue(nf, "IDORIGDESTNF", Variant(participant.empty() ? std::string("F") : participant));
    }
    st.stlItemNF.clear();
    st.stErroFech = "N";
    st.stLimitForn = "S";
    dbeChaveAcesso->SetTag(0);
    if (!st.boNFImpNFe) {
        SetValue(nf, "IDTPAMBNFE", Variant("0"));
        SetValue(nf, "IDSTATUSNFE", Variant("P"));
        SetValue(nf, "IDTIPOEMISNFE", Variant("0"));
        SetValue(nf, "IDNFGERADAVIAXML", Variant("N"));
    }
}

} // namespace dfe::dfe11000
