// How the list of postings shows a row: the status suffixes of the operation name, the posting text of the
// navigator, and the list grid's cells (masks by person type, names by participant kind, blind entry).
#include "dfe11000/module/frm_lanc_nf_entrada.h"

#include "platform/core/text.h"
#include "platform/ui/edit_mask.h"
#include "support/consiste.h"

namespace dfe::dfe11000 {
namespace {

std::string FieldText(const DataSet& ds, std::string_view field) {
    const Field* f = ds.Active() ? ds.FindField(field) : nullptr;
    return f ? f->AsString() : std::string();
}

std::string Masked(const std::string& mask, const std::string& value) {
    if (mask.empty() || value.empty()) return value;
    const EditMask editMask(mask);
    return text::Encode(editMask.Display(editMask.InputsFromValue(text::Decode(value))));
}

// Cells of the supplier's own document that a blind entry keeps from the clerk.
bool IsDocumentCell(const std::string& field) {
    return text::SameText(field, "NRNOTAFISC") || text::SameText(field, "DTEMISSAO");
}

} // namespace

std::string TfrmLancNFEntrada::TipoOperDisplayText() {
    std::string name = FieldText(cdsRomaneioNF, "NMTIPOOPER");
    if (FieldText(cdsRomaneioNF, "CDTIPOOPER") == "10") return name;
    if (FieldText(cdsRomaneioNF, "IDSTATUS") == "C") return name + msgPadrao.Msg("NFCanc");
    if (FieldText(cdsRomaneioNF, "IDBLOQUEADO") == "S" && FieldText(cdsNotaFiscal, "IDDOCFINANC") != "L")
        return name + msgPadrao.Msg("NFBloq");
    return name;
}

std::string TfrmLancNFEntrada::LancamentoDisplayText() {
    std::string posting =
        msgPadrao.Msg("NLanc") + FieldText(cdsRomaneioNF, "NRLANCTONF") + " - " + TipoOperDisplayText();
    const std::string status = FieldText(cdsRomaneioNF, "IDSTATUS");
    if (status == "P" && FieldText(cdsRomaneioNF, "IDNFDEVOOL") == "S")
        return posting + msgPadrao.Msg("NF_DevOL");
    if (status == "D") return posting + msgMensagensPadroes.Msg("NFDig");
    return posting;
}

void TfrmLancNFEntrada::cdsRomaneioNFAfterInsert() {
    cdsRomaneioNF.FieldByName("NRLANCTONF").SetAsString("NOVOCODIGO");
    cdsRomaneioNF.FieldByName("NRLANCESTQ").SetAsString("NOVOCODIGO");
}

void TfrmLancNFEntrada::WireListDisplay() {
    // Only the display text carries the suffixes: the edit text stays the stored value.
    cdsRomaneioNF.FieldByName("NMTIPOOPER").OnGetText = [this](Field& field, std::string& text,
                                                               bool displayText) {
        text = displayText ? TipoOperDisplayText() : field.AsString();
    };
    cdsRomaneioNF.FieldByName("CDFILIAL").OnGetText = [this](Field& field, std::string& text,
                                                             bool displayText) {
        text = displayText ? LancamentoDisplayText() : field.AsString();
    };
    cdsRomaneioNF.AfterInsert = [this](DataSet&) { cdsRomaneioNFAfterInsert(); };
}

std::string TfrmLancNFEntrada::ListCellText(const GridColumn& column) {
    const std::string& name = column.FieldName();
    const Field* field = cdsRomaneioNF.FindField(name);
    if (!field) return {};
    const DateTime entry = cdsRomaneioNF.FieldByName("DTENTRSAID").AsDateTime();
    const bool blindEntry = FieldText(cdsParamDFE, "IDOCINFORNF") == "S" && !entry.IsEmpty() &&
                            entry.WholeDays() == Cli_dfe11000().dtDataProc.WholeDays();
    const std::string kind = FieldText(cdsRomaneioNF, "IDORIGDESTNF");
    if (text::SameText(name, "NRINSJURNF")) {
        const std::string masked =
            Masked(support::PictPess(FieldText(cdsRomaneioNF, "IDTPIJURNF")), field->AsString());
        if (blindEntry) {
            const size_t length = text::Length(masked);
            return text::Left(masked, length > 3 ? length - 3 : 0);
        }
        if (kind == "L") return FieldText(cdsRomaneioNF, "CDFILIEMIT");
        return masked;
    }
    if (blindEntry && IsDocumentCell(name)) return {};
    // The name follows the participant kind in a blind entry too: it is not the supplier's document data.
    if (text::SameText(name, "NMRAZSOCFORN")) {
        if (kind == "L") return FieldText(cdsRomaneioNF, "NMFILIAL");
        if (kind == "C") return FieldText(cdsRomaneioNF, "NMRAZSOCCLIE");
    }
    return field->DisplayText();
}

void TfrmLancNFEntrada::dbgPadraoDrawColumnCell(Canvas& canvas, const Rect& rect, GridColumn& column,
                                                GridDrawState state) {
    canvas.brushColor = state.selected ? Color::clHighlight : column.GetColor();
    canvas.fontColor = state.selected ? Color::clHighlightText : Color::clWindowText;
    canvas.FillRect(rect);
    canvas.TextOut(rect.left + 1, rect.top + 2, ListCellText(column));
}

} // namespace dfe::dfe11000
