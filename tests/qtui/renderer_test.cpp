#include "qt_fixture.h"

#include "platform/core/abort.h"
#include "platform/data/dataset_fixture.h"
#include "platform/ui/db_choice.h"
#include "platform/ui/db_edit.h"
#include "platform/ui/db_grid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSet>
#include <QTabBar>
#include <QTabWidget>

#include <filesystem>

namespace dfe::qtui {
namespace {

// A form with one control of every kind the toolkit has, laid out as a designer would.
struct AllControlsForm {
    explicit AllControlsForm(Application& app) : cds("cdsItemProduto"), form(app.CreateForm<Form>()) {
        testing::LoadThreeItems(cds);
        cds.FieldByName("VRUNITITEM").SetDisplayFormat("#,##0.00");
        dts.SetDataSet(&cds);
        form.SetName("frmTodos");
        form.SetCaption("Todos os controles");
        form.SetBounds(10, 10, 560, 420);
        auto& menu = form.Create<MainMenu>("mnuPrincipal");
        auto& file = menu.AddItem("mnuArquivo", "&Arquivo");
        file.AddItem("mnuNovo", "Novo").SetShortCut("Ctrl+N");
        file.AddItem("mnuSep", "-");
        file.AddItem("mnuSair", "Sair");
        menu.AddItem("mnuAjuda", "Aj&uda");
        popup = &form.Create<PopupMenu>("pmnEdicao");
        popup->AddItem("mnuCopiar", "Copiar");

        auto& top = form.Add<Panel>("panTopo");
        top.SetBounds(0, 0, 560, 40);
        auto& lbl = top.Add<Label>("lblFilial");
        lbl.SetCaption("&Filial:");
        lbl.SetBounds(8, 12, 40, 16);
        filial = &top.Add<MaskEdit>("medCdFilial");
        filial->SetBounds(52, 8, 60, 22);
        filial->SetEditMask(">aaaa;0; ");
        filial->SetColor(Color::clInfoBk);
        nome = &top.Add<Edit>("edtNmFilial");
        nome->SetBounds(116, 8, 240, 22);
        nome->SetText("Matriz São Paulo");
        nome->SetColor(Color::clBtnFace);
        nome->SetEnabled(false);
        auto& speed = top.Add<SpeedButton>("sbtPesquisa");
        speed.SetCaption("...");
        speed.SetBounds(360, 8, 24, 22);

        pages = &form.Add<PageControl>("pgcNota");
        pages->SetBounds(4, 44, 552, 250);
        auto& dados = pages->Add<TabSheet>("tshDados");
        dados.SetCaption("Dados");
        auto& outros = pages->Add<TabSheet>("tshOutros");
        outros.SetCaption("Outros");
        AddBoundControls(outros);
        pages->SetActivePage(&dados);
        auto& grp = dados.Add<GroupBox>("grbNota");
        grp.SetCaption("Nota fiscal");
        grp.SetBounds(4, 4, 300, 130);
        serie = &grp.Add<Edit>("edtSerie");
        serie->SetBounds(8, 20, 80, 22);
        serie->SetPopupMenu(popup);
        auto& obs = grp.Add<Memo>("memObs");
        obs.SetBounds(8, 48, 280, 70);
        obs.SetText("Primeira linha\nSegunda linha");
        auto& chk = dados.Add<CheckBox>("chkConfere");
        chk.SetCaption("Conferida");
        chk.SetBounds(312, 8, 120, 20);
        chk.SetChecked(true);
        auto& rdb = dados.Add<RadioButton>("rdbEntrada");
        rdb.SetCaption("Entrada");
        rdb.SetBounds(312, 32, 120, 20);
        rdb.SetChecked(true);
        auto& rgp = dados.Add<RadioGroup>("rgpTipo");
        rgp.SetCaption("Tipo");
        rgp.SetBounds(312, 56, 200, 80);
        rgp.SetItems({"Normal", "Devolução"});
        rgp.SetItemIndex(1);
        combo = &dados.Add<ComboBox>("cbbModelo");
        combo->SetBounds(8, 140, 200, 22);
        combo->SetStyle(ComboStyle::DropDownList);
        combo->SetItems({"01 - Nota fiscal", "55 - NF-e", "57 - CT-e"});
        combo->SetItemIndex(1);
        auto& scroll = dados.Add<ScrollBox>("scbItens");
        scroll.SetBounds(220, 140, 300, 70);
        auto& far = scroll.Add<Label>("lblLonge");
        far.SetCaption("Fim da rolagem");
        far.SetBounds(10, 150, 120, 16);

        book = &form.Add<Notebook>("ntbRodape");
        book->SetBounds(4, 300, 552, 60);
        auto& p1 = book->Add<NotebookPage>("Normal");
        p1.SetCaption("Normal");
        auto& p2 = book->Add<NotebookPage>("Importacao");
        p2.SetCaption("Importacao");
        auto& info = p1.Add<Label>("lblInfo");
        info.SetCaption("Rodapé da página normal");
        info.SetBounds(8, 8, 300, 16);
        ok = &form.Add<Button>("sbtFechar");
        ok->SetCaption("Fechar NF");
        ok->SetBounds(440, 370, 100, 28);
    }

