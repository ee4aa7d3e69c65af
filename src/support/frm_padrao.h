#pragma once

#include "platform/data/data_source.h"
#include "platform/ui/controls.h"
#include "support/messages.h"

#include <string>
#include <vector>

namespace dfe::support {

// The base of the ERP's maintenance screens: a button bar with the standard commands and their menu items,
// the list page tshFolhaDados and the record page tshFormulario in pgcPadrao, the data source dtsPadrao with
// its navigator, the screen's message tables and the screen code label. The standard commands work on
// dtsPadrao's dataset until a screen overrides them.
class TfrmPadrao : public Form {
public:
    explicit TfrmPadrao(Application& app);
    ~TfrmPadrao() override;

    Panel& panBotoes;
    Label& lblCodTela;
    // The command buttons, in bar order, and their menu items (same names with "mnu").
    SpeedButton& sbtIncluir;
    SpeedButton& sbtAlterar;
    SpeedButton& sbtExcluir;
    SpeedButton& sbtProcurar;
    SpeedButton& sbtVerificar;
    SpeedButton& sbtConfirmar;
    SpeedButton& sbtCancelar; // tag 50
    SpeedButton& sbtImprimir;
    SpeedButton& sbtFechar;
    MainMenu& mnuPrincipal;
    MenuItem& mnuArquivo;
    MenuItem& mnuIncluir;
    MenuItem& mnuAlterar;
    MenuItem& mnuExcluir;
    MenuItem& mnuProcurar;
    MenuItem& mnuVerificar;
    MenuItem& mnuConfirmar;
    MenuItem& mnuCancelar;
    MenuItem& mnuImprimir;
    MenuItem& mnuFechar;

    PageControl& pgcPadrao;
    TabSheet& tshFolhaDados;
    TabSheet& tshFormulario;
    // The navigator over dtsPadrao: first, prior, next, last.
    Panel& dbnPadrao;

    DataSource dtsPadrao;
    TMessages msgPadrao;
    TMessages msgMensagensPadroes;

    // The standard commands; each button and its menu item run the same one.
    virtual void sbtIncluirClick();
    virtual void sbtAlterarClick();
    virtual void sbtExcluirClick();
    virtual void sbtProcurarClick();
    virtual void sbtVerificarClick();
    virtual void sbtConfirmarClick();
    virtual void sbtCancelarClick();
    virtual void sbtImprimirClick();
    virtual void sbtFecharClick();

    // Gives each button the enabled state of its menu item.
    void MirrorMenuToButtons();

    // A screen's own command, appended to the button bar, which grows a row when the commands fill one: no
    // button leaves the bar or covers another. Lay out what is below the bar after adding the commands.
    SpeedButton& AddCommandButton(const char* name, const char* caption);

protected:
    // The standard close releases the form.
    virtual void FormCloseBase(CloseAction& action);

private:
    void Wire(SpeedButton& button, MenuItem& item, void (TfrmPadrao::*command)());
    void BuildNavigator();
    void ArrangeCommandButtons();

    std::vector<SpeedButton*> commandButtons_;
};

// The base of the screens' dialogs: OK and Cancel buttons that end the modal session, the message table and
// the screen code label.
class TfrmRotiGeral : public Form {
public:
    explicit TfrmRotiGeral(Application& app);

    Panel& panBotoes;
    Button& bbtOK;
    Button& bbtCancelar;
    Label& lblCodTela;
    TMessages msgPadrao;
};

} // namespace dfe::support
