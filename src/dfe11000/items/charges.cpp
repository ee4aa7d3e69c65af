// The charges of a posting and its additional texts.
#include "dfe11000/items/charges.h"

#include "dfe11000/header/header_rules.h"
#include "dfe11000/header/origin_rules.h"
#include "dfe11000/items/typed_number.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/posting/posting_loader.h"
#include "platform/core/abort.h"
#include "platform/core/text.h"
#include "support/btn_pesquisa.h"
#include "support/consiste.h"
#include "support/show_msg.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace dfe::dfe11000 {
namespace {

const std::vector<std::string> kMessages = {
    "ItEncargo_inf|Valor do item deve ser informado.",
    "ItemEncargo_inv|Valor do item deve ser maior ou igual a zero.",
    "Mensagem|Mensagem",
};

constexpr int kMoneyDigits = 2;
constexpr int kTextNumberWidth = 3;
// The value column of the charges and tax grids (after the name or tax).
constexpr int kValueColumn = 1;

} // namespace

ChargeRules::ChargeRules(TfrmLancNFEntrada& form) : ModulePart(form) {
    form_.msgPadrao.AddLines(kMessages);
}

void ChargeRules::Wire() {
    DataSet& charges = data_.cdsItemEncargo;
    charges.OnNewRecord = [this](DataSet&) { cdsItemEncargoNewRecord(); };
    charges.BeforePost = [this](DataSet&) { cdsItemEncargoBeforePost(); };
    charges.BeforeDelete = [this](DataSet&) { cdsItemEncargoBeforeDelete(); };
    RoundTypedNumber(charges.FieldByName("VRITEMENCA"), kMoneyDigits);
    ui_.dbgItemEncargo->OnColExit = [this](Component&) { dbgItemEncargoColExit(false); };
    ui_.dbgItemEncargo->OnExit = [this](Component&) { dbgItemEncargoColExit(true); };
    // The tax grids run this common start before their own (TaxRules).
    ui_.dbgItemEncargo->OnEnter = [this](Component&) { dbgItemEncargoEnter(*ui_.dbgItemEncargo); };

    DataSet& texts = data_.cdsDadosAdic;
    texts.BeforeInsert = [this](DataSet&) { cdsDadosAdicBeforeInsert(); };
    texts.OnNewRecord = [this](DataSet&) { cdsDadosAdicNewRecord(); };
    texts.AfterDelete = [this](DataSet&) { cdsDadosAdicAfterDelete(); };
    ui_.dbgDadosAdic->OnExit = [this](Component&) { dbgDadosAdicExit(); };
    ui_.dbgDadosAdic->OnEditButtonClick = [this](Component&) { dbgDadosAdicEditButtonClick(); };

    ui_.nbkItensNF->OnPageChanged = [this](Component&) { nbkItensNFPageChanged(); };
}

// ---- Charges

void ChargeRules::AddChargeLines() {
    DataSet& charges = data_.cdsItemEncargo;
    if (data_.cdsNotaFiscal.State() != DataSetState::Insert) return;
    if (!charges.Active() || !charges.IsEmpty() || form_.Header().CurrentType() == "09") return;
    // While the clerk is in the grid a new row is refused as the clerk's own; the rule waits for a later
    // trigger instead of abandoning the one that called it.
    if (form_.ActiveControl() == ui_.dbgItemEncargo) return;
    db::TADOIBQuery& kinds = lookups_.qryEncargo;
    kinds.Close();
    kinds.Open();
    for (kinds.First(); !kinds.Eof(); kinds.Next()) {
        charges.Append();
        // The charge's name is shown in the grid as wide as its column; a longer registered name is cut.
        for (const char* name : {"CDENCARGO", "NMENCARGO", "IDENCARGO"}) {
            Field& field = charges.FieldByName(name);
            field.SetAsString(text::Left(FieldText(kinds, name), static_cast<size_t>(field.Size())));
        }
        charges.FieldByName("VRITEMENCA").SetAsFloat(0);
        charges.Post();
    }
    charges.First();
}

void ChargeRules::dbgItemEncargoEnter(DBGrid& grid) {
    DataSource* source = grid.GetDataSource();
    DataSet* ds = grid.GetDataSet();
    if (!source || !ds) return;
    if (source->State() == DataSetState::Browse && !ds->Eof()) ds->First();
    if (grid.ColumnCount() > kValueColumn) grid.SetSelectedIndex(kValueColumn);
}

// The clerk's Insert or Down below the last row starts a row in the grid: charges come only from the
// register.
void ChargeRules::cdsItemEncargoNewRecord() {
    if (form_.ActiveControl() == ui_.dbgItemEncargo) ThrowAbort();
    DataSet& charges = data_.cdsItemEncargo;
    charges.FieldByName("CDFILIAL").SetAsString(FieldText(data_.cdsNotaFiscal, "CDFILIAL"));
    charges.FieldByName("NRLANCTONF").SetAsString(FieldText(data_.cdsNotaFiscal, "NRLANCTONF"));
}

