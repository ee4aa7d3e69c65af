#include "header_fixture.h"
#include "posting_packets.h"

#include "dfe11000/header/code_mappings.h"
#include "dfe11000/header/transport_rules.h"
#include "platform/ui/keys.h"

#include <optional>
#include <string>
#include <vector>

namespace dfe::dfe11000 {
namespace {

using testing::PacketVariant;
using testing::Values;

// A service posting of type S1 (service location asked) being included at branch 0001, with the municipality
// codes and the service codes the server would answer given by the test, and a carrier, a state and a
// municipality of the test's own in the database.
class Transport : public testing::HeaderTest {
public:
    void SetUp() override {
        HeaderTest::SetUp();
        DefineOperationType("S1", {{"IDNFPRESTSERV", "S"}, {"IDUTLOCPRESTSERV", "S"}});
        Answer("GetIBGE", [this](const net::RpcRequest&) -> std::optional<Variant> {
            return PacketVariant(form->data.cdsIbge, {},
                                 {{{"CDIBGE", Variant("3550308")}, {"NMMUNICIPIO", Variant("São Paulo")}},
                                  {{"CDIBGE", Variant("3509502")}, {"NMMUNICIPIO", Variant("Campinas")}}});
        });
        Answer("GetListServProd", [this](const net::RpcRequest&) -> std::optional<Variant> {
            return PacketVariant(
                form->data.cdsListServProd, {},
                {{{"CDSERVICOPROD", Variant("7.02")}, {"DSSERVICOPROD", Variant("Obras")}},
                 {{"CDSERVICOPROD", Variant("14.01")}, {"DSSERVICOPROD", Variant("Reparos")}}});
        });
        Sql("INSERT INTO ESTADO (CDPAIS, SGESTADO, NMESTADO) SELECT '0055', 'MT', 'Mato Grosso'"
            " WHERE NOT EXISTS (SELECT 1 FROM ESTADO WHERE CDPAIS = '0055' AND SGESTADO = 'MT')");
        Sql("INSERT INTO MUNICIPIO (CDPAIS, SGESTADO, CDMUNICIPIO, NMMUNICIPIO) SELECT '0055', 'MT', '05507',"
            " 'Vila Bela da Santíssima Trindade' WHERE NOT EXISTS (SELECT 1 FROM MUNICIPIO"
            " WHERE CDPAIS = '0055' AND SGESTADO = 'MT' AND CDMUNICIPIO = '05507')");
        Sql("INSERT INTO MUNICIPIO (CDPAIS, SGESTADO, CDMUNICIPIO, NMMUNICIPIO) SELECT '0055', 'MT', '03403',"
            " 'Cuiabá' WHERE NOT EXISTS (SELECT 1 FROM MUNICIPIO"
            " WHERE CDPAIS = '0055' AND SGESTADO = 'MT' AND CDMUNICIPIO = '03403')");
        Sql("INSERT INTO TRANSPORT (NRINSJURTRAN, IDTPIJURTRAN, NMRAZSOCTRAN, DSENDETRAN, NRINSESTTRAN, "
            "CDPAIS,"
            " SGESTADO, CDMUNICIPIO) VALUES ('41236589000170', 'J', 'Cargas do Guaporé Ltda', 'Rua da Barra, "
            "7',"
            " '131234567', '0055', 'MT', '05507')");
        Service();
    }

    // A new service posting of type S1, its location group open as the type's rules leave it.
    void Service() {
        Include();
        Type("CDTIPOOPER", "S1");
        form->data.cdsNotaFiscal.FieldByName("CDTIPOOPER").SetAsString("S1");
        form->Header().SetCurrentType("S1");
        for (Control* c : std::initializer_list<Control*>{form->ui.grbLocPrestServ, form->ui.btpEstadoOrig,
                                                          form->ui.btpMunicipio})
            c->SetEnabled(true);
        ShowServiceCode();
    }

