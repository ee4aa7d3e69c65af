#pragma once

#include "platform/data/dataset.h"
#include "platform/net/net_connection.h"

#include <string>

namespace dfe::dfe11000 {

class TfrmLancNFEntrada;

// What the caller knows of the entry that the placement dialog cannot tell by itself.
struct StockPlacementFlags {
    // The row is new (a row being edited keeps what it has unless changed; only a new row takes the NF-e's
    // lot).
    bool inserting = false;
    // Goods of a third party enter (operation element IDENTRTERCEIRO): their lot may be picked among the
    // stock's.
    bool thirdParty = false;
    // The posting belongs to the purchase-authorization pilot: a row of an authorization keeps its placement.
    bool afPilot = false;
    // A return: lots come from what went out, so the lot must be one the stock has.
    bool isReturn = false;
    // The installation uses lots (parameter IDUTILLOTE); asked where the branch keeps the product by lot.
    bool useLot = false;
    // The branch keeps its stock by warehouse: one is required (IDUTILALMOX).
    bool useWarehouse = false;
    // ... and by location inside it: one is required (IDUTILLCESTQ).
    bool useLocation = false;
    // The operation moves stock; without it the placement is only shown and the lot alone asked
    // (IDATUESTTPOP).
    bool movesStock = true;
    // The goods may enter another branch's stock of the same company (CDFILIMOVI).
    bool otherBranch = false;
    // The lot came with the row from its origin document and is kept as it is.
    bool keepOriginLot = false;
};

struct StockPlacementArgs {
    std::string branch;
    DataSet* items = nullptr; // the current row is the one placed
    StockPlacementFlags flags;
    std::string movement = "E";
    std::string operationType, participant, remittanceSupplier;
    std::string xmlLot, xmlManufactured, xmlExpiry; // from the NF-e, may be empty
};

// "Estoque do Produto": where the current row's goods enter stock (movement branch, warehouse, location)
// and in which lot.
// Confirmed: the row's placement fields hold the choice, the row stays in its edit or insert state, true.
// Abandoned: the row is cancelled (browse) and false. Server calls (lots, stock) go through `stock` of the
// form's gateway.
bool DescEstoqProdCli(TfrmLancNFEntrada& form, net::TNetConnection& stock, const StockPlacementArgs& args);

} // namespace dfe::dfe11000
