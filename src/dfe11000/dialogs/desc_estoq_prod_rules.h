#pragma once

#include "dfe11000/dialogs/desc_estoq_prod_cli.h"

#include <string>

namespace dfe {
class Control;
}

namespace dfe::dfe11000 {

class TfrmDescEstoqProd;
class TfrmLancNFEntrada;

// The placement dialog's rules: what it proposes for the row, the checks against the company's branches and
// the movement branch's warehouses, locations and lots, the stock system's consent, and what a confirmation
// writes to the row.
class DescEstoqProdRules {
public:
    DescEstoqProdRules(TfrmDescEstoqProd& dialog, TfrmLancNFEntrada& posting)
        : dialog_(dialog), posting_(posting) {}
    DescEstoqProdRules(const DescEstoqProdRules&) = delete;
    DescEstoqProdRules& operator=(const DescEstoqProdRules&) = delete;
    void Wire();

    // Takes the row and what the caller knows of it, and shows what is proposed.
    void Prepare(net::TNetConnection& stock, const StockPlacementArgs& args);

    void Vd_FiliMovi(bool required);
    void Vd_Almoxarifado(bool required);
    void Vd_Localizacao(bool required);
    void Vd_Lote(bool required);
    void sbtConfirmaClick();
    void sbtCancelaClick();

    // What the clerk may change here.
    bool PlacementEditable() const;
    bool LotEditable() const;

    // The choice was checked and written to the row.
    bool boConfirma = false;

private:
    [[noreturn]] void Refuse(Control* control, const char* code);
    std::string Branch() const;
    std::string Warehouse() const;
    // The product's lot control and lots at the movement branch, asked of the stock server.
    void LoadLots();
    void EnableControls();
    void ShowLotDates(const std::string& manufactured, const std::string& expiry);
    void WriteRow();

    TfrmDescEstoqProd& dialog_;
    TfrmLancNFEntrada& posting_;
    net::TNetConnection* stock_ = nullptr;
    StockPlacementArgs args_;
    bool lotControlled_ = false;
    std::string lotsBranch_;
};

} // namespace dfe::dfe11000
