#include "qt_fixture.h"

#include "qtui/qt_dialogs.h"

#include <QAbstractButton>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace dfe::qtui {
namespace {

// Once the next modal window is up, reads its button captions and presses the one named.
class ModalClicker {
public:
    void Press(const QString& caption) {
        caption_ = caption;
        auto* timer = new QTimer;
        timer->setInterval(5);
        QObject::connect(timer, &QTimer::timeout, timer, [this, timer] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal) return;
            timer->stop();
            timer->deleteLater();
            for (auto* button : modal->findChildren<QAbstractButton*>()) {
                if (!button->text().isEmpty()) captions.push_back(button->text());
                if (button->text() == caption_) pressed = button;
            }
            title = modal->windowTitle();
            if (auto* list = modal->findChild<QListWidget*>())
                list->item(list->count() - 1)->setCheckState(Qt::Checked);
            if (pressed) pressed->click();
        });
        timer->start();
    }

    QStringList captions;
    QString title;
    QAbstractButton* pressed = nullptr;

private:
    QString caption_;
};

class QtDialogsTest : public QtTest {
protected:
    QtDialogsTest() { app.SetDialogs(&qtDialogs); }
    QtDialogs qtDialogs{renderer};
    ModalClicker clicker;
};

TEST_F(QtDialogsTest, QuestionsAnswerWithTheButtonPressed) {
    clicker.Press("Não");
    EXPECT_EQ(qtDialogs.Confirm("Excluir o lançamento?"), mr::No);
    EXPECT_EQ(clicker.captions, (QStringList{"Sim", "Não"}));
    EXPECT_EQ(clicker.title, "Confirmação");

    clicker = {};
    clicker.Press("Cancelar");
    EXPECT_EQ(qtDialogs.ShowMessage({"", "Continuar?", DialogType::Warning, mb::Ok | mb::Cancel, "Aviso"}),
              mr::Cancel);
    EXPECT_EQ(clicker.captions, (QStringList{"OK", "Cancelar"}));

    clicker = {};
    clicker.Press("Manter");
    EXPECT_EQ(
        qtDialogs.AskCustom({"", "O que fazer?", {"Descartar", "Manter"}, DialogType::Confirmation, ""}),
        kFirstCustomAnswer + 1);
}

TEST_F(QtDialogsTest, MultipleChoiceReturnsTheCheckedCodesOrNothing) {
    MultiSelectRequest request{"Filiais", {{"0001", "Matriz"}, {"0002", "Filial Campinas"}}, {"0001"}};
    clicker.Press("OK"); // the clicker also checks the last row
    auto chosen = qtDialogs.SelectMany(request);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, (std::vector<std::string>{"0001", "0002"}));

    clicker = {};
    clicker.Press("Cancelar");
    EXPECT_FALSE(qtDialogs.SelectMany(request).has_value());
}

TEST_F(QtDialogsTest, ModalFormEndsWithItsButtonsResult) {
    auto& dialog = app.CreateForm<Form>();
    dialog.SetName("frmPergunta");
    dialog.SetBounds(100, 100, 240, 120);
    auto& ok = dialog.Add<Button>("btnOk");
    ok.SetCaption("Confirmar");
    ok.SetModalResult(mr::Ok);
    ok.SetBounds(8, 8, 90, 26);
    bool refuseClose = true;
    dialog.OnCloseQuery = [&](Form&, bool& canClose) { canClose = !refuseClose; };

    int result = mr::None;
    // First press: the close query refuses and the session goes on; second press ends it.
    QTimer::singleShot(10, [&] {
        Click(WidgetOf(ok));
        EXPECT_TRUE(dialog.IsModal());
        refuseClose = false;
        Click(WidgetOf(ok));
    });
    renderer.RunEvent([&] { result = dialog.ShowModal(); });
    EXPECT_EQ(result, mr::Ok);
    EXPECT_FALSE(dialog.Visible());
    EXPECT_FALSE(renderer.ViewOf(dialog).Frame()->isVisible());
}

TEST_F(QtDialogsTest, BusyIndicatorNestsAndAlwaysGoesAway) {
    {
        BusyScope outer(app.Dialogs(), "Conectando");
        EXPECT_EQ(qtDialogs.BusyDepth(), 1);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        try {
            BusyScope inner(app.Dialogs());
            EXPECT_EQ(qtDialogs.BusyDepth(), 2);
            throw std::runtime_error("falha do servidor");
        } catch (const std::runtime_error&) {
        }
        EXPECT_EQ(qtDialogs.BusyDepth(), 1);
    }
    EXPECT_EQ(qtDialogs.BusyDepth(), 0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    qtDialogs.HideBusy(); // one too many is ignored
    EXPECT_EQ(qtDialogs.BusyDepth(), 0);
}

TEST_F(QtDialogsTest, AfterQuitQuestionsGiveTheirCancelAnswer) {
    renderer.Quit();
    EXPECT_EQ(qtDialogs.Confirm("Sair?"), mr::No);
    EXPECT_EQ(qtDialogs.AskCustom({"", "?", {"A", "B"}, DialogType::Confirmation, ""}),
              kFirstCustomAnswer + 1);
    auto& dialog = app.CreateForm<Form>();
    EXPECT_EQ(dialog.ShowModal(), mr::Cancel);
}

} // namespace
} // namespace dfe::qtui
