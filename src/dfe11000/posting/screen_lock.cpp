// The screen lock: a blocked, replicated or NF-e-generated posting is shown read-only, wholly or in part.
#include "dfe11000/header/header_rules.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/posting/posting_loader.h"
#include "platform/core/text.h"

namespace dfe::dfe11000 {
namespace {

bool IsDataControl(const Component* c) {
    return dynamic_cast<const DBGrid*>(c) || dynamic_cast<const DBEdit*>(c) ||
           dynamic_cast<const DBRichEdit*>(c) || dynamic_cast<const DBDateEdit*>(c);
}

} // namespace

void PostingLoader::BloqueiaNF(bool lock) {
    ModuleState& state = Cli_dfe11000();
    state.boBloqueiaReplic = false;
    const DataSetState header = data_.cdsNotaFiscal.State();
    const bool fromXml = FieldText(data_.cdsRomaneioNF, "IDNFGERADAVIAXML") == "S" ||
                         FieldText(data_.cdsNotaFiscal, "IDNFGERADAVIAXML") == "S";
    const bool xmlLock =
        FieldText(data_.cdsParamDFE, "IDGERNFIGUALXML") == "S" &&
        (header == DataSetState::Insert ? FieldText(data_.cdsNotaFiscal, "IDNFGERADAVIAXML") == "S"
                                        : fromXml);
    const bool keyLock = (header == DataSetState::Browse || header == DataSetState::Edit) && fromXml;
    const bool replicaLock =
        !FieldText(data_.cdsRomaneioNF, "IDDOCREPLIC").empty() && header == DataSetState::Browse;

    auto dataControls = [this](bool readOnly) {
        for (Component* c : form_.Components()) {
            if (IsDataControl(c)) static_cast<Control*>(c)->SetReadOnly(readOnly);
        }
    };
    auto headerButtons = [this](bool enabled) {
        for (Control* c : std::initializer_list<Control*>{ui_.btpSerieNF, ui_.btpModDocFisc, ui_.btpTransport,
                                                          ui_.cbbFreteConta})
            c->SetEnabled(enabled);
    };
    Control* entryDate = ui_.dbdEntrSaid;
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
        ui_.btpFornecedor->SetEnabled(false);
    } else {
        dataControls(lock);
        headerButtons(!lock);
        ui_.btpFornecedor->SetEnabled(
            FieldText(data_.cdsParamDFE, "IDCONSFORNFJ") != "N" && !lock &&
            (!OneOf(form_.Header().CurrentType(), {"03", "14"}) || header == DataSetState::Insert) &&
            form_.Header().TipoOper().IDOPERDEVONF == "N");
        if (keyLock) LockDocumentIdentity();
    }

    // A posting that must equal its NF-e keeps only its entry date and the items' quantities open.
    const bool equalToXml = FieldText(data_.cdsParamDFE, "IDGERNFIGUALXML") == "S";
    const bool mayFollowXml = equalToXml && fromXml && !state.boBloqueia;
    auto openEntryDate = [entryDate] {
        if (!entryDate) return;
        entryDate->SetEnabled(true);
        entryDate->SetReadOnly(false);
    };
    if (FieldText(data_.cdsNotaFiscal, "IDBLOQUEADO") != "S" && mayFollowXml) openEntryDate();
    const bool quantitiesOnly = FieldText(data_.cdsRomaneioNF, "IDBLOQUEADO") != "S" && mayFollowXml;
    if (quantitiesOnly) ui_.dbgItemProduto->SetReadOnly(false);
    MarkItemFields(quantitiesOnly);
    if (!lock && xmlLock) {
        openEntryDate();
        ui_.dbgItemProduto->SetReadOnly(false);
        MarkItemFields(true);
    } else if (!lock) {
        MarkItemFields(false);
    }
}

void PostingLoader::LockDocumentIdentity() {
    for (Control* c : std::initializer_list<Control*>{ui_.dbeNrInsJurNF, ui_.dbeSerie, ui_.dbeNumero,
                                                      ui_.dbeModDocFis, ui_.dbdDtEmissao, ui_.dbeChaveAcesso})
        c->SetReadOnly(true);
    for (Control* c : std::initializer_list<Control*>{ui_.btpFornecedor, ui_.btpSerieNF, ui_.btpModDocFisc})
        c->SetEnabled(false);
}

void PostingLoader::MarkItemFields(bool quantitiesOnly) {
    // Tag 1: the item rules refuse typing in the field; only the quantity stays open.
    for (int i = 0; i < data_.cdsItemProduto.FieldCount(); ++i) {
        Field& field = data_.cdsItemProduto.FieldAt(i);
        field.SetTag(quantitiesOnly && !text::SameText(field.FieldName(), "QTITEMPROD") ? 1 : 0);
    }
}

} // namespace dfe::dfe11000