    void ShowServiceCode() {
        form->ui.ntbChave->SetPageIndex(1);
        for (Control* c : std::initializer_list<Control*>{form->ui.lblCdServico, form->ui.dbeCdServico,
                                                          form->ui.btpCodServico})
            c->SetVisible(true);
    }

    // The posting as the server sent it (the header and its items browsed and unchanged).
    void Loaded(const Values& header, const std::vector<Values>& items) {
        Cancel();
        Type("CDTIPOOPER", "S1");
        Values row{{"CDFILIAL", Variant("0001")},
                   {"NRLANCTONF", Variant("0000000042")},
                   {"CDTIPOOPER", Variant("S1")},
                   {"IDSTATUS", Variant("P")}};
        for (const auto& [field, value] : header)
            row[field] = value;
        app.Dispatch([&] {
            form->data.cdsItemProduto.SetData(PacketVariant(form->data.cdsItemProduto, {}, items));
            form->data.cdsNotaFiscal.SetData(PacketVariant(form->data.cdsNotaFiscal, {}, {row}));
        });
        Cli_dfe11000().boAlteraLib = true; // the release check of an edit is the release rules' test
    }

    // The header put into edit, which opens the service location of a type that asks for it.
    void EditHeader() {
        app.Dispatch([&] { form->data.cdsNotaFiscal.Edit(); });
    }

    void Sql(const std::string& statement) { lookups_->Execute(statement); }

    std::string Db(const std::string& select) const {
        auto rows = lookups_->Query(select);
        return rows.rows.empty() ? std::string() : rows.rows.front().values.front().AsString();
    }

