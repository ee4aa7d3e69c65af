#pragma once

#include "platform/ui/application.h"

#include <string>

namespace dfe::dfe11000 {

class TfrmErros;
class TfrmLancNFEntrada;

// The closing-error dialog's rules: which answers block the closing, and what each button tells the closing
// run through the posting form's closing flags.
class ErrosRules {
public:
    ErrosRules(TfrmErros& dialog, TfrmLancNFEntrada& posting) : dialog_(dialog), posting_(posting) {}
    ErrosRules(const ErrosRules&) = delete;
    ErrosRules& operator=(const ErrosRules&) = delete;
    void Wire();

    // The buttons' states from the closing's rows and the branch's parameters.
    void SetButtons();

    // ---- Buttons
    void bbtOKClick();
    void bbtDevolucaoClick();
    void sbtBaixaTotalAFClick();
    void bbtCancelarClick();
    void bbtConsistirAFClick();
    void bbtVisualizaClick();

    // The dialog was left through one of its buttons.
    bool boFecha = false;
    // The answer: "F", "C", "A" or "V".
    std::string chResult;

private:
    void FormCreate();
    void FormActivate();
    void FormCloseQuery(bool& canClose);
    bool NegativeStockAllowed() const;
    // Puts the header into edit, then hands the release codes to the next closing run.
    void CloseAgain(const std::string& releaseCodes);
    // Ends the dialog with the answer (the close itself when it is already closing).
    void Finish(const char* result);
    void Cancel(bool closing);

    TfrmErros& dialog_;
    TfrmLancNFEntrada& posting_;
    bool closing_ = false;
};

} // namespace dfe::dfe11000
