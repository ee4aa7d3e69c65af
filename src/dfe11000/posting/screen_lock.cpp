// The screen lock: a blocked, replicated or NF-e-generated posting is shown read-only, wholly or in part.
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/posting/row_fields.h"
#include "platform/core/text.h"

namespace dfe::dfe11000 {
namespace {

bool IsDataControl(const Component* c) {
    return dynamic_cast<const DBGrid*>(c) || dynamic_cast<const DBEdit*>(c) ||
           dynamic_cast<const DBRichEdit*>(c) || dynamic_cast<const DBDateEdit*>(c);
}

} // namespace

void TfrmLancNFEntrada::BloqueiaNF(bool lock) {
    ModuleState& state = Cli_dfe11000();
    state.boBloqueiaReplic = false;
    const DataSetState header = cdsNotaFiscal.State();
    const bool fromXml = FieldText(cdsRomaneioNF, "IDNFGERADAVIAXML") == "S" ||
                         FieldText(cdsNotaFiscal, "IDNFGERADAVIAXML") == "S";
    const bool xmlLock =
        FieldText(cdsParamDFE, "IDGERNFIGUALXML") == "S" &&
        (header == DataSetState::Insert ? FieldText(cdsNotaFiscal, "IDNFGERADAVIAXML") == "S" : fromXml);
    const bool keyLock = (header == DataSetState::Browse || header == DataSetState::Edit) && fromXml;
    const bool replicaLock =
        !FieldText(cdsRomaneioNF, "IDDOCREPLIC").empty() && header == DataSetState::Browse;

    auto dataControls = [this](bool readOnly) {
        for (Component* c : Components()) {
            if (IsDataControl(c)) static_cast<Control*>(c)->SetReadOnly(readOnly);
        }
    };
    auto headerButtons = [this](bool enabled) {
        for (const char* name : {"btpSerieNF", "btpModDocFisc", "btpTransport", "cbbFreteConta"}) {
            if (auto* c = Find<Control>(name)) c->SetEnabled(enabled);
        }
    };
    auto* entryDate = Find<Control>("dbdEntrSaid");
    if (replicaLock) {
        state.boBloqueiaReplic = true;
        dataControls(true);
        headerButtons(false);
        if (entryDate) entryDate->SetReadOnly(false);
        return;
    }
    if (xmlLock) {
        dataControls(true);
        headerButtons(false);
        btpFornecedor->SetEnabled(false);
    } else {
        dataControls(lock);
        headerButtons(!lock);
        btpFornecedor->SetEnabled(FieldText(cdsParamDFE, "IDCONSFORNFJ") != "N" && !lock &&
                                  (!OneOf(stTipoOperAtual, {"03", "14"}) || header == DataSetState::Insert) &&
                                  TipoOperElem(0) == "N");
        if (keyLock) LockDocumentIdentity();
    }

    // A posting that must equal its NF-e keeps only its entry date and the items' quantities open.
    const bool equalToXml = FieldText(cdsParamDFE, "IDGERNFIGUALXML") == "S";
    const bool mayFollowXml = equalToXml && fromXml && !state.boBloqueia;
    auto openEntryDate = [entryDate] {
        if (!entryDate) return;
        entryDate->SetEnabled(true);
        entryDate->SetReadOnly(false);
    };
    if (FieldText(cdsNotaFiscal, "IDBLOQUEADO") != "S" && mayFollowXml) openEntryDate();
    const bool quantitiesOnly = FieldText(cdsRomaneioNF, "IDBLOQUEADO") != "S" && mayFollowXml;
    if (quantitiesOnly) dbgItemProduto->SetReadOnly(false);
    MarkItemFields(quantitiesOnly);
    if (!lock && xmlLock) {
        openEntryDate();
        dbgItemProduto->SetReadOnly(false);
        MarkItemFields(true);
    } else if (!lock) {
        MarkItemFields(false);
    }
}

void TfrmLancNFEntrada::LockDocumentIdentity() {
    for (const char* name :
         {"dbeNrInsJurNF", "dbeSerie", "dbeNumero", "dbeModDocFis", "dbdDtEmissao", "dbeChaveAcesso"}) {
        if (auto* c = Find<Control>(name)) c->SetReadOnly(true);
    }
    for (const char* name : {"btpFornecedor", "btpSerieNF", "btpModDocFisc"}) {
        if (auto* c = Find<Control>(name)) c->SetEnabled(false);
    }
}

void TfrmLancNFEntrada::MarkItemFields(bool quantitiesOnly) {
    // Tag 1: the item rules refuse typing in the field; only the quantity stays open.
    for (int i = 0; i < cdsItemProduto.FieldCount(); ++i) {
        Field& field = cdsItemProduto.FieldAt(i);
        field.SetTag(quantitiesOnly && !text::SameText(field.FieldName(), "QTITEMPROD") ? 1 : 0);
    }
}

} // namespace dfe::dfe11000
