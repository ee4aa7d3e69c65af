#pragma once

#include "platform/ui/controls.h"
#include "platform/ui/db_grid.h"
#include "support/frm_padrao.h"

#include <memory>
#include <string>

namespace dfe::dfe11000 {

class TfrmLancNFEntrada;
class ErrosRules;

// "Erros no Fechamento da Nota Fiscal" (Dfe11100): the visible error list of a failed closing, from which the
// clerk closes again accepting the warnings, cancels, jumps to an error, asks for the AF consistency report,
// closes writing the AFs off whole, or closes generating a return. Its rules are ErrosRules'.
class TfrmErros : public support::TfrmRotiGeral {
public:
    TfrmErros(Application& app, TfrmLancNFEntrada& posting);
    ~TfrmErros() override;

    DBGrid* dbgErros = nullptr;
    // bbtOK ("&Fechar NF") and bbtCancelar come with the base dialog.
    Button* bbtVisualiza = nullptr;
    Button* bbtConsistirAF = nullptr;
    SpeedButton* sbtBaixaTotalAF = nullptr;
    Button* bbtDevolucao = nullptr;

    ErrosRules& Rules() const { return *rules_; }

private:
    void BuildLayout(TfrmLancNFEntrada& posting);

    std::unique_ptr<ErrosRules> rules_;
};

// Shows the closing's errors modally. The answer: "F" close again, "C" cancelled, "A" consist the AFs,
// "V" the clerk went to an error.
std::string CriaErros(TfrmLancNFEntrada& form);

} // namespace dfe::dfe11000
