#pragma once

#include "platform/data/dataset.h"
#include "platform/net/net_connection.h"

#include <string>

namespace dfe::dfe11000 {

class TfrmLancNFEntrada;

// What the caller knows of the entry that the placement dialog cannot tell by itself.
struct StockPlacementFlags {
    bool inserting = false;     // the row is new (a row being edited keeps what it has unless changed)
    bool thirdParty = false;    // goods of a third party enter (operation element IDENTRTERCEIRO)
    bool afPilot = false;       // the posting belongs to the purchase-authorization pilot
    bool isReturn = false;      // a return: lots come from what went out
    bool useLot = false;        // the installation uses lots (parameter IDUTILLOTE)
    bool useWarehouse = false;  // the branch keeps its stock by warehouse: one is required (IDUTILALMOX)
    bool useLocation = false;   // ... and by location inside it: one is required (IDUTILLCESTQ)
    bool movesStock = true;     // the operation moves stock; without it only the lot is asked (IDATUESTTPOP)
    bool otherBranch = false;   // the goods may enter another branch's stock of the company (CDFILIMOVI)
    bool keepOriginLot = false; // the lot came with the row from its origin document and is not retyped
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
