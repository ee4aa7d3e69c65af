#pragma once

#include "platform/db/tadoib_query.h"

#include <string>

namespace dfe::dfe11000 {

// The branch's warehouses and their stock locations, as the placement dialogs check and list them.
void PrepareWarehouseQuery(db::TADOIBQuery& query);
void PrepareLocationQuery(db::TADOIBQuery& query);
// The branches of the company of `branchInProcess`, where its goods may enter stock.
void PrepareBranchQuery(db::TADOIBQuery& query);

// Reopen the query for the branch and the code (empty: every one of the branch or warehouse); true when it
// found a row.
bool FindWarehouse(db::TADOIBQuery& query, const std::string& branch, const std::string& code);
bool FindBranch(db::TADOIBQuery& query, const std::string& branchInProcess, const std::string& code);
bool FindLocation(db::TADOIBQuery& query, const std::string& branch, const std::string& warehouse,
                  const std::string& code);

} // namespace dfe::dfe11000
