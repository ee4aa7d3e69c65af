// The posting's grids and their columns, in the order the clerk sees them.
#include "dfe11000/posting/posting_grids.h"

#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/posting/posting_loader.h"

#include "platform/core/text.h"

#include <algorithm>
#include <span>

namespace dfe::dfe11000 {
namespace {

struct ColumnRow {
    const char* field;
    bool readOnly;
    const char* title; // empty: the field's caption
    int width;         // 0: wide enough for the title and a typical value
};

constexpr ColumnRow Col(const char* field, const char* title = "", int width = 0) {
    return {field, false, title, width};
}
constexpr ColumnRow Shown(const char* field, const char* title = "", int width = 0) {
    return {field, true, title, width};
}

constexpr ColumnRow kPadrao[] = {Col("NRINSJURNF", "", 114), Col("NMRAZSOCFORN", "", 176),
                                 Col("NRNOTAFISC", "", 70),  Col("CDSERIEENTR", "", 40),
                                 Col("DTEMISSAO", "", 84),   Col("DTENTRSAID", "", 84),
                                 Col("VRNOTAFISC", "", 70)};
constexpr ColumnRow kItemNotaFisc[] = {Col("LANCAMENTO"), Shown("CDSERIEENTR"), Shown("NRNOTAFISC"),
                                       Shown("NMRAZSOCFORN"), Shown("VRNOTAFISC")};
constexpr ColumnRow kItemSemNF[] = {Col("LANCAMENTO"), Shown("NMRAZSOCFORN"), Shown("VRNOTAFISC")};
constexpr ColumnRow kItemEncargo[] = {Shown("NMENCARGO"), Col("VRITEMENCA")};
constexpr ColumnRow kContaPagar[] = {Col("QTDIASVENPAG"), Col("DTORIGVENPAG"),
                                     Col("VRORIGPAG"),    Shown("IDSTATPAG"),
                                     Col("DSCONTAPAG"),   Col("CDTPCTPAGAR", "Cód. C. P."),
                                     Col("CDBARRAPAG")};
constexpr ColumnRow kDadosAdic[] = {Col("DSDADOADIC")};
constexpr ColumnRow kItemProduto[] = {
    Shown("CDARVPROD"),  Shown("NMPRODUTO"),    Col("CDSITUTRIBPR"),
    Col("CDFISOPEITEM"), Shown("SGUNIDADE"),    Col("QTITEMORIG", "Qt. Origem"),
    Col("QTITEMPROD"),   Col("VRUNITITEM"),     Col("VRTOTAITEM"),
    Col("VRDESCITEM"),   Shown("IDAVISOSITEM"), Col("IDPRODBONIF", "Bonif.")};
constexpr ColumnRow kItemsNFForn[] = {Shown("NMPRODUTO"),
                                      Shown("CDSITUTRIBPR"),
                                      Col("CDFISOPEITEM"),
                                      Shown("SGUNIDADE"),
                                      Shown("QTITEMORIG", "Qt. Origem"),
                                      Col("QTITEMPROD"),
                                      Shown("VRUNITITEM"),
                                      Shown("VRTOTAITEM"),
                                      Col("VRDESCITEM"),
                                      Shown("IDAVISOSITEM"),
                                      Col("IDPRODBONIF", "Bonif.")};
constexpr ColumnRow kItemProImpos[] = {Shown("SGIMPOSTO"), Col("VRALIQIMPOIT"),   Col("VRIMPOSVISUIT"),
                                       Col("IDIMAGEM"),    Col("VRADICALIQFECP"), Col("VRADICFECP")};
constexpr ColumnRow kImposNFTot[] = {Shown("SGIMPOSTO"), Col("VRIMPOSTOT"), Col("IDIMAGEM")};

// The columns hidden until a posting is loaded: the warning marks of taxes and items.
constexpr int kItemProImposMarks = 3;
constexpr int kImposNFTotMarks = 2;
constexpr int kItemProdutoWarnings = 10;

constexpr int kPixelsPerChar = 7;
constexpr int kWidestTypicalValue = 25; // characters

int DefaultWidth(const Field* field, const std::string& title) {
    int chars = 10;
    if (field && field->DataType() == FieldType::String)
        chars = std::clamp(field->Size(), 3, kWidestTypicalValue);
    chars = std::max(chars, static_cast<int>(text::Length(title)));
    return chars * kPixelsPerChar + 8;
}

void AddColumns(DBGrid& grid, const DataSet& dataSet, std::span<const ColumnRow> rows) {
    grid.ClearColumns();
    for (const ColumnRow& row : rows) {
        const Field* field = dataSet.FindField(row.field);
        std::string title = row.title;
        if (title.empty()) title = field ? field->DisplayLabel() : row.field;
        const int width = row.width > 0 ? row.width : DefaultWidth(field, title);
        GridColumn& column = grid.AddColumn(row.field, std::move(title));
        column.SetReadOnly(row.readOnly);
        column.SetWidth(width);
    }
}

} // namespace

void BuildPostingGrids(PostingControls& ui, PostingDataSets& data) {
    AddColumns(*ui.dbgPadrao, data.cdsRomaneioNF, kPadrao);
    AddColumns(*ui.dbgItemNotaFisc, data.cdsItemNotaFisc, kItemNotaFisc);
    AddColumns(*ui.dbgItemSemNF, data.cdsItemNotaFisc, kItemSemNF);
    AddColumns(*ui.dbgItemEncargo, data.cdsItemEncargo, kItemEncargo);
    AddColumns(*ui.dbgContaPagar, data.cdsContaPagar, kContaPagar);
    AddColumns(*ui.dbgDadosAdic, data.cdsDadosAdic, kDadosAdic);
    AddColumns(*ui.dbgItemProduto, data.cdsItemProduto, kItemProduto);
    AddColumns(*ui.dbgItemsNFForn, data.cdsItemProduto, kItemsNFForn);
    AddColumns(*ui.dbgItemProImpos, data.cdsTrabItProImpos, kItemProImpos);
    AddColumns(*ui.dbgImposNFTot, data.cdsTrabImposNFTot, kImposNFTot);
    ui.dbgItemProduto->Column(0).SetButtonStyle(ColumnButton::Ellipsis);
    ui.dbgDadosAdic->Column(0).SetButtonStyle(ColumnButton::Ellipsis);
}

void PostingLoader::HideUnloadedColumns() {
    for (DBGrid* grid : {ui_.dbgItemProduto, ui_.dbgItemNotaFisc, ui_.dbgItemSemNF})
        grid->Column(0).SetButtonStyle(ColumnButton::None);
    ui_.dbgItemProImpos->Column(kItemProImposMarks).SetVisible(false);
    ui_.dbgImposNFTot->Column(kImposNFTotMarks).SetVisible(false);
    ui_.dbgItemProduto->Column(kItemProdutoWarnings).SetVisible(false);
}

void PostingLoader::ShowLoadedColumns() {
    ui_.dbgItemProImpos->Column(kItemProImposMarks).SetVisible(true);
    ui_.dbgImposNFTot->Column(kImposNFTotMarks).SetVisible(true);
    ui_.dbgItemProduto->Column(kItemProdutoWarnings).SetVisible(true);
}

} // namespace dfe::dfe11000
