#include "module_fixture.h"

namespace dfe::dfe11000 {
namespace {

class ListDisplay : public testing::ModuleTest {
protected:
    void SetUp() override {
        form = &Open();
        form->data.cdsRomaneioNF.CreateDataSet();
        form->data.cdsNotaFiscal.CreateDataSet();
        form->data.cdsNotaFiscal.Append();
        form->data.cdsNotaFiscal.Post();
    }

    void SetParams(const char* blindEntry) {
        form->data.cdsParamDFE.CreateDataSet(
            {FieldDef{"IDTPLANCDESC", FieldType::String, 1}, FieldDef{"IDOCINFORNF", FieldType::String, 1}});
        form->data.cdsParamDFE.Append();
        form->data.cdsParamDFE.FieldByName("IDOCINFORNF").SetAsString(blindEntry);
        form->data.cdsParamDFE.Post();
    }

    void SetRow(std::initializer_list<std::pair<const char*, Variant>> values) {
        DataSet& row = form->data.cdsRomaneioNF;
        if (row.IsEmpty()) {
            row.Append();
        } else {
            row.Edit();
        }
        for (const auto& [field, value] : values)
            row.FieldByName(field).SetValue(value);
        row.Post();
    }

    // What the list grid draws in a column of the first row.
    std::string Cell(int column) {
        RecordingCanvas canvas;
        form->ui.dbgPadrao->PaintCell(canvas, 1, column, Rect{10, 20, 110, 38});
        const std::string& text = canvas.Operations().back();
        const size_t quote = text.find('"');
        return text.substr(quote + 1, text.size() - quote - 2);
    }

