#pragma once

#include "platform/data/dataset.h"
#include "platform/ui/controls.h"
#include "platform/ui/db_grid.h"
#include "support/frm_padrao.h"

#include <string>

namespace dfe::dfe11000 {

class TfrmLancNFEntrada;

// "Visualização dos Erros" (Dfe11500): what the last closing said about one product, or about the document
// itself. The list is filled each time the window is shown.
class TfrmVisErroLancEntr : public support::TfrmRotiGeral {
public:
    TfrmVisErroLancEntr(Application& app, TfrmLancNFEntrada& posting);
    ~TfrmVisErroLancEntr() override;

    // The kind ("I" an item's product, "L" the document) and the product.
    std::string stTipoErro;
    std::string stCdProduto;

    // One line per message.
    DBGrid* lsbErros = nullptr;
    DataSet cdsErros{"cdsErros"};
    DataSource dtsErros{&cdsErros};

    // The messages of the closing's rows for the kind and product.
    void FormActivate();

private:
    void BuildLayout();
    void AddLine(const char* code);

    TfrmLancNFEntrada& posting_;
};

// Shows the closing's messages about a product (kind "I") or the document (kind "L"), modally.
void CriaVisErroLancEntr(TfrmLancNFEntrada& form, const std::string& kind, const std::string& object);

} // namespace dfe::dfe11000
