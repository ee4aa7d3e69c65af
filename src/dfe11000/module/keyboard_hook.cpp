// The keys clerks type by: Enter moves on like Tab, the discount column keeps Enter, the document total jumps
// to the installments, Up and Down move between fields, Page Up and Page Down jump between the form's groups
// and the period types the decimal comma in number fields.
#include "dfe11000/module/keyboard_hook.h"

#include "dfe11000/header/header_rules.h"
#include "dfe11000/module/branch_panel.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/module/screen_layout.h"

namespace dfe::dfe11000 {
namespace {

std::string SelectedFieldName(const Control& control) {
    const auto* grid = dynamic_cast<const DBGrid*>(&control);
    const Field* field = grid ? grid->SelectedField() : nullptr;
    return field ? field->FieldName() : std::string();
}

bool EditsFloat(const Control& control) {
    if (const auto* grid = dynamic_cast<const DBGrid*>(&control)) {
        const Field* field = grid->SelectedField();
        return field && field->DataType() == FieldType::Float;
    }
    if (const auto* edit = dynamic_cast<const DBEdit*>(&control)) {
        const Field* field = edit->BoundField();
        return field && field->DataType() == FieldType::Float;
    }
    return false;
}

bool Usable(const Control* control) {
    return control && control->Enabled();
}

} // namespace

namespace {

struct KeyContext {
    TfrmLancNFEntrada& form;
    Control& active;
    const std::string& kind;
};

bool OnDiscountColumn(const KeyContext& c) {
    if (&c.active != c.form.ui.dbgItemProduto || !InEdit(c.form.data.cdsItemProduto)) return false;
    const std::string field = SelectedFieldName(c.active);
    return !field.empty() && field == Cli_dfe11000().stColunaDesc;
}

void ShowInstallments(TfrmLancNFEntrada& form) {
    form.pgcPadrao.SetActivePage(form.ui.tshVencimento);
    FocusIfPossible(form.ui.dbgContaPagar);
}

void ShowRecordPageAt(TfrmLancNFEntrada& form, Control* target) {
    form.pgcPadrao.SetActivePage(&form.tshFormulario);
    FocusIfPossible(target);
}

int EnterRule(const KeyContext& c) {
    TfrmLancNFEntrada& f = c.form;
    const bool discount =
        OnDiscountColumn(c) || (&c.active == f.ui.dbgItemProduto && InEdit(f.data.cdsItemProduto) &&
                                c.kind == "03" && SelectedFieldName(c.active) == "VRTOTAITEM");
    if (discount && !OneOf(c.kind, {"07", "09", "10"})) return key::Enter;
    if (&c.active != f.ui.dbeVrNotaFisc) return key::Tab;
    if (c.kind != "11" && f.ui.tshVencimento->Enabled()) {
        ShowInstallments(f);
        return key::None;
    }
    const bool noInstallments = f.data.cdsRomaneioNF.Active() &&
                                f.data.cdsRomaneioNF.FindField("IDUTILVENC") &&
                                f.data.cdsRomaneioNF.FieldByName("IDUTILVENC").AsString() == "N";
    if (OneOf(c.kind, {"07", "09", "11"}) || noInstallments) return key::Tab;
    return key::Enter;
}

// The group the focus is in, as the Page Up and Page Down map names it: the control itself when it is one of
// the named grids, else its nearest named parent.
Control* GroupOf(const TfrmLancNFEntrada& f, Control& active) {
    const Control* grids[] = {f.ui.dbgItemProduto, f.ui.dbgItemNotaFisc, f.ui.dbgItemsNFForn,
                              f.ui.dbgDadosAdic,   f.ui.dbgItemSemNF,    f.ui.dbgPadrao,
                              f.ui.dbgContaPagar};
    for (const Control* grid : grids) {
        if (grid == &active) return &active;
    }
    const Control* groups[] = {f.ui.grbFornecedor, f.ui.grbInscrEstad, f.ui.grbDestReme,  f.ui.grbProdEmiss,
                               f.ui.grbImposItem,  f.ui.grbImposNF,    f.ui.grbItEncargo, f.ui.grbTotalNF};
    for (Control* c = &active; c; c = c->Parent()) {
        for (const Control* group : groups) {
            if (group == c) return c;
        }
        if (c->Parent() == f.ui.nbkDestino) return c;
    }
    return nullptr;
}

bool IsItemGrid(const TfrmLancNFEntrada& f, const Control* c) {
    return c == f.ui.dbgItemProduto || c == f.ui.dbgItemNotaFisc || c == f.ui.dbgItemsNFForn;
}

void PageDown(TfrmLancNFEntrada& f, Control* group) {
    if (!group) return;
    if (group == f.ui.grbFornecedor || group == f.ui.grbInscrEstad || group->Parent() == f.ui.nbkDestino) {
        FocusIfPossible(f.ui.dbdDtEmissao);
    } else if (group == f.ui.grbDestReme) {
        FocusIfPossible(f.Layout().VisibleItemGrid());
    } else if (IsItemGrid(f, group) || group == f.ui.grbProdEmiss) {
        if (Usable(f.ui.dbgItemProImpos))
            FocusIfPossible(f.ui.dbgItemProImpos);
        else if (Usable(f.ui.dbgItemEncargo))
            FocusIfPossible(f.ui.dbgItemEncargo);
        else
            FocusIfPossible(f.ui.dbeVrNotaFisc);
    } else if (group == f.ui.grbImposItem) {
        FocusIfPossible(f.ui.dbgImposNFTot);
    } else if (group == f.ui.grbImposNF) {
        if (Usable(f.ui.dbgItemEncargo)) FocusIfPossible(f.ui.dbgItemEncargo);
    } else if (group == f.ui.grbItEncargo) {
        FocusIfPossible(f.ui.dbeVrNotaFisc);
    } else if (group == f.ui.dbgDadosAdic || group == f.ui.dbgItemSemNF) {
        if (f.ui.tshVencimento->Enabled()) ShowInstallments(f);
    } else if (group == f.ui.grbTotalNF) {
        if (f.ui.nbkTransport->PageIndex() == 1)
            FocusIfPossible(f.ui.dbgItemSemNF);
        else if (f.ui.tshVencimento->Enabled())
            ShowInstallments(f);
    } else if (group == f.ui.dbgPadrao) {
        DBEdit* participant = f.Header().ParticipantField();
        ShowRecordPageAt(f, Usable(participant) ? static_cast<Control*>(participant) : f.ui.dbeSerie);
    }
}

Control* AfterTotal(const TfrmLancNFEntrada& f, const std::string& kind) {
    return kind == "11" ? static_cast<Control*>(f.ui.dbgItemSemNF) : f.ui.dbeVrNotaFisc;
}

void PageUp(TfrmLancNFEntrada& f, Control* group, const std::string& kind) {
    if (!group) return;
    if (group == f.ui.grbFornecedor) {
        if (f.data.dtsRomaneioNF->State() == DataSetState::Browse) {
            f.pgcPadrao.SetActivePage(&f.tshFolhaDados);
            FocusIfPossible(f.ui.dbgPadrao);
        }
    } else if (group == f.ui.grbInscrEstad || group == f.ui.grbDestReme) {
        FocusIfPossible(f.Header().ParticipantField());
    } else if (IsItemGrid(f, group)) {
        FocusIfPossible(f.ui.dbdDtEmissao);
    } else if (group == f.ui.grbImposItem || group == f.ui.grbProdEmiss) {
        FocusIfPossible(f.Layout().VisibleItemGrid());
    } else if (group == f.ui.grbImposNF) {
        FocusIfPossible(f.ui.dbgItemProImpos);
    } else if (group == f.ui.grbItEncargo) {
        FocusIfPossible(Usable(f.ui.dbgImposNFTot) ? static_cast<Control*>(f.ui.dbgImposNFTot)
                                                   : f.Layout().VisibleItemGrid());
    } else if (group == f.ui.dbgDadosAdic) {
        FocusIfPossible(AfterTotal(f, kind));
    } else if (group == f.ui.grbTotalNF) {
        FocusIfPossible(Usable(f.ui.dbgItemEncargo) ? static_cast<Control*>(f.ui.dbgItemEncargo)
                                                    : f.Layout().VisibleItemGrid());
    } else if (group == f.ui.dbgItemSemNF) {
        FocusIfPossible(f.ui.dbeVrNotaFisc);
    } else if (group == f.ui.dbgContaPagar) {
        if (!InEdit(f.data.cdsContaPagar)) ShowRecordPageAt(f, AfterTotal(f, kind));
    }
}

} // namespace

void KeyboardHook::OnMessage(Message& message, bool& /*handled*/) {
    if (message.kind != MessageKind::KeyDown) return;
    Control* active = form_.ActiveControl();
    if (!active || form_.App().ActiveForm() != &form_ || form_.App().IsCtrlDown() || message.shift.ctrl)
        return;
    const KeyContext c{form_, *active, form_.Header().CurrentType()};
    switch (message.key) {
    case key::Enter:
        if (!active->IsRichText()) message.key = EnterRule(c);
        return;
    case key::Tab:
        if (OnDiscountColumn(c) && !OneOf(c.kind, {"07", "09", "10"})) message.key = key::Enter;
        return;
    case key::PageDown:
    case key::PageUp: {
        if (form_.Branch().FiltroAtivo()) return;
        const bool down = message.key == key::PageDown;
        message.key = key::None;
        Control* group = GroupOf(form_, *active);
        if (down)
            PageDown(form_, group);
        else
            PageUp(form_, group, c.kind);
        return;
    }
    case key::Period:
    case key::Decimal:
        if (form_.App().DecimalSeparator() == ',' && EditsFloat(*active)) message.key = key::Comma;
        return;
    default:
        break;
    }
    if (active->IsGrid() || active->IsRichText()) return;
    if (message.key == key::Up) {
        message.key = key::None;
        form_.SelectNext(false);
    } else if (message.key == key::Down) {
        message.key = key::Tab;
    }
}

void KeyboardHook::FormKeyDown(int& key, ShiftState shift) {
    if (key != key::F12 || shift.ctrl || shift.alt || shift.shift) return;
    if (!ui_.medCdFilial->Enabled()) return;
    if (InEdit(data_.cdsNotaFiscal)) return;
    FocusIfPossible(ui_.medCdFilial);
    key = key::None;
}

} // namespace dfe::dfe11000
