// How the list of postings shows a row: the status suffixes of the operation name, the posting text of the
// navigator, and the list grid's cells (masks by person type, names by participant kind, blind entry).
#include "dfe11000/module/frm_lanc_nf_entrada.h"

#include "dfe11000/module/module_helpers.h"
#include "dfe11000/posting/posting_list.h"
#include "platform/core/text.h"
#include "platform/ui/edit_mask.h"
#include "support/consiste.h"

namespace dfe::dfe11000 {
namespace {

// Cells of the supplier's own document that a blind entry keeps from the clerk.
bool IsDocumentCell(const std::string& field) {
    return text::SameText(field, "NRNOTAFISC") || text::SameText(field, "DTEMISSAO");
}

} // namespace

std::string PostingList::TipoOperDisplayText() {
    std::string name = FieldText(data_.cdsRomaneioNF, "NMTIPOOPER");
    if (FieldText(data_.cdsRomaneioNF, "CDTIPOOPER") == "10") return name;
    if (FieldText(data_.cdsRomaneioNF, "IDSTATUS") == "C") return name + form_.msgPadrao.Msg("NFCanc");
    if (FieldText(data_.cdsRomaneioNF, "IDBLOQUEADO") == "S" &&
        FieldText(data_.cdsNotaFiscal, "IDDOCFINANC") != "L")
        return name + form_.msgPadrao.Msg("NFBloq");
    return name;
}

std::string PostingList::LancamentoDisplayText() {
    std::string posting = form_.msgPadrao.Msg("NLanc") + FieldText(data_.cdsRomaneioNF, "NRLANCTONF") +
                          " - " + TipoOperDisplayText();
    const std::string status = FieldText(data_.cdsRomaneioNF, "IDSTATUS");
    if (status == "P" && FieldText(data_.cdsRomaneioNF, "IDNFDEVOOL") == "S")
        return posting + form_.msgPadrao.Msg("NF_DevOL");
    if (status == "D") return posting + form_.msgMensagensPadroes.Msg("NFDig");
    return posting;
}

void PostingList::cdsRomaneioNFAfterInsert() {
    data_.cdsRomaneioNF.FieldByName("NRLANCTONF").SetAsString("NOVOCODIGO");
    data_.cdsRomaneioNF.FieldByName("NRLANCESTQ").SetAsString("NOVOCODIGO");
}

void PostingList::Wire() {
    // Only the display text carries the suffixes: the edit text stays the stored value.
    data_.cdsRomaneioNF.FieldByName("NMTIPOOPER").OnGetText = [this](Field& field, std::string& text,
                                                                     bool displayText) {
        text = displayText ? TipoOperDisplayText() : field.AsString();
    };
    data_.cdsRomaneioNF.FieldByName("CDFILIAL").OnGetText = [this](Field& field, std::string& text,
                                                                   bool displayText) {
        text = displayText ? LancamentoDisplayText() : field.AsString();
    };
    data_.cdsRomaneioNF.AfterInsert = [this](DataSet&) { cdsRomaneioNFAfterInsert(); };
    ui_.dbgPadrao->OnDrawColumnCell = [this](DBGrid&, Canvas& canvas, const Rect& rect, int,
                                             GridColumn& column, GridDrawState state) {
        dbgPadraoDrawColumnCell(canvas, rect, column, state);
    };
    // Opening a list with rows also scrolls to its first row: the row is handled once, there.
    ChainHandler(data_.cdsRomaneioNF.AfterOpen, [this](DataSet& ds) {
        if (ds.IsEmpty()) cdsRomaneioNFAfterOpen();
    });
    ChainHandler(data_.cdsRomaneioNF.AfterScroll, [this](DataSet&) { cdsRomaneioNFAfterOpen(); });
    auto stateChange = data_.dtsRomaneioNF->OnStateChange;
    data_.dtsRomaneioNF->OnStateChange = [this, stateChange](DataSource& source) {
        if (stateChange) stateChange(source);
        dtsRomaneioNFStateChange();
    };
}

std::string PostingList::ListCellText(const GridColumn& column) {
    const std::string& name = column.FieldName();
    const Field* field = data_.cdsRomaneioNF.FindField(name);
    if (!field) return {};
    const DateTime entry = data_.cdsRomaneioNF.FieldByName("DTENTRSAID").AsDateTime();
    const bool blindEntry = FieldText(data_.cdsParamDFE, "IDOCINFORNF") == "S" && !entry.IsEmpty() &&
                            entry.WholeDays() == Cli_dfe11000().dtDataProc.WholeDays();
    const std::string kind = FieldText(data_.cdsRomaneioNF, "IDORIGDESTNF");
    if (text::SameText(name, "NRINSJURNF")) {
        const std::string masked = support::FormatMaskText(
            support::PictPess(FieldText(data_.cdsRomaneioNF, "IDTPIJURNF")), field->AsString());
        if (blindEntry) {
            const size_t length = text::Length(masked);
            return text::Left(masked, length > 3 ? length - 3 : 0);
        }
        if (kind == "L") return FieldText(data_.cdsRomaneioNF, "CDFILIEMIT");
        return masked;
    }
    if (blindEntry && IsDocumentCell(name)) return {};
    // The name follows the participant kind in a blind entry too: it is not the supplier's document data.
    if (text::SameText(name, "NMRAZSOCFORN")) {
        if (kind == "L") return FieldText(data_.cdsRomaneioNF, "NMFILIAL");
        if (kind == "C") return FieldText(data_.cdsRomaneioNF, "NMRAZSOCCLIE");
    }
    return field->DisplayText();
}

void PostingList::dbgPadraoDrawColumnCell(Canvas& canvas, const Rect& rect, GridColumn& column,
                                          GridDrawState state) {
    canvas.brushColor = state.selected ? Color::clHighlight : column.GetColor();
    canvas.fontColor = state.selected ? Color::clHighlightText : Color::clWindowText;
    canvas.FillRect(rect);
    canvas.TextOut(rect.left + 1, rect.top + 2, ListCellText(column));
}

} // namespace dfe::dfe11000
