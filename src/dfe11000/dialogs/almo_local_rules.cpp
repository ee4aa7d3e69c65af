// The warehouse and location choice's rules: the proposal from the header or the branch's parameters, the
// checks against the branch's warehouses and locations, the stock system's consent and what is written.
#include "dfe11000/dialogs/almo_local_rules.h"

#include "dfe11000/dialogs/frm_almo_local.h"
#include "dfe11000/dialogs/stock_place_queries.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/server/inventory_check.h"
#include "dfe11000/server/server_gateway.h"
#include "platform/core/abort.h"
#include "platform/core/text.h"
#include "support/show_msg.h"
#include "support/zymora.h"

namespace dfe::dfe11000 {

void AlmoLocalRules::Wire() {
    dialog_.OnShow = [this](Form&) {
        FormActivate();
        FormShow();
    };
    dialog_.medCdAlmoxEstoq->OnExit = [this](Component&) { Vd_Almoxarifado(false); };
    dialog_.medCdLocalEstoq->OnExit = [this](Component&) { Vd_Localizacao(false); };
    // Another warehouse makes the location meaningless.
    dialog_.medCdAlmoxEstoq->OnChange = [this](Component&) {
        dialog_.edtDsAlmoxEstoq->SetText("");
        dialog_.medCdLocalEstoq->SetText("");
    };
    dialog_.medCdLocalEstoq->OnChange = [this](Component&) { dialog_.edtDsLocalEstoq->SetText(""); };
    dialog_.btpAlmoxarifado->OnBeforePesq = [this](support::TBtnPesquisa&, bool& go) {
        go = true;
        FindWarehouse({});
    };
    dialog_.btpAlmoxarifado->OnAfterPesq = [this](support::TBtnPesquisa&) {
        dialog_.edtDsAlmoxEstoq->SetText(FieldText(dialog_.qryAlmoxarifado, "DSALMOXARIFE"));
    };
    dialog_.btpLocalEstoque->OnBeforePesq = [this](support::TBtnPesquisa&, bool& go) {
        go = true;
        FindLocation(text::Trim(dialog_.medCdAlmoxEstoq->Text()), {});
    };
    dialog_.btpLocalEstoque->OnAfterPesq = [this](support::TBtnPesquisa&) {
        dialog_.edtDsLocalEstoq->SetText(FieldText(dialog_.qryLocalEstoque, "DSLOCALESTOQ"));
    };
    dialog_.bbtOK.OnClick = [this](Component&) { sbtConfirmaClick(); };
    dialog_.dbgItensCmp->OnDblClick = [this](Component&) { sbtConfirmaClick(); };
    dialog_.OnClose = [this](Form&, CloseAction& action) { FormClose(action); };
}

bool AlmoLocalRules::Editing() const {
    return InEdit(posting_.data.cdsNotaFiscal);
}

void AlmoLocalRules::Refuse(Control* control, const char* code) {
    FocusIfPossible(control);
    support::MensErro(dialog_.msgPadrao, code, true);
    ThrowAbort();
}

bool AlmoLocalRules::FindWarehouse(const std::string& code) {
    return dfe11000::FindWarehouse(dialog_.qryAlmoxarifado, posting_.ui.medCdFilial->Text(), code);
}

bool AlmoLocalRules::FindLocation(const std::string& warehouse, const std::string& code) {
    return dfe11000::FindLocation(dialog_.qryLocalEstoque, posting_.ui.medCdFilial->Text(), warehouse, code);
}

void AlmoLocalRules::FormActivate() {
    boConfirma = false;
    const DataSet& params = posting_.data.cdsParamDFE;
    const bool warehouses = Editing() && FieldText(params, "IDUTILALMOX") == "S";
    const bool locations = Editing() && FieldText(params, "IDUTILLCESTQ") == "S";
    dialog_.medCdAlmoxEstoq->SetEnabled(warehouses);
    dialog_.btpAlmoxarifado->SetEnabled(warehouses);
    dialog_.medCdLocalEstoq->SetEnabled(locations);
    dialog_.btpLocalEstoque->SetEnabled(locations);

    const DataSet& header = posting_.data.cdsNotaFiscal;
    std::string warehouse = FieldText(header, "CDALMOXARIFE");
    if (warehouse.empty()) warehouse = FieldText(params, "CDALMOXARIFE");
    std::string location = FieldText(header, "CDLOCALESTOQ");
    if (location.empty()) location = FieldText(params, "CDLOCALESTOQ");
    dialog_.medCdAlmoxEstoq->SetText(warehouse);
    dialog_.medCdLocalEstoq->SetText(location);
    if (!warehouse.empty() && FindWarehouse(warehouse))
        dialog_.edtDsAlmoxEstoq->SetText(FieldText(dialog_.qryAlmoxarifado, "DSALMOXARIFE"));
    if (!location.empty() && FindLocation(warehouse, location))
        dialog_.edtDsLocalEstoq->SetText(FieldText(dialog_.qryLocalEstoque, "DSLOCALESTOQ"));
}

void AlmoLocalRules::FormShow() {
    const DataSet& header = posting_.data.cdsNotaFiscal;
    CallOptions options;
    options.busyText = dialog_.msgPadrao.Msg("GetProduto");
    options.busyOn = &dialog_;
    options.retry = true;
    const Variant items = posting_.server.Call(
        posting_.server.netLancNFEntrada, "GetProdAlmoLoca",
        [&] {
            return net::CallArgs().Str(FieldText(header, "CDFILIAL")).Str(FieldText(header, "NRLANCTONF"));
        },
        options);
    dialog_.cdsItemProduto.SetData(items);
}

void AlmoLocalRules::Vd_Almoxarifado(bool required) {
    const std::string code = text::Trim(dialog_.medCdAlmoxEstoq->Text());
    if (code.empty()) {
        if (required) Refuse(dialog_.medCdAlmoxEstoq, "Almox_Inf");
        return;
    }
    if (!FindWarehouse(code)) Refuse(dialog_.medCdAlmoxEstoq, "Almox_Cad");
    dialog_.edtDsAlmoxEstoq->SetText(FieldText(dialog_.qryAlmoxarifado, "DSALMOXARIFE"));
}

void AlmoLocalRules::Vd_Localizacao(bool required) {
    const std::string code = text::Trim(dialog_.medCdLocalEstoq->Text());
    if (code.empty()) {
        if (required) Refuse(dialog_.medCdLocalEstoq, "Local_Inf");
        return;
    }
    if (!FindLocation(text::Trim(dialog_.medCdAlmoxEstoq->Text()), code))
        Refuse(dialog_.medCdLocalEstoq, "Local_Cad");
    dialog_.edtDsLocalEstoq->SetText(FieldText(dialog_.qryLocalEstoque, "DSLOCALESTOQ"));
}

void AlmoLocalRules::sbtConfirmaClick() {
    if (Editing()) {
        const DataSet& params = posting_.data.cdsParamDFE;
        if (FieldText(params, "IDUTILALMOX") == "S") Vd_Almoxarifado(true);
        if (FieldText(params, "IDUTILLCESTQ") == "S") Vd_Localizacao(true);
        const std::string warehouse = text::Trim(dialog_.medCdAlmoxEstoq->Text());
        const std::string location = text::Trim(dialog_.medCdLocalEstoq->Text());
        // Confirmed only once the stock system consented: a refusal must not count as a choice made.
        try {
            HabilitaOperador(posting_, posting_.ui.medCdFilial->Text(), support::zymora::Operador(), location,
                             warehouse);
        } catch (...) {
            FocusIfPossible(dialog_.medCdAlmoxEstoq);
            throw;
        }
        boConfirma = true;
        DataSet& header = posting_.data.cdsNotaFiscal;
        header.FieldByName("CDALMOXARIFE").SetAsString(warehouse);
        header.FieldByName("CDLOCALESTOQ").SetAsString(location);
        DataSet& items = posting_.data.cdsItemProduto;
        if (Cli_dfe11000().boImportaAF && items.Active()) {
            for (items.First(); !items.Eof(); items.Next()) {
                items.Edit();
                items.FieldByName("CDALMOXARIFE").SetAsString(warehouse);
                items.FieldByName("CDLOCALESTOQ").SetAsString(location);
                items.Post();
            }
            items.First();
        }
    }
    dialog_.SetModalResult(boConfirma ? mr::Ok : mr::Cancel);
}

void AlmoLocalRules::FormClose(CloseAction& action) {
    // The creator frees the dialog; the command that opened it is let go however it ends.
    action = CloseAction::Hide;
    posting_.ui.sbtAlmoLocal->SetDown(false);
}

} // namespace dfe::dfe11000