    // The data-bound kinds over the items dataset, on the second page.
    void AddBoundControls(TabSheet& page) {
        auto& produto = page.Add<DBEdit>("dbeCdProduto");
        produto.SetDataSource(&dts);
        produto.SetDataField("CDPRODUTO");
        produto.SetBounds(8, 8, 80, 22);
        auto& data = page.Add<DBDateEdit>("dbdDtEntrada");
        data.SetDataSource(&dts);
        data.SetDataField("DTENTRADA");
        data.SetBounds(96, 8, 90, 22);
        auto& seq = page.Add<DBText>("dbtSeq");
        seq.SetDataSource(&dts);
        seq.SetDataField("NRSEQITPROD");
        seq.SetBounds(194, 12, 40, 16);
        auto& boundCombo = page.Add<DBComboBox>("dbcProduto");
        boundCombo.SetItems({"Produto A", "Produto B"});
        boundCombo.SetValues({"A", "B"});
        boundCombo.SetDataSource(&dts);
        boundCombo.SetDataField("CDPRODUTO");
        boundCombo.SetBounds(240, 8, 110, 22);
        auto& radio = page.Add<DBRadioGroup>("dbrProduto");
        radio.SetItems({"A", "B"});
        radio.SetDataSource(&dts);
        radio.SetDataField("CDPRODUTO");
        radio.SetBounds(360, 0, 160, 40);
        auto& memo = page.Add<DBMemo>("dbmProduto");
        memo.SetDataSource(&dts);
        memo.SetDataField("CDPRODUTO");
        memo.SetBounds(8, 40, 120, 40);
        grid = &page.Add<DBGrid>("dbgItemProduto");
        grid->SetDataSource(&dts);
        grid->AddColumn("NRSEQITPROD", "Seq");
        grid->AddColumn("CDPRODUTO", "Produto").SetButtonStyle(ColumnButton::Ellipsis);
        grid->AddColumn("QTITEMPROD", "Qtde");
        grid->AddColumn("VRUNITITEM", "Unitário");
        grid->SetBounds(8, 90, 520, 120);
    }