    TfrmLancNFEntrada* form = nullptr;
};

TEST_F(ListDisplay, TheOperationNameAndThePostingTextCarryTheStatus) {
    struct Case {
        const char* what;
        const char* status;
        const char* blocked;
        const char* type;
        const char* financial; // IDDOCFINANC of the header
        const char* returnOfOL;
        const char* operation;
        const char* posting;
    };
    const Case cases[] = {
        {"entered", "P", "N", "01", "", "N", "COMPRA", "Nº Lanç: 0000000123 - COMPRA"},
        {"cancelled", "C", "N", "01", "", "N", "COMPRA (Nota Fiscal Cancelada)",
         "Nº Lanç: 0000000123 - COMPRA (Nota Fiscal Cancelada)"},
        {"cancelled and blocked", "C", "S", "01", "", "N", "COMPRA (Nota Fiscal Cancelada)",
         "Nº Lanç: 0000000123 - COMPRA (Nota Fiscal Cancelada)"},
        {"cancelled, type 10", "C", "N", "10", "", "N", "COMPRA", "Nº Lanç: 0000000123 - COMPRA"},
        {"blocked", "P", "S", "01", "", "N", "COMPRA (Nota Fiscal Bloqueada)",
         "Nº Lanç: 0000000123 - COMPRA (Nota Fiscal Bloqueada)"},
        {"blocked, installments released", "P", "S", "01", "L", "N", "COMPRA",
         "Nº Lanç: 0000000123 - COMPRA"},
        {"blocked, type 10", "P", "S", "10", "", "N", "COMPRA", "Nº Lanç: 0000000123 - COMPRA"},
        {"return of the other system", "P", "N", "01", "", "S", "COMPRA",
         "Nº Lanç: 0000000123 - COMPRA (Nota Fiscal de Devolução do OL)"},
        {"return flag on a cancelled posting", "C", "N", "01", "", "S", "COMPRA (Nota Fiscal Cancelada)",
         "Nº Lanç: 0000000123 - COMPRA (Nota Fiscal Cancelada)"},
        {"typed on the web, blocked", "D", "S", "01", "", "N", "COMPRA (Nota Fiscal Bloqueada)",
         "Nº Lanç: 0000000123 - COMPRA (Nota Fiscal Bloqueada) (Nota Fiscal em digitação no Web)"},
    };
    for (const Case& c : cases) {
        SetRow({{"NRLANCTONF", "0000000123"},
                {"NMTIPOOPER", "COMPRA"},
                {"IDSTATUS", c.status},
                {"IDBLOQUEADO", c.blocked},
                {"CDTIPOOPER", c.type},
                {"IDNFDEVOOL", c.returnOfOL}});
        form->data.cdsNotaFiscal.Edit();
        form->data.cdsNotaFiscal.FieldByName("IDDOCFINANC").SetAsString(c.financial);
        form->data.cdsNotaFiscal.Post();
        EXPECT_EQ(form->data.cdsRomaneioNF.FieldByName("NMTIPOOPER").DisplayText(), c.operation) << c.what;
        EXPECT_EQ(form->data.cdsRomaneioNF.FieldByName("CDFILIAL").DisplayText(), c.posting) << c.what;
        // The stored values stay as they are: only their display carries the status.
        EXPECT_EQ(form->data.cdsRomaneioNF.FieldByName("NMTIPOOPER").Text(), "COMPRA") << c.what;
    }
    form->data.dtsRomaneioNF->SetEnabled(true);
    EXPECT_EQ(form->ui.dbtNome->Caption(),
              "Nº Lanç: 0000000123 - COMPRA (Nota Fiscal Bloqueada) (Nota Fiscal em digitação no Web)");
}

TEST_F(ListDisplay, ANewListRowWaitsForItsNumber) {
    form->data.cdsRomaneioNF.Append();
    EXPECT_EQ(form->data.cdsRomaneioNF.FieldByName("NRLANCTONF").AsString(), "NOVOCODIGO");
    EXPECT_EQ(form->data.cdsRomaneioNF.FieldByName("NRLANCESTQ").AsString(), "NOVOCODIGO");
    form->data.cdsRomaneioNF.Cancel();
}

TEST_F(ListDisplay, TheGridMasksRegistrationsNamesParticipantsAndHidesTodaysBlindEntries) {
    const DateTime today = DateTime::FromDate(2026, 12, 10);
    Cli_dfe11000().dtDataProc = today;
    struct Case {
        const char* what;
        const char* blind; // IDOCINFORNF
        DateTime entry;
        const char* personType;
        const char* registration;
        const char* kind;
        const char* shownRegistration;
        const char* shownName;
        bool documentShown;
    };
    const DateTime yesterday = today.AddDays(-1);
    const DateTime todayAfternoon = today.AddDays(0.6);
    const Case cases[] = {
        {"company", "N", today, "J", "12345678000195", "F", "12.345.678/0001-95", "Fornecedor SA", true},
        {"person", "N", today, "F", "12345678909", "F", "123.456.789-09", "Fornecedor SA", true},
        {"customer", "N", today, "J", "12345678000195", "C", "12.345.678/0001-95", "Cliente Ltda", true},
        {"branch", "N", today, "J", "12345678000195", "L", "0002", "Filial Campinas", true},
        {"no kind", "N", today, "J", "12345678000195", "", "12.345.678/0001-95", "Fornecedor SA", true},
        {"blind, today", "S", today, "J", "12345678000195", "F", "12.345.678/0001", "Fornecedor SA", false},
        {"blind, today with a time", "S", todayAfternoon, "F", "12345678909", "F", "123.456.789",
         "Fornecedor SA", false},
        {"blind, yesterday", "S", yesterday, "J", "12345678000195", "F", "12.345.678/0001-95",
         "Fornecedor SA", true},
        {"blind, customer today", "S", today, "J", "12345678000195", "C", "12.345.678/0001", "Cliente Ltda",
         false},
    };
    for (const Case& c : cases) {
        SetParams(c.blind);
        SetRow({{"NRINSJURNF", c.registration},
                {"IDTPIJURNF", c.personType},
                {"IDORIGDESTNF", c.kind},
                {"CDFILIEMIT", "0002"},
                {"NMRAZSOCFORN", "Fornecedor SA"},
                {"NMRAZSOCCLIE", "Cliente Ltda"},
                {"NMFILIAL", "Filial Campinas"},
                {"NRNOTAFISC", "4711"},
                {"CDSERIEENTR", "1"},
                {"DTEMISSAO", DateTime::FromDate(2026, 12, 1)},
                {"DTENTRSAID", c.entry}});
        EXPECT_EQ(Cell(0), c.shownRegistration) << c.what;
        EXPECT_EQ(Cell(1), c.shownName) << c.what;
        EXPECT_EQ(Cell(2), c.documentShown ? "4711" : "") << c.what;
        EXPECT_EQ(Cell(3), "1") << c.what;
        EXPECT_EQ(Cell(4).empty(), !c.documentShown) << c.what;
    }
    // Each cell is filled, then its text drawn one pixel right and two down of the corner.
    RecordingCanvas canvas;
    form->ui.dbgPadrao->PaintCell(canvas, 1, 3, Rect{10, 20, 110, 38});
    ASSERT_EQ(canvas.Operations().size(), 2u);
    EXPECT_EQ(canvas.Operations()[0].rfind("fill ", 0), 0u);
    EXPECT_EQ(canvas.Operations()[1].rfind("text 11,22 ", 0), 0u) << canvas.Operations()[1];
}

} // namespace
} // namespace dfe::dfe11000
