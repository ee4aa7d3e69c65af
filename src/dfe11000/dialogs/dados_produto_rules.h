#pragma once

#include "dfe11000/dialogs/frm_dados_produto.h"

#include <string>

namespace dfe::dfe11000 {

// The product data dialog's rules: the product checked against the last level of the product tree, the
// quantity, each row's stock placement, and the generation of the stock entry with every answer of the
// server.
class DadosProdutoRules {
public:
    DadosProdutoRules(TfrmDadosProduto& dialog, TfrmLancNFEntrada& posting)
        : dialog_(dialog), posting_(posting) {}
    DadosProdutoRules(const DadosProdutoRules&) = delete;
    DadosProdutoRules& operator=(const DadosProdutoRules&) = delete;
    void Wire();

    void Prepare(const OutsourcingEntry& entry);
    void Vd_Produto(bool required);
    void dbgDadosProdutoColExit();
    void dbgDadosProdutoEditButtonClick();
    void cdsDadosProdutoBeforePost();
    void sbtConfirmaClick();

    // The stock entry was generated.
    bool boGerado = false;

private:
    [[noreturn]] void Refuse(const char* field, const char* code);
    void FocusCell(const char* field);
    // Asks where the current row enters stock; false when the clerk gave the row up.
    bool PlaceRow();
    bool Placed() const;
    void ShowProblems(const std::string& status, const Variant& problems);

    TfrmDadosProduto& dialog_;
    TfrmLancNFEntrada& posting_;
    OutsourcingEntry entry_;
    // While the rules move the grid's selection themselves, leaving a cell checks nothing.
    bool selecting_ = false;
};

} // namespace dfe::dfe11000