    // The clerk's moves: focus a field, type into it, leave it for a field with no rule of its own (in the
    // issue panel when leaving one of its fields, so that the panel's own exit stays out of it).
    void Focus(Control* control) {
        app.Dispatch([&] { control->SetFocus(); });
    }
    void Typing(Control* control, const std::string& text) {
        Focus(control);
        ASSERT_EQ(form->ActiveControl(), control) << dialogs.Describe();
        // Still there after a refusal: the clerk types over what was refused.
        if (auto* edit = dynamic_cast<Edit*>(control)) edit->SelectAll();
        app.TypeText(text);
    }
    std::string Leave() {
        dialogs.ClearRecords();
        const Control* active = form->ActiveControl();
        const bool inIssuePanel = active && form->ui.panEmisData->ContainsControl(*active);
        Focus(inIssuePanel ? static_cast<Control*>(form->ui.dbeDescCFOp) : form->ui.dbeNrPlacVeic);
        const auto errors = dialogs.Errors();
        return errors.empty() ? std::string() : errors.back().code;
    }
    std::string Focused() const { return form->ActiveControl() ? form->ActiveControl()->Name() : "(none)"; }
    std::string Shown(Edit* edit) const { return edit->Text(); }
};

// ---- The code-to-text lists

TEST(CodeMappings, TheListsHaveTheirItemsInOrder) {
    EXPECT_EQ(ListItems(kFreteConta).size(), 6u);
    EXPECT_EQ(ListItems(kFreteConta)[5], "Sem Ocorrência de Transporte");
    EXPECT_EQ(ListItems(kTipoCte).size(), 5u);
    EXPECT_EQ(ListItems(kFinEmisDoc).size(), 4u);
    EXPECT_EQ(ListItems(kModDocArrec),
              (std::vector<std::string>{"", "0 - Documento Estadual de Arrecadação", "1 - GNRE"}));
    EXPECT_EQ(ListItems(kNatFreteCTe).size(), 8u);
    EXPECT_EQ(ListItems(kNatFreteCTe)[7], "9 - Outras.");
    EXPECT_EQ(CodeOfText(kFreteConta, "Sem Ocorrência de Transporte"), "9");
    EXPECT_EQ(CodeOfText(kTipoCte, ""), "");
    EXPECT_EQ(CodeOfText(kTipoCte, "4 - CT-e"), std::nullopt);
    EXPECT_EQ(TextOfCode(kNatFreteCTe, "6"), "");
}

// Every code of every list: the field's code shows its item, the clerk's item stores its code, the empty item
// clears and a code not listed shows nothing.
TEST_F(Transport, EachMappedFieldShowsItsCodesItemAndStoresTheChosenItemsCode) {
    DataSet& nf = form->data.cdsNotaFiscal;
    for (const CodeMapping* mapping : CodeMappings()) {
        auto& combo = form->Require<DBComboBox>(mapping->combo);
        Field& field = nf.FieldByName(mapping->field);
        EXPECT_EQ(combo.Items(), ListItems(*mapping)) << mapping->combo;
        const int first = mapping->emptyItem ? 1 : 0;
        for (size_t i = 0; i < mapping->entries.size(); ++i) {
            const CodeText& entry = mapping->entries[i];
            const int item = first + static_cast<int>(i);
            field.SetAsString(entry.code);
            EXPECT_EQ(combo.ItemIndex(), item) << mapping->combo << " " << entry.code;
            EXPECT_EQ(field.DisplayText(), entry.text);
            field.Clear();
            combo.ChooseAsClerk(item);
            EXPECT_EQ(field.AsString(), entry.code) << mapping->combo << " item " << item;
        }
        if (mapping->emptyItem) {
            combo.ChooseAsClerk(0);
            EXPECT_TRUE(field.IsNull()) << mapping->combo;
        }
        field.SetAsString("7");
        EXPECT_EQ(combo.Text(), "") << mapping->combo;
        EXPECT_EQ(field.DisplayText(), "") << mapping->combo;
    }
    // The last freight item is "9", not its place in the list.
    form->ui.cbbFreteConta->ChooseAsClerk(5);
    EXPECT_EQ(nf.FieldByName("IDPGTOFRETE").AsString(), "9");
    // Only the list's texts are taken.
    dialogs.ClearRecords();
    app.Dispatch([&] { nf.FieldByName("CDTIPOCTE").SetText("5 - CT-e Simplificado"); });
    EXPECT_EQ(nf.FieldByName("CDTIPOCTE").AsString(), "7");
    EXPECT_EQ(dialogs.Errors().size(), 1u);
}

// Leaving a list stores the code of its text while the header is edited; a browsed header is left alone.
TEST_F(Transport, LeavingAListStoresItsTextsCodeOnlyWhileTheHeaderIsEdited) {
    DataSet& nf = form->data.cdsNotaFiscal;
    Focus(form->ui.cbbModDocArrec);
    form->ui.cbbModDocArrec->SetText("1 - GNRE");
    EXPECT_EQ(Leave(), "");
    EXPECT_EQ(nf.FieldByName("CDMODDOCARREC").AsString(), "1");
    Focus(form->ui.cbbModDocArrec);
    form->ui.cbbModDocArrec->SetText("");
    Leave();
    EXPECT_TRUE(nf.FieldByName("CDMODDOCARREC").IsNull());
    Focus(form->ui.cbbFreteConta);
    form->ui.cbbFreteConta->SetText("Contratação do Frete por Conta de Terceiros");
    Leave();
    EXPECT_EQ(nf.FieldByName("IDPGTOFRETE").AsString(), "2");

    Loaded({{"CDMODDOCARREC", Variant("0")}}, {});
    Focus(form->ui.cbbModDocArrec);
    form->ui.cbbModDocArrec->SetText("");
    Leave();
    EXPECT_EQ(nf.State(), DataSetState::Browse);
    EXPECT_EQ(nf.FieldByName("CDMODDOCARREC").AsString(), "0");
}

// ---- The carrier

TEST_F(Transport, ATypedCarrierIsFoundShownOrRefused) {
    struct Case {
        const char* typed;
        const char* code;
        const char* name;
    } cases[] = {
        {"41236589000170", "", "Cargas do Guaporé Ltda"},
        {"41236589000171", "transpInv", ""},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        Service();
        Typing(form->ui.dbeNrInsJurTran, c.typed);
        EXPECT_EQ(Leave(), c.code) << c.typed << dialogs.Describe();
        EXPECT_EQ(Shown(form->ui.edtNmRazSocTrans), c.name) << c.typed;
        if (*c.code) {
            EXPECT_EQ(Focused(), "dbeNrInsJurTran");
            EXPECT_EQ(dialogs.Errors().back().text, "Transportadora não cadastrada.");
        }
    }
    // Found: every display shows the carrier; typing over the number empties them.
    Service();
    Typing(form->ui.dbeNrInsJurTran, "41236589000170");
    Leave();
    EXPECT_EQ(Shown(form->ui.dbeEndeTrans), "Rua da Barra, 7");
    EXPECT_EQ(Shown(form->ui.dbeMuniTrans), "Vila Bela da Santíssima Trindade");
    EXPECT_EQ(Shown(form->ui.dbeUFTrans), "MT");
    EXPECT_EQ(Shown(form->ui.dbeInscEstaTrans), "131234567");
    Typing(form->ui.dbeNrInsJurTran, "4");
    for (Edit* shown : {form->ui.edtNmRazSocTrans, form->ui.dbeEndeTrans, form->ui.dbeMuniTrans,
                        form->ui.dbeUFTrans, form->ui.dbeInscEstaTrans})
        EXPECT_EQ(shown->Text(), "") << shown->Name();
}

TEST_F(Transport, TheCarrierSearchListsEveryCarrierAndTakesThePickedOne) {
    Loaded({}, {});
    dialogs.ExpectPick("Transportadora").Where("NRINSJURTRAN", "41236589000170");
    app.Click(*form->ui.btpTransport);
    EXPECT_EQ(dialogs.PendingAnswers(), 0u) << dialogs.Describe();
    EXPECT_GT(form->lookups.qryPesqTransp.RecordCount(), 1) << "every carrier";
    EXPECT_EQ(form->data.cdsNotaFiscal.State(), DataSetState::Edit);
    EXPECT_EQ(Header("NRINSJURTRAN"), "41236589000170");
    EXPECT_EQ(Shown(form->ui.edtNmRazSocTrans), "Cargas do Guaporé Ltda");
    EXPECT_EQ(form->lookups.qryPesqTransp.FieldByName("NMRAZSOCTRAN").DisplayLabel(), "Razão Social");
}

// ---- The CT-e, NF3-e and collection document checks

// The closing's CT-e check, in its order: each code typed must be known, both must be there, and the type.
TEST_F(Transport, TheCteCheckRefusesInItsOrder) {
    struct Case {
        const char* origin;
        const char* destination;
        const char* type; // the code of CDTIPOCTE
        const char* code;
        const char* focused;
    } cases[] = {
        {"", "", "", "IbgeOrig", "dbeIbgeOrig"},
        {"9999999", "", "", "Ibge_Inv", "dbeIbgeOrig"},
        {"3550308", "1234567", "", "Ibge_Inv", "dbeIbgeDest"},
        {"3550308", "", "", "IbgeDest", "dbeIbgeDest"},
        {"", "3509502", "0", "IbgeOrig", "dbeIbgeOrig"},
        {"3550308", "3509502", "", "TipoCte", "cbbTipoCte"},
        {"3550308", "3509502", "3", "", ""},
    };
    for (const Case& c : cases) {
        Service();
        DataSet& nf = form->data.cdsNotaFiscal;
        nf.FieldByName("CDIBGEORIG").SetAsString(c.origin);
        nf.FieldByName("CDIBGEDEST").SetAsString(c.destination);
        nf.FieldByName("CDTIPOCTE").SetAsString(c.type);
        Focus(form->ui.dbeNrPlacVeic);
        EXPECT_EQ(Run([&] { form->Transport().Vd_IBGE(); }), c.code) << c.origin << "/" << c.destination;
        if (*c.code) {
            EXPECT_EQ(Focused(), c.focused) << c.origin << "/" << c.destination;
        }
    }
    EXPECT_EQ(dialogs.Errors().size(), 0u);
    EXPECT_EQ(Calls("GetIBGE"), 1) << "loaded once and kept";
}

// Leaving a code editor only copies what was typed: an unknown code is refused by the closing's check alone.
TEST_F(Transport, AnUnknownMunicipalityCodeIsRefusedOnlyByTheCheck) {
    Typing(form->ui.dbeIbgeOrig, "98a7-6.5");
    EXPECT_EQ(form->ui.dbeIbgeOrig->Text(), "9876.5"); // digits and the point only
    EXPECT_EQ(Leave(), "");
    EXPECT_EQ(Header("CDIBGEORIG"), "9876.5");
    EXPECT_EQ(Calls("GetIBGE"), 0);
    EXPECT_EQ(Run([&] { form->Transport().Vd_IBGE(); }), "Ibge_Inv");
    EXPECT_EQ(dialogs.Errors().back().text, "Código IBGE inválido.");
}

TEST_F(Transport, TheMunicipalitySearchesStoreTheChosenCode) {
    dialogs.ExpectPick("Municício").Where("CDIBGE", "3509502");
    app.Click(*form->ui.btpIbgeDest);
    EXPECT_EQ(Header("CDIBGEDEST"), "3509502");
    form->ui.nbkCte->SetPageIndex(1);
    dialogs.ExpectPick("Municício").Where("CDIBGE", "3550308");
    app.Click(*form->ui.btpIbgeNF3e);
    EXPECT_EQ(Header("CDIBGEDEST"), "3550308");
    EXPECT_EQ(dialogs.PendingAnswers(), 0u) << dialogs.Describe();
    EXPECT_EQ(Calls("GetIBGE"), 1);
}

TEST_F(Transport, TheEnergyDestinationAndTheCollectionDocumentAreChecked) {
    struct Case {
        const char* what;
        const char* destination;
        const char* model;
        const char* number;
        const char* nf3e; // the NF3-e check's message
        const char* dae;  // the collection document check's message
    } cases[] = {
        {"nothing", "", "", "", "IbgeDest", ""},
        {"unknown destination", "3550309", "", "", "Ibge_Inv", ""},
        {"a model without its number", "3550308", "1", "", "", "Dae_Inf"},
        {"a model with its number", "3550308", "0", "12345", "", ""},
    };
    form->ui.nbkCte->SetPageIndex(1);
    for (const Case& c : cases) {
        DataSet& nf = form->data.cdsNotaFiscal;
        nf.FieldByName("CDIBGEDEST").SetAsString(c.destination);
        nf.FieldByName("CDMODDOCARREC").SetAsString(c.model);
        nf.FieldByName("NRDOCARRECAD").SetAsString(c.number);
        EXPECT_EQ(Run([&] { form->Transport().Vd_DestinoNF3e(); }), c.nf3e) << c.what;
        if (*c.nf3e) {
            EXPECT_EQ(Focused(), "dbeIbgeNF3e") << c.what;
        }
        EXPECT_EQ(Run([&] { form->Transport().Vd_ModDocArrecad(); }), c.dae) << c.what;
        if (*c.dae) {
            EXPECT_EQ(Focused(), "dbeDocArrecad") << c.what;
        }
    }
}

// ---- The service location

TEST_F(Transport, TheServiceLocationIsCheckedWhenLeftInItsOrder) {
    struct Case {
        const char* state;        // typed into dbeEstado (empty: not typed)
        const char* municipality; // typed into dbeMunicipio
        const char* stateCode;
        const char* municipalityCode;
        const char* focused;
    } cases[] = {
        {"xx", "", "Estado_N_Cad", "", "dbeEstado"},
        {"", "05507", "", "Estado_Inf", "dbeEstado"},
        {"mt", "", "", "Municipio_Inf", "dbeMunicipio"},
        {"mt", "99999", "", "Muni_N_Cad", "dbeMunicipio"},
        {"mt", "05507", "", "", ""},
    };
    const std::string longName =
        Db("SELECT NMMUNICIPIO FROM MUNICIPIO WHERE SGESTADO = 'MT' AND CDMUNICIPIO = '05507'");
    for (const Case& c : cases) {
        Service();
        if (*c.state) {
            Typing(form->ui.dbeEstado, c.state);
            EXPECT_EQ(Leave(), c.stateCode) << c.state;
            if (*c.stateCode) {
                EXPECT_EQ(Focused(), c.focused) << c.state;
                continue;
            }
            EXPECT_EQ(Header("SGESTADO"), "MT");
            EXPECT_EQ(Header("NMESTADO"), "Mato Grosso");
        }
        Typing(form->ui.dbeMunicipio, c.municipality);
        EXPECT_EQ(Leave(), c.municipalityCode) << c.state << "/" << c.municipality << dialogs.Describe();
        if (*c.municipalityCode) {
            EXPECT_EQ(Focused(), c.focused) << c.state << "/" << c.municipality;
        } else {
            EXPECT_EQ(Header("CDMUNICIPIO"), "05507");
            EXPECT_EQ(Header("NMMUNICIPIO"), longName);
        }
        if (std::string(c.municipalityCode) == "Estado_Inf") {
            EXPECT_EQ(Header("CDMUNICIPIO"), "") << "the municipality of no state is cleared";
        }
    }
}

TEST_F(Transport, TypingAStateForgetsTheMunicipalityAndTheSearchesFillThePlace) {
    dialogs.ExpectPick("Estado").Where("SGESTADO", "MT");
    app.Click(*form->ui.btpEstadoOrig);
    EXPECT_EQ(Header("SGESTADO"), "MT");
    EXPECT_EQ(Header("NMESTADO"), "Mato Grosso");
    dialogs.ExpectPick("Município").Where("CDMUNICIPIO", "03403");
    app.Click(*form->ui.btpMunicipio);
    EXPECT_EQ(std::to_string(form->lookups.qryMunicipio.RecordCount()),
              Db("SELECT COUNT(*) FROM MUNICIPIO WHERE CDPAIS = '0055' AND SGESTADO = 'MT'"))
        << "the municipalities of the state typed";
    EXPECT_EQ(Header("CDMUNICIPIO"), "03403");
    EXPECT_EQ(Header("NMMUNICIPIO"), "Cuiabá");
    EXPECT_EQ(dialogs.PendingAnswers(), 0u) << dialogs.Describe();

    Typing(form->ui.dbeEstado, "s");
    EXPECT_EQ(form->ui.dbeEstado->Text(), "S");
    for (const char* cleared : {"NMESTADO", "CDMUNICIPIO", "NMMUNICIPIO"})
        EXPECT_EQ(Header(cleared), "") << cleared;
}

// The items' taxes are generated again when the place differs from the header's last post, or, before any
// post, from the place the posting was loaded with.
TEST_F(Transport, AChangedPlaceRegeneratesTheItemsTaxesAndAPlaceChangedBackDoesNot) {
    const std::vector<Values> item = {{{"NRSEQITPROD", Variant("1")}, {"CDPRODUTO", Variant("0000000001")}}};
    const auto leaveMunicipality = [&](const char* typed) {
        const int before = Calls("GetImpoItem");
        Typing(form->ui.dbeMunicipio, typed);
        Leave();
        return Calls("GetImpoItem") > before;
    };
    Loaded({{"SGESTADO", Variant("MT")}, {"CDMUNICIPIO", Variant("05507")}}, item);
    EditHeader();
    EXPECT_FALSE(leaveMunicipality("05507")) << "the loaded place, unchanged";
    EXPECT_TRUE(leaveMunicipality("03403"));
    EXPECT_EQ(Focused(), "dbgItemProduto");
    EXPECT_TRUE(Cli_dfe11000().boAlteraNF) << "set only while the taxes are generated";

    app.Dispatch([&] { form->data.cdsNotaFiscal.Post(); });
    EditHeader();
    EXPECT_FALSE(leaveMunicipality("03403")) << "the place of the last post";
    EXPECT_TRUE(leaveMunicipality("05507"));
    EXPECT_FALSE(leaveMunicipality("03403")) << "changed back to the place of the last post";

    // Without items, or for a type that does not ask for the location, nothing is generated.
    DefineOperationType("S1", {{"IDNFPRESTSERV", "S"}, {"IDUTLOCPRESTSERV", "N"}});
    EXPECT_FALSE(leaveMunicipality("05507"));
    DefineOperationType("S1", {{"IDNFPRESTSERV", "S"}, {"IDUTLOCPRESTSERV", "S"}});
    Loaded({{"SGESTADO", Variant("MT")}, {"CDMUNICIPIO", Variant("05507")}}, {});
    EditHeader();
    EXPECT_FALSE(leaveMunicipality("03403"));
}

// ---- The service code

TEST_F(Transport, AServiceCodeMustBeListed) {
    Typing(form->ui.dbeCdServico, "9.99");
    EXPECT_EQ(Leave(), "Cod_N_Cad");
    EXPECT_EQ(Focused(), "dbeCdServico");
    EXPECT_EQ(dialogs.Errors().back().text, "Código de serviço não cadastrado.");
    Typing(form->ui.dbeCdServico, "14.01");
    EXPECT_EQ(Leave(), "");
    EXPECT_EQ(Header("CDSERVICOPROD"), "14.01");
    EXPECT_EQ(Calls("GetListServProd"), 1);
    EXPECT_FALSE(dialogs.Shown("Servico_Dif")) << "a posting without items";
}

// Another service than the loaded posting's: No keeps the loaded code; Yes gives up every item and its taxes.
TEST_F(Transport, ChangingTheServiceOfAPostingWithItemsAsksBeforeGivingThemUp) {
    const std::vector<Values> items = {{{"NRSEQITPROD", Variant("1")}, {"CDPRODUTO", Variant("0000000001")}},
                                       {{"NRSEQITPROD", Variant("2")}, {"CDPRODUTO", Variant("0000000002")}}};
    const auto load = [&] {
        Loaded({{"CDSERVICOPROD", Variant("7.02")}}, items);
        DataSet& taxes = form->data.cdsTrabItProImpos;
        taxes.CreateDataSet();
        for (const char* seq : {"1", "1", "2", "3"}) {
            taxes.Append();
            taxes.FieldByName("NRSEQIMPOIT").SetAsString(seq);
            taxes.Post();
        }
    };
    load();
    Typing(form->ui.dbeCdServico, "7.02");
    EXPECT_EQ(Leave(), "") << "the loaded code asks nothing";

    dialogs.ExpectQuestion("Servico_Dif").Answer(mr::No);
    Typing(form->ui.dbeCdServico, "14.01");
    Leave();
    EXPECT_EQ(dialogs.PendingAnswers(), 0u);
    EXPECT_EQ(Header("CDSERVICOPROD"), "7.02");
    form->data.cdsTrabItProImpos.SetFiltered(false); // every item's rows
    EXPECT_EQ(form->data.cdsTrabItProImpos.RecordCount(), 4);

    load();
    dialogs.ExpectQuestion("Servico_Dif").Answer(mr::Yes);
    Typing(form->ui.dbeCdServico, "14.01");
    Leave();
    EXPECT_EQ(dialogs.PendingAnswers(), 0u);
    EXPECT_EQ(Header("CDSERVICOPROD"), "14.01");
    DataSet& itemRows = form->data.cdsItemProduto;
    EXPECT_EQ(itemRows.RecordCount(), 2);
    for (itemRows.First(); !itemRows.Eof(); itemRows.Next())
        EXPECT_EQ(itemRows.FieldByName("IDDELETE").AsString(), "S");
    form->data.cdsTrabItProImpos.SetFiltered(false);
    EXPECT_EQ(form->data.cdsTrabItProImpos.RecordCount(), 1) << "only the taxes of no item stay";
    EXPECT_FALSE(Cli_dfe11000().boItensServico);
}

TEST_F(Transport, TheServiceSearchReadsTheListWhenTheServicesAreRelated) {
    DataSet& general = form->data.cdsParamGeral;
    if (!general.Active()) form->Parameters().GetParamGeral();
    general.Edit();
    general.FieldByName("IDUTRELPRODSERV").SetAsString("S");
    general.Post();
    dialogs.ExpectPick("Código de Serviço").Where("CDSERVICOPROD", "7.02");
    app.Click(*form->ui.btpCodServico);
    EXPECT_EQ(dialogs.PendingAnswers(), 0u) << dialogs.Describe();
    EXPECT_EQ(Header("CDSERVICOPROD"), "7.02");
}

// ---- The operator's CFOP and the item's issuer data

TEST_F(Transport, TheUsersCfopShowsTheOperationsUntilTyped) {
    Loaded({{"CDFISOPENTF", Variant("1933")}, {"DSCDFISOPENF", Variant("Aquisição de serviço")}}, {});
    EXPECT_EQ(form->ui.dbeCodiCFOp->Text(), "1933");
    EXPECT_EQ(form->ui.dbeDescCFOp->Text(), "Aquisição de serviço");
    Typing(form->ui.dbeDescCFOp, "Manutenção predial");
    app.Dispatch([&] { form->data.cdsNotaFiscal.Post(); });
    EXPECT_EQ(Header("DSCFOPINFUSU"), "Manutenção predial");
    EXPECT_EQ(form->ui.dbeDescCFOp->Text(), "Manutenção predial");
    EXPECT_EQ(form->ui.dbeCodiCFOp->Text(), "1933");
}

TEST_F(Transport, LeavingTheIssuerDataFillsWhatIsEmptyAndPostsTheItem) {
    struct Case {
        const char* external; // IDCODEXTERNONF
        const char* internal; // CDPRODINTE
        const char* typed;    // CDPRODEMIS typed
        const char* code;
    } cases[] = {
        {"S", "EXT-77", "", "EXT-77"},
        {"S", "", "", "1.02.001"},
        {"N", "EXT-77", "", "1.02.001"},
        {"N", "", "ABC", "ABC"},
    };
    for (const Case& c : cases) {
        Loaded({}, {{{"NRSEQITPROD", Variant("0001")},
                     {"CDPRODUTO", Variant("0000000201")},
                     {"CDARVPROD", Variant("1.02.001")},
                     {"NMPRODUTO", Variant("Farinha de trigo tipo 1 5 kg")},
                     {"CDSITUTRIBPR", Variant("000")},
                     {"CDFISOPEITEM", Variant("1102")},
                     {"QTITEMPROD", Variant(2.0)},
                     {"VRUNITITEM", Variant(25.0)},
                     {"VRTOTAITEM", Variant(50.0)},
                     {"CDPRODINTE", Variant(c.internal)}}});
        DataSet& params = form->data.cdsParamDFE;
        params.Edit();
        params.FieldByName("IDCODEXTERNONF").SetAsString(c.external);
        params.Post();
        Focus(form->ui.dbeCdProdEmiss);
        EXPECT_EQ(form->data.cdsItemProduto.State(), DataSetState::Edit) << "entering the group";
        if (*c.typed) app.TypeText(c.typed);
        EXPECT_EQ(Leave(), "") << dialogs.Describe();
        const DataSet& item = form->data.cdsItemProduto;
        EXPECT_EQ(item.FieldByName("CDPRODEMIS").AsString(), c.code) << c.external << c.internal << c.typed;
        EXPECT_EQ(item.FieldByName("DSPRODEMIS").AsString(), "Farinha de trigo tipo 1 5 kg");
        EXPECT_EQ(item.State(), DataSetState::Browse);
    }
}

} // namespace
} // namespace dfe::dfe11000