void ChargeRules::RefuseChargeValue(const char* code) {
    form_.Loader().ShowRecordPage();
    FocusFirstPossible({ui_.dbgItemEncargo});
    ui_.dbgItemEncargo->SetSelectedField("VRITEMENCA");
    support::MensErro(form_.msgPadrao, code, true);
    ThrowAbort();
}

void ChargeRules::cdsItemEncargoBeforePost() {
    const Field& value = data_.cdsItemEncargo.FieldByName("VRITEMENCA");
    if (value.IsNull()) RefuseChargeValue("ItEncargo_inf");
    if (value.AsFloat() < 0) RefuseChargeValue("ItemEncargo_inv");
}

void ChargeRules::cdsItemEncargoBeforeDelete() {
    ThrowAbort();
}

void ChargeRules::dbgItemEncargoColExit(bool leavingGrid) {
    const DataSet& charges = data_.cdsItemEncargo;
    if (!InEdit(charges)) return;
    // Only the value column is checked as it is left: selecting it to show a refusal leaves the name column.
    const Field* left = ui_.dbgItemEncargo->SelectedField();
    if (!leavingGrid && (!left || left->FieldName() != "VRITEMENCA")) return;
    if (charges.FieldByName("VRITEMENCA").AsFloat() < 0) RefuseChargeValue("ItemEncargo_inv");
}

// ---- Additional data

// Numbers follow the highest one of the posting, wherever the row is inserted: the number is part of the
// text's key, so following the current row would repeat one.
int ChargeRules::HighestTextNumber() const {
    DataSet& texts = data_.cdsDadosAdic;
    int highest = 0;
    for (int row = 1; row <= texts.RecordCount(); ++row)
        texts.ReadRecordAt(
            row, [&] { highest = std::max(highest, std::atoi(FieldText(texts, "NRDADOADIC").c_str())); });
    return highest;
}

void ChargeRules::cdsDadosAdicBeforeInsert() {
    Cli_dfe11000().inCodigo = HighestTextNumber();
}

void ChargeRules::cdsDadosAdicNewRecord() {
    DataSet& texts = data_.cdsDadosAdic;
    if (!InEdit(texts)) return;
    texts.FieldByName("CDFILIAL").SetAsString(FieldText(data_.cdsNotaFiscal, "CDFILIAL"));
    texts.FieldByName("NRLANCTONF").SetAsString(FieldText(data_.cdsNotaFiscal, "NRLANCTONF"));
    texts.FieldByName("NRDADOADIC")
        .SetAsString(support::Ajusta(std::to_string(Cli_dfe11000().inCodigo + 1), kTextNumberWidth));
}

void ChargeRules::cdsDadosAdicAfterDelete() {
    DataSet& header = data_.cdsNotaFiscal;
    if (header.Active() && !header.IsEmpty() && header.State() == DataSetState::Browse) header.Edit();
}

void ChargeRules::dbgDadosAdicExit() {
    if (InEdit(data_.cdsDadosAdic)) data_.cdsDadosAdic.Post();
}

void ChargeRules::dbgDadosAdicEditButtonClick() {
    db::TADOIBQuery& messages = lookups_.qryMensagem;
    messages.Close();
    messages.Open();
    if (Field* f = messages.FindField("CDMENSAGEM")) f->SetDisplayLabel("Código");
    if (Field* f = messages.FindField("DSMENSAGEM")) f->SetDisplayLabel("Mensagem");
    if (!support::Pesquisar(form_.msgPadrao.Msg("Mensagem"), lookups_.dtsMensagem)) return;
    DataSet& texts = data_.cdsDadosAdic;
    if (!InEdit(texts)) texts.Edit();
    texts.FieldByName("DSDADOADIC").SetAsString(FieldText(messages, "DSMENSAGEM"));
    texts.FieldByName("CDMENSAGEM").SetAsString(FieldText(messages, "CDMENSAGEM"));
}

void ChargeRules::nbkItensNFPageChanged() {
    const bool carriedOver = form_.Origin().DevolucaoOrigem() && form_.Header().TipoOper().IDNFRETIND != "S";
    for (DBGrid* grid : {ui_.dbgItemProImpos, ui_.dbgImposNFTot, ui_.dbgItemEncargo}) {
        grid->SetReadOnly(carriedOver);
        grid->SetOptions(carriedOver ? kValueGridOptions | grid_option::RowSelect : kValueGridOptions);
    }
}

} // namespace dfe::dfe11000
