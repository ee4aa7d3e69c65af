// The placement dialog's rules: the proposal from the row and the electronic invoice, the checks against the
// company's branches and the movement branch's warehouses and locations, the stock system's consent and what
// a confirmation writes.
#include "dfe11000/dialogs/desc_estoq_prod_rules.h"

#include "dfe11000/dialogs/frm_desc_estoq_prod.h"
#include "dfe11000/dialogs/stock_place_queries.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/server/server_gateway.h"
#include "platform/core/abort.h"
#include "platform/core/text.h"
#include "platform/ui/keys.h"
#include "support/show_msg.h"
#include "support/zymora.h"

namespace dfe::dfe11000 {
namespace {

std::string Typed(const Edit* edit) {
    return text::Trim(edit->Text());
}

void Enable(std::initializer_list<Control*> controls, bool enabled) {
    for (Control* c : controls)
        c->SetEnabled(enabled);
}

} // namespace

void DescEstoqProdRules::Wire() {
    TfrmDescEstoqProd& d = dialog_;
    d.medCdFiliMovi->OnExit = [this](Component&) { Vd_FiliMovi(false); };
    d.medCdAlmoxarife->OnExit = [this](Component&) { Vd_Almoxarifado(false); };
    d.medCdLocalEstoq->OnExit = [this](Component&) { Vd_Localizacao(false); };
    d.medNrLoteEstq->OnExit = [this](Component&) { Vd_Lote(false); };
    // Another branch makes the warehouse meaningless, another warehouse the location, another lot its dates.
    d.medCdFiliMovi->OnChange = [this](Component&) {
        dialog_.edtNmFiliMovi->SetText("");
        if (PlacementEditable()) dialog_.medCdAlmoxarife->SetText("");
    };
    d.medCdAlmoxarife->OnChange = [this](Component&) {
        dialog_.edtDsAlmoxarife->SetText("");
        if (PlacementEditable()) dialog_.medCdLocalEstoq->SetText("");
    };
    d.medCdLocalEstoq->OnChange = [this](Component&) { dialog_.edtDsLocalEstoq->SetText(""); };
    d.medNrLoteEstq->OnChange = [this](Component&) { ShowLotDates({}, {}); };

    d.btpFiliMovi->OnBeforePesq = [this](support::TBtnPesquisa&, bool& go) {
        go = true;
        FindBranch(dialog_.qryFilial, args_.branch, {});
    };
    d.btpFiliMovi->OnAfterPesq = [this](support::TBtnPesquisa&) {
        dialog_.edtNmFiliMovi->SetText(FieldText(dialog_.qryFilial, "NMFILIAL"));
    };
    d.btpAlmoxarifado->OnBeforePesq = [this](support::TBtnPesquisa&, bool& go) {
        go = true;
        FindWarehouse(dialog_.qryAlmoxarifado, Branch(), {});
    };
    d.btpAlmoxarifado->OnAfterPesq = [this](support::TBtnPesquisa&) {
        dialog_.edtDsAlmoxarife->SetText(FieldText(dialog_.qryAlmoxarifado, "DSALMOXARIFE"));
    };
    d.btpLocalEstoque->OnBeforePesq = [this](support::TBtnPesquisa&, bool& go) {
        go = true;
        FindLocation(dialog_.qryLocalEstoque, Branch(), Warehouse(), {});
    };
    d.btpLocalEstoque->OnAfterPesq = [this](support::TBtnPesquisa&) {
        dialog_.edtDsLocalEstoq->SetText(FieldText(dialog_.qryLocalEstoque, "DSLOCALESTOQ"));
    };

    d.OnShow = [](Form& f) {
        auto& dialog = static_cast<TfrmDescEstoqProd&>(f);
        FocusFirstPossible({dialog.medCdFiliMovi, dialog.medCdAlmoxarife, dialog.medCdLocalEstoq,
                            dialog.medNrLoteEstq, &dialog.bbtOK});
    };
    d.btpLote->OnBeforePesq = [this](support::TBtnPesquisa&, bool& go) {
        go = true;
        dialog_.cdsLotes.First();
    };
    d.btpLote->OnAfterPesq = [this](support::TBtnPesquisa&) {
        dialog_.medNrSubLote->SetText(FieldText(dialog_.cdsLotes, "NRSUBLOTE"));
        ShowLotDates(FieldText(dialog_.cdsLotes, "DTFABRICACAO"), FieldText(dialog_.cdsLotes, "DTVALIDADE"));
    };
    d.bbtOK.OnClick = [this](Component&) { sbtConfirmaClick(); };
    d.bbtCancelar.OnClick = [this](Component&) { sbtCancelaClick(); };
    // Esc gives the item up from any field, without checking the field it leaves.
    d.SetKeyPreview(true);
    d.OnKeyDown = [this](Component&, int& key, ShiftState shift) {
        if (key != key::Escape || shift.ctrl || shift.alt) return;
        key = 0;
        sbtCancelaClick();
    };
}

std::string DescEstoqProdRules::Branch() const {
    return Typed(dialog_.medCdFiliMovi);
}

std::string DescEstoqProdRules::Warehouse() const {
    return Typed(dialog_.medCdAlmoxarife);
}

bool DescEstoqProdRules::PlacementEditable() const {
    if (!args_.flags.movesStock) return false;
    // In the pilot a purchase authorization already said where its goods go.
    return !(args_.flags.afPilot && args_.items && !FieldText(*args_.items, "NRAUTOFORN").empty());
}

// Asked only where the branch keeps the product by lot, and then required.
bool DescEstoqProdRules::LotEditable() const {
    return args_.flags.useLot && !args_.flags.keepOriginLot && lotControlled_;
}

void DescEstoqProdRules::Prepare(net::TNetConnection& stock, const StockPlacementArgs& args) {
    stock_ = &stock;
    args_ = args;
    const DataSet& row = *args.items;
    TfrmDescEstoqProd& d = dialog_;
    const std::string code = FieldText(row, "CDARVPROD");
    const std::string name = FieldText(row, "NMPRODUTO");
    d.edtProduto->SetText(name.empty() ? code : code + " - " + name);

    std::string branch = FieldText(row, "CDFILIMOVI");
    if (text::Trim(branch).empty()) branch = args.branch;
    // Set in this order: each change empties what depends on it.
    d.medCdFiliMovi->SetText(text::Trim(branch));
    d.medCdAlmoxarife->SetText(text::Trim(FieldText(row, "CDALMOXARIFE")));
    d.medCdLocalEstoq->SetText(text::Trim(FieldText(row, "CDLOCALESTOQ")));
    LoadLots();
    std::string lot = text::Trim(FieldText(row, "NRLOTEESTQ"));
    const bool proposeXml = lot.empty() && args.flags.inserting && LotEditable() && !args.xmlLot.empty();
    if (proposeXml) lot = text::Upper(text::Trim(args.xmlLot));
    d.medNrLoteEstq->SetText(lot);
    d.medNrSubLote->SetText(text::Trim(FieldText(row, "NRSUBLOTE")));
    if (proposeXml) {
        ShowLotDates(args.xmlManufactured, args.xmlExpiry);
    } else if (!lot.empty() && d.cdsLotes.Active() &&
               d.cdsLotes.Locate("NRLOTEESTQ;NRSUBLOTE", {Variant(lot), Variant(Typed(d.medNrSubLote))})) {
        ShowLotDates(FieldText(d.cdsLotes, "DTFABRICACAO"), FieldText(d.cdsLotes, "DTVALIDADE"));
    }

    if (FindBranch(d.qryFilial, args.branch, Branch()))
        d.edtNmFiliMovi->SetText(FieldText(d.qryFilial, "NMFILIAL"));
    if (!Warehouse().empty() && FindWarehouse(d.qryAlmoxarifado, Branch(), Warehouse()))
        d.edtDsAlmoxarife->SetText(FieldText(d.qryAlmoxarifado, "DSALMOXARIFE"));
    const std::string location = Typed(d.medCdLocalEstoq);
    if (!location.empty() && FindLocation(d.qryLocalEstoque, Branch(), Warehouse(), location))
        d.edtDsLocalEstoq->SetText(FieldText(d.qryLocalEstoque, "DSLOCALESTOQ"));
    EnableControls();
}

void DescEstoqProdRules::EnableControls() {
    TfrmDescEstoqProd& d = dialog_;
    const bool placement = PlacementEditable();
    Enable({d.medCdFiliMovi, d.btpFiliMovi}, placement && args_.flags.otherBranch);
    Enable({d.medCdAlmoxarife, d.btpAlmoxarifado}, placement && args_.flags.useWarehouse);
    Enable({d.medCdLocalEstoq, d.btpLocalEstoque}, placement && args_.flags.useLocation);
    Enable({d.grbLote, d.medNrLoteEstq, d.medNrSubLote}, LotEditable());
    d.btpLote->SetEnabled(LotEditable() && (args_.flags.isReturn || args_.flags.thirdParty));
}

void DescEstoqProdRules::LoadLots() {
    lotControlled_ = false;
    lotsBranch_ = Branch();
    dialog_.cdsLotes.Close();
    std::string product = FieldText(*args_.items, "CDPRODESTO");
    if (text::Trim(product).empty()) product = FieldText(*args_.items, "CDPRODUTO");
    product = text::Trim(product);
    if (!args_.flags.useLot || args_.flags.keepOriginLot || product.empty() || lotsBranch_.empty()) return;
    CallOptions options;
    options.busyText = dialog_.msgPadrao.Msg("GetLote");
    options.retry = true;
    Variant control;
    Variant lots;
    posting_.server.Sequence({stock_}, options, [&] {
        const net::CallArgs args = net::CallArgs().Str(lotsBranch_).Str(product);
        control = posting_.server.CallIn(*stock_, "Produto_Ctrl_Lote", args);
        lots = posting_.server.CallIn(*stock_, "GetLotesEstoque", args);
    });
    dialog_.cdsLotes.SetData(lots);
    lotControlled_ = control.AsString() == "S";
}

void DescEstoqProdRules::ShowLotDates(const std::string& manufactured, const std::string& expiry) {
    dialog_.edtDtFabricacao->SetText(manufactured);
    dialog_.edtDtValidade->SetText(expiry);
}

void DescEstoqProdRules::Refuse(Control* control, const char* code) {
    FocusIfPossible(control);
    support::MensErro(dialog_.msgPadrao, code, true);
    ThrowAbort();
}

void DescEstoqProdRules::Vd_FiliMovi(bool required) {
    const std::string code = Branch();
    if (code.empty()) {
        if (required) Refuse(dialog_.medCdFiliMovi, "FiliMovi_Inf");
        return;
    }
    if (!FindBranch(dialog_.qryFilial, args_.branch, code)) Refuse(dialog_.medCdFiliMovi, "FiliMovi_Cad");
    dialog_.edtNmFiliMovi->SetText(FieldText(dialog_.qryFilial, "NMFILIAL"));
    // Lots are kept per branch.
    if (code != lotsBranch_) {
        LoadLots();
        EnableControls();
    }
}

void DescEstoqProdRules::Vd_Almoxarifado(bool required) {
    const std::string code = Warehouse();
    if (code.empty()) {
        if (required) Refuse(dialog_.medCdAlmoxarife, "Almox_Inf");
        return;
    }
    if (!FindWarehouse(dialog_.qryAlmoxarifado, Branch(), code)) Refuse(dialog_.medCdAlmoxarife, "Almox_Cad");
    dialog_.edtDsAlmoxarife->SetText(FieldText(dialog_.qryAlmoxarifado, "DSALMOXARIFE"));
}

void DescEstoqProdRules::Vd_Localizacao(bool required) {
    const std::string code = Typed(dialog_.medCdLocalEstoq);
    if (code.empty()) {
        if (required) Refuse(dialog_.medCdLocalEstoq, "Local_Inf");
        return;
    }
    if (!FindLocation(dialog_.qryLocalEstoque, Branch(), Warehouse(), code))
        Refuse(dialog_.medCdLocalEstoq, "Local_Cad");
    dialog_.edtDsLocalEstoq->SetText(FieldText(dialog_.qryLocalEstoque, "DSLOCALESTOQ"));
}

void DescEstoqProdRules::Vd_Lote(bool required) {
    if (!LotEditable()) return;
    TfrmDescEstoqProd& d = dialog_;
    const std::string lot = Typed(d.medNrLoteEstq);
    if (lot.empty()) {
        if (required) Refuse(d.medNrLoteEstq, "Lote_Inf");
        return;
    }
    std::string subLot = Typed(d.medNrSubLote);
    const bool known = subLot.empty()
                           ? d.cdsLotes.Locate("NRLOTEESTQ", Variant(lot))
                           : d.cdsLotes.Locate("NRLOTEESTQ;NRSUBLOTE", {Variant(lot), Variant(subLot)});
    if (known) {
        if (subLot.empty()) d.medNrSubLote->SetText(FieldText(d.cdsLotes, "NRSUBLOTE"));
        ShowLotDates(FieldText(d.cdsLotes, "DTFABRICACAO"), FieldText(d.cdsLotes, "DTVALIDADE"));
    } else if (args_.flags.isReturn) {
        // What comes back went out in a lot the stock already has.
        Refuse(d.medNrLoteEstq, "Lote_Cad");
    } else if (lot == text::Upper(text::Trim(args_.xmlLot))) {
        ShowLotDates(args_.xmlManufactured, args_.xmlExpiry);
    }
    if (required && Typed(d.medNrSubLote).empty()) Refuse(d.medNrSubLote, "SubLote_Inf");
}

void DescEstoqProdRules::sbtConfirmaClick() {
    if (PlacementEditable()) {
        Vd_FiliMovi(true);
        Vd_Almoxarifado(args_.flags.useWarehouse);
        Vd_Localizacao(args_.flags.useLocation);
    }
    Vd_Lote(LotEditable());
    if (PlacementEditable() && !Warehouse().empty()) {
        // The stock system may keep a warehouse for some operators only.
        try {
            posting_.server.Call(*stock_, "HabilitaOperador",
                                 net::CallArgs()
                                     .Str(Branch())
                                     .Str(support::zymora::Operador())
                                     .Str(Typed(dialog_.medCdLocalEstoq))
                                     .Str(Warehouse()));
        } catch (...) {
            FocusIfPossible(dialog_.medCdAlmoxarife);
            throw;
        }
    }
    WriteRow();
    boConfirma = true;
    dialog_.SetModalResult(mr::Ok);
}

void DescEstoqProdRules::WriteRow() {
    DataSet& row = *args_.items;
    // Only what differs is written, so an edited row the clerk did not change keeps its change log.
    const auto write = [&row](const char* name, const std::string& value) {
        Field* field = row.FindField(name);
        if (field && text::Trim(field->AsString()) != value) field->SetAsString(value);
    };
    write("CDFILIMOVI", Branch());
    if (PlacementEditable()) {
        write("CDALMOXARIFE", Warehouse());
        write("CDLOCALESTOQ", Typed(dialog_.medCdLocalEstoq));
    }
    if (LotEditable()) {
        write("NRLOTEESTQ", Typed(dialog_.medNrLoteEstq));
        write("NRSUBLOTE", Typed(dialog_.medNrSubLote));
    }
}

void DescEstoqProdRules::sbtCancelaClick() {
    boConfirma = false;
    dialog_.SetModalResult(mr::Cancel);
}

} // namespace dfe::dfe11000