    DataSet cds;
    DataSource dts;
    Form& form;
    DBGrid* grid = nullptr;
    PopupMenu* popup = nullptr;
    MaskEdit* filial = nullptr;
    Edit* nome = nullptr;
    Edit* serie = nullptr;
    PageControl* pages = nullptr;
    ComboBox* combo = nullptr;
    Notebook* book = nullptr;
    Button* ok = nullptr;
};

std::string OutputPath(const std::string& name) {
    return (std::filesystem::path(::testing::TempDir()) / name).string();
}

int DistinctColours(const QImage& image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            colours.insert(image.pixel(x, y));
    return static_cast<int>(colours.size());
}

TEST_F(QtTest, EveryControlKindIsShownAndCapturedToPng) {
    AllControlsForm f(app);
    f.form.Show();
    ProcessEvents();

    EXPECT_EQ(static_cast<QLineEdit*>(WidgetOf(*f.filial))->text(), "    ");
    EXPECT_EQ(static_cast<QLineEdit*>(WidgetOf(*f.nome))->text(), "Matriz São Paulo");
    EXPECT_FALSE(WidgetOf(*f.nome)->isEnabled());
    auto* tabs = static_cast<QTabWidget*>(WidgetOf(*f.pages));
    ASSERT_EQ(tabs->count(), 2);
    EXPECT_EQ(tabs->tabText(1), "Outros");
    EXPECT_EQ(static_cast<QComboBox*>(WidgetOf(*f.combo))->currentText(), "55 - NF-e");
    EXPECT_EQ(static_cast<QPushButton*>(WidgetOf(*f.ok))->text(), "Fechar NF");
    EXPECT_EQ(WidgetOf(*f.ok)->geometry(), QRect(440, 370, 100, 28));
    QMenuBar* bar = ViewOfForm(f.form).Window()->menuBar();
    ASSERT_EQ(bar->actions().size(), 2);
    EXPECT_EQ(bar->actions()[0]->text(), "&Arquivo");

    const std::string path = OutputPath("qtui_all_controls.png");
    std::filesystem::remove(path);
    ASSERT_TRUE(renderer.Screenshot(f.form, path));
    // The second page holds the data-bound kinds.
    f.pages->SetActivePageIndex(1);
    EXPECT_EQ(static_cast<QLineEdit*>(WidgetOf(*f.form.Find<Control>("dbdDtEntrada")))->text(), "01/03/2024");
    EXPECT_EQ(static_cast<QLabel*>(WidgetOf(*f.form.Find<Control>("dbtSeq")))->text(), "001");
    const std::string bound = OutputPath("qtui_all_controls_bound.png");
    ASSERT_TRUE(renderer.Screenshot(f.form, bound));
    EXPECT_GT(DistinctColours(QImage(QString::fromStdString(bound))), 20);
    QImage image(QString::fromStdString(path));
    ASSERT_FALSE(image.isNull());
    EXPECT_GE(image.width(), 560);
    EXPECT_GE(image.height(), 420);
    // Text, frames and colours were drawn: a blank or single-colour picture would have a handful.
    EXPECT_GT(DistinctColours(image), 20);
    std::cout << "screenshot: " << path << '\n';
}

TEST_F(QtTest, ModelChangesShowLive) {
    AllControlsForm f(app);
    f.form.Show();
    auto* serie = static_cast<QLineEdit*>(WidgetOf(*f.serie));

    f.serie->SetColor(Color::clInfoBk);
    EXPECT_EQ(serie->palette().color(QPalette::Base), QColor(255, 255, 225));
    f.serie->SetText("001");
    EXPECT_EQ(serie->text(), "001");
    f.serie->SetEnabled(false);
    EXPECT_FALSE(serie->isEnabled());
    f.serie->SetVisible(false);
    EXPECT_TRUE(serie->isHidden());
    f.ok->SetCaption("Fechar");
    EXPECT_EQ(static_cast<QPushButton*>(WidgetOf(*f.ok))->text(), "Fechar");
    f.ok->SetBounds(10, 20, 30, 40);
    EXPECT_EQ(WidgetOf(*f.ok)->geometry(), QRect(10, 20, 30, 40));
    f.form.SetCaption("Outro título");
    EXPECT_EQ(ViewOfForm(f.form).Window()->windowTitle(), "Outro título");

    // Pages and notebooks follow the model; a control added later shows up.
    f.pages->SetActivePageIndex(1);
    EXPECT_EQ(static_cast<QTabWidget*>(WidgetOf(*f.pages))->currentIndex(), 1);
    f.book->SetPageIndex(1);
    auto& late = f.form.Add<Label>("lblTarde");
    late.SetCaption("Depois");
    ASSERT_NE(WidgetOf(late), nullptr);
    EXPECT_EQ(static_cast<QLabel*>(WidgetOf(late))->text(), "Depois");
    // A destroyed control takes its widget away without touching the model again.
    f.form.DestroyComponent(late);
    EXPECT_EQ(ViewOfForm(f.form).ViewOf(late), nullptr);
}

TEST_F(QtTest, TypingQtKeysReachesTheModelThroughTheHook) {
    auto& form = app.CreateForm<Form>();
    auto& edt = form.Add<Edit>("edtNumero");
    edt.SetBounds(8, 8, 100, 22);
    auto& med = form.Add<MaskEdit>("medCpf");
    med.SetBounds(8, 40, 140, 22);
    med.SetEditMask("999.999.999-99;0;_");
    std::vector<int> hooked;
    // The hook sees every key first; this one turns the keypad's decimal key into a comma.
    app.SetMsgEventForm([&](Message& m, bool&) {
        hooked.push_back(m.key);
        if (m.kind == MessageKind::KeyDown && m.key == key::Decimal) m.key = key::Comma;
    });
    form.Show();
    ASSERT_TRUE(edt.Focused());
    QWidget* target = QtFocus(form);
    ASSERT_EQ(target, WidgetOf(edt));

    Type(target, "12");
    Key(target, Qt::Key_Period, Qt::KeypadModifier, ".");
    Type(target, "5é");
    EXPECT_EQ(edt.Text(), "12,5é");
    EXPECT_EQ(static_cast<QLineEdit*>(WidgetOf(edt))->text(), "12,5é");
    EXPECT_NE(std::find(hooked.begin(), hooked.end(), key::Decimal), hooked.end());
    Key(target, Qt::Key_Backspace);
    EXPECT_EQ(edt.Text(), "12,5");

    Key(target, Qt::Key_Tab);
    ASSERT_TRUE(med.Focused());
    EXPECT_EQ(QtFocus(form), WidgetOf(med));
    Type(QtFocus(form), "123a456");
    EXPECT_EQ(med.Text(), "123456");
    EXPECT_EQ(static_cast<QLineEdit*>(WidgetOf(med))->text(), "123.456.___-__");
}

TEST_F(QtTest, ExitVetoKeepsQtFocusOnTheControl) {
    auto& form = app.CreateForm<Form>();
    auto& a = form.Add<Edit>("edtA");
    a.SetBounds(8, 8, 100, 22);
    auto& b = form.Add<Edit>("edtB");
    b.SetBounds(8, 40, 100, 22);
    bool refuse = true;
    a.OnExit = [&](Component&) {
        if (refuse) throw Abort();
    };
    form.Show();
    ASSERT_TRUE(a.Focused());

    Press(WidgetOf(b)); // the clerk clicks the other edit
    EXPECT_TRUE(a.Focused());
    EXPECT_EQ(QtFocus(form), WidgetOf(a));
    Key(QtFocus(form), Qt::Key_Tab);
    EXPECT_TRUE(a.Focused());
    EXPECT_EQ(QtFocus(form), WidgetOf(a));

    refuse = false;
    Press(WidgetOf(b));
    EXPECT_TRUE(b.Focused());
    EXPECT_EQ(QtFocus(form), WidgetOf(b));
    // The model moving the focus itself moves Qt's.
    a.SetFocus();
    EXPECT_EQ(QtFocus(form), WidgetOf(a));
}

TEST_F(QtTest, ClicksRunThroughTheToolkit) {
    AllControlsForm f(app);
    int clicked = 0;
    f.ok->OnClick = [&](Component&) { ++clicked; };
    bool allowPage = false;
    f.pages->OnChanging = [&](Component&, bool& allow) { allow = allowPage; };
    MenuItem* novo = f.form.Find<MenuItem>("mnuNovo");
    int novos = 0;
    novo->OnClick = [&](Component&) { ++novos; };
    f.form.Show();

    Click(WidgetOf(*f.ok));
    EXPECT_EQ(clicked, 1);
    EXPECT_TRUE(f.ok->Focused());
    f.ok->SetEnabled(false);
    Click(WidgetOf(*f.ok));
    EXPECT_EQ(clicked, 1);

    // A tab click asks the page control; a refusal keeps the page in the model and on screen.
    auto* tabs = static_cast<QTabWidget*>(WidgetOf(*f.pages));
    const QPoint second = tabs->tabBar()->tabRect(1).center();
    Press(tabs->tabBar(), second);
    EXPECT_EQ(f.pages->ActivePageIndex(), 0);
    EXPECT_EQ(tabs->currentIndex(), 0);
    allowPage = true;
    Press(tabs->tabBar(), second);
    EXPECT_EQ(f.pages->ActivePageIndex(), 1);
    EXPECT_EQ(tabs->currentIndex(), 1);

    // Menu commands: a Qt action runs the item; a disabled item shows disabled.
    QMenuBar* bar = ViewOfForm(f.form).Window()->menuBar();
    QAction* action = bar->findChild<QAction*>("mnuNovo");
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->text(), "Novo\tCtrl+N");
    action->trigger();
    EXPECT_EQ(novos, 1);
    novo->SetEnabled(false);
    ProcessEvents();
    action = bar->findChild<QAction*>("mnuNovo");
    ASSERT_NE(action, nullptr);
    EXPECT_FALSE(action->isEnabled());

