// The keys clerks type by: Enter moves on like Tab, the discount column keeps Enter, the document total jumps
// to the installments, Up and Down move between fields, Page Up and Page Down jump between the form's groups
// and the period types the decimal comma in number fields.
#include "dfe11000/module/frm_lanc_nf_entrada.h"

namespace dfe::dfe11000 {
namespace {

bool IsEditing(const DataSet& ds) {
    return ds.State() == DataSetState::Edit || ds.State() == DataSetState::Insert;
}

bool OneOf(const std::string& kind, std::initializer_list<const char*> kinds) {
    for (const char* k : kinds) {
        if (kind == k) return true;
    }
    return false;
}

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

// Moves the focus when the target can take it; a target that cannot is left alone (the key is still used).
void FocusIfPossible(Control* target) {
    if (target && target->CanFocus()) target->SetFocus();
}

} // namespace

bool TfrmLancNFEntrada::FiltroAtivo() const {
    return ActiveControl() != nullptr && ActiveControl() == medCdFilial;
}

DBGrid* TfrmLancNFEntrada::VisibleItemGrid() const {
    switch (nbkItensNF->PageIndex()) {
    case 1:
        return dbgItemNotaFisc;
    case 2:
        return dbgItemsNFForn;
    default:
        return dbgItemProduto;
    }
}

DBEdit* TfrmLancNFEntrada::ParticipantField() const {
    switch (nbkDestino->PageIndex()) {
    case 0:
        return dbeNrInsJurClie;
    case 2:
        return dbeCdFilial;
    default:
        return dbeNrInsJurNF;
    }
}

namespace {

struct KeyContext {
    TfrmLancNFEntrada& form;
    Control& active;
    const std::string& kind;
};

bool OnDiscountColumn(const KeyContext& c) {
    if (&c.active != c.form.dbgItemProduto || !IsEditing(c.form.cdsItemProduto)) return false;
    const std::string field = SelectedFieldName(c.active);
    return !field.empty() && field == Cli_dfe11000().stColunaDesc;
}

void ShowInstallments(TfrmLancNFEntrada& form) {
    form.pgcPadrao.SetActivePage(form.tshVencimento);
    FocusIfPossible(form.dbgContaPagar);
}

void ShowRecordPageAt(TfrmLancNFEntrada& form, Control* target) {
    form.pgcPadrao.SetActivePage(&form.tshFormulario);
    FocusIfPossible(target);
}

int EnterRule(const KeyContext& c) {
    TfrmLancNFEntrada& f = c.form;
    const bool discount =
        OnDiscountColumn(c) || (&c.active == f.dbgItemProduto && IsEditing(f.cdsItemProduto) &&
                                c.kind == "03" && SelectedFieldName(c.active) == "VRTOTAITEM");
    if (discount && !OneOf(c.kind, {"07", "09", "10"})) return key::Enter;
    if (&c.active != f.dbeVrNotaFisc) return key::Tab;
    if (c.kind != "11" && f.tshVencimento->Enabled()) {
        ShowInstallments(f);
        return key::None;
    }
    const bool noInstallments = f.cdsRomaneioNF.Active() && f.cdsRomaneioNF.FindField("IDUTILVENC") &&
                                f.cdsRomaneioNF.FieldByName("IDUTILVENC").AsString() == "N";
    if (OneOf(c.kind, {"07", "09", "11"}) || noInstallments) return key::Tab;
    return key::Enter;
}

// The group the focus is in, as the Page Up and Page Down map names it: the control itself when it is one of
// the named grids, else its nearest named parent.
Control* GroupOf(const TfrmLancNFEntrada& f, Control& active) {
    const Control* grids[] = {f.dbgItemProduto, f.dbgItemNotaFisc, f.dbgItemsNFForn, f.dbgDadosAdic,
                              f.dbgItemSemNF,   f.dbgPadrao,       f.dbgContaPagar};
    for (const Control* grid : grids) {
        if (grid == &active) return &active;
    }
    const Control* groups[] = {f.grbFornecedor, f.grbInscrEstad, f.grbDestReme,  f.grbProdEmiss,
                               f.grbImposItem,  f.grbImposNF,    f.grbItEncargo, f.grbTotalNF};
    for (Control* c = &active; c; c = c->Parent()) {
        for (const Control* group : groups) {
            if (group == c) return c;
        }
        if (c->Parent() == f.nbkDestino) return c;
    }
    return nullptr;
}

bool IsItemGrid(const TfrmLancNFEntrada& f, const Control* c) {
    return c == f.dbgItemProduto || c == f.dbgItemNotaFisc || c == f.dbgItemsNFForn;
}

void PageDown(TfrmLancNFEntrada& f, Control* group) {
    if (!group) return;
    if (group == f.grbFornecedor || group == f.grbInscrEstad || group->Parent() == f.nbkDestino) {
        FocusIfPossible(f.dbdDtEmissao);
    } else if (group == f.grbDestReme) {
        FocusIfPossible(f.VisibleItemGrid());
    } else if (IsItemGrid(f, group) || group == f.grbProdEmiss) {
        if (Usable(f.dbgItemProImpos))
            FocusIfPossible(f.dbgItemProImpos);
        else if (Usable(f.dbgItemEncargo))
            FocusIfPossible(f.dbgItemEncargo);
        else
            FocusIfPossible(f.dbeVrNotaFisc);
    } else if (group == f.grbImposItem) {
        FocusIfPossible(f.dbgImposNFTot);
    } else if (group == f.grbImposNF) {
        if (Usable(f.dbgItemEncargo)) FocusIfPossible(f.dbgItemEncargo);
    } else if (group == f.grbItEncargo) {
        FocusIfPossible(f.dbeVrNotaFisc);
    } else if (group == f.dbgDadosAdic || group == f.dbgItemSemNF) {
        if (f.tshVencimento->Enabled()) ShowInstallments(f);
    } else if (group == f.grbTotalNF) {
        if (f.nbkTransport->PageIndex() == 1)
            FocusIfPossible(f.dbgItemSemNF);
        else if (f.tshVencimento->Enabled())
            ShowInstallments(f);
    } else if (group == f.dbgPadrao) {
        DBEdit* participant = f.ParticipantField();
        ShowRecordPageAt(f, Usable(participant) ? static_cast<Control*>(participant) : f.dbeSerie);
    }
}

Control* AfterTotal(const TfrmLancNFEntrada& f, const std::string& kind) {
    return kind == "11" ? static_cast<Control*>(f.dbgItemSemNF) : f.dbeVrNotaFisc;
}

void PageUp(TfrmLancNFEntrada& f, Control* group, const std::string& kind) {
    if (!group) return;
    if (group == f.grbFornecedor) {
        if (f.dtsRomaneioNF->State() == DataSetState::Browse) {
            f.pgcPadrao.SetActivePage(&f.tshFolhaDados);
            FocusIfPossible(f.dbgPadrao);
        }
    } else if (group == f.grbInscrEstad || group == f.grbDestReme) {
        FocusIfPossible(f.ParticipantField());
    } else if (IsItemGrid(f, group)) {
        FocusIfPossible(f.dbdDtEmissao);
    } else if (group == f.grbImposItem || group == f.grbProdEmiss) {
        FocusIfPossible(f.VisibleItemGrid());
    } else if (group == f.grbImposNF) {
        FocusIfPossible(f.dbgItemProImpos);
    } else if (group == f.grbItEncargo) {
        FocusIfPossible(Usable(f.dbgImposNFTot) ? static_cast<Control*>(f.dbgImposNFTot)
                                                : f.VisibleItemGrid());
    } else if (group == f.dbgDadosAdic) {
        FocusIfPossible(AfterTotal(f, kind));
    } else if (group == f.grbTotalNF) {
        FocusIfPossible(Usable(f.dbgItemEncargo) ? static_cast<Control*>(f.dbgItemEncargo)
                                                 : f.VisibleItemGrid());
    } else if (group == f.dbgItemSemNF) {
        FocusIfPossible(f.dbeVrNotaFisc);
    } else if (group == f.dbgContaPagar) {
        if (!IsEditing(f.cdsContaPagar)) ShowRecordPageAt(f, AfterTotal(f, kind));
    }
}

} // namespace

void TfrmLancNFEntrada::OnMessage(Message& message, bool& /*handled*/) {
    if (message.kind != MessageKind::KeyDown) return;
    Control* active = ActiveControl();
    if (!active || App().ActiveForm() != this || App().IsCtrlDown() || message.shift.ctrl) return;
    const KeyContext c{*this, *active, stTipoOperAtual};
    switch (message.key) {
    case key::Enter:
        if (!active->IsRichText()) message.key = EnterRule(c);
        return;
    case key::Tab:
        if (OnDiscountColumn(c) && !OneOf(c.kind, {"07", "09", "10"})) message.key = key::Enter;
        return;
    case key::PageDown:
    case key::PageUp: {
        if (FiltroAtivo()) return;
        const bool down = message.key == key::PageDown;
        message.key = key::None;
        Control* group = GroupOf(*this, *active);
        if (down)
            PageDown(*this, group);
        else
            PageUp(*this, group, c.kind);
        return;
    }
    case key::Period:
    case key::Decimal:
        if (App().DecimalSeparator() == ',' && EditsFloat(*active)) message.key = key::Comma;
        return;
    default:
        break;
    }
    if (active->IsGrid() || active->IsRichText()) return;
    if (message.key == key::Up) {
        message.key = key::None;
        SelectNext(false);
    } else if (message.key == key::Down) {
        message.key = key::Tab;
    }
}

void TfrmLancNFEntrada::FormKeyDown(int& key, ShiftState shift) {
    if (key != key::F12 || shift.ctrl || shift.alt || shift.shift) return;
    if (!medCdFilial->Enabled()) return;
    if (IsEditing(cdsNotaFiscal)) return;
    FocusIfPossible(medCdFilial);
    key = key::None;
}

} // namespace dfe::dfe11000