    // The check box shows what the toolkit decided.
    auto* chk = f.form.Find<CheckBox>("chkConfere");
    chk->OnClick = [&](Component&) { chk->SetChecked(true); }; // a rule that keeps it checked
    f.pages->SetActivePageIndex(0);
    Click(WidgetOf(*chk));
    EXPECT_TRUE(chk->Checked());
    EXPECT_TRUE(static_cast<QCheckBox*>(WidgetOf(*chk))->isChecked());
}

TEST_F(QtTest, DestroyedFormTakesItsWindowAway) {
    auto& form = app.CreateForm<Form>();
    form.SetName("frmTemp");
    auto& btn = form.Add<Button>("btnSair");
    btn.SetBounds(8, 8, 80, 24);
    btn.OnClick = [&](Component&) { form.Release(); };
    form.Show();
    QWidget* window = ViewOfForm(form).Window();
    ASSERT_TRUE(window->isVisible());
    Click(WidgetOf(btn)); // the form frees itself from its own button's click
    EXPECT_EQ(app.FindForm("frmTemp"), nullptr);
    EXPECT_FALSE(window->isVisible());
    ProcessEvents(); // Qt deletes the widgets after the event
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_NE(w->objectName(), "frmTemp");
}

} // namespace
} // namespace dfe::qtui
