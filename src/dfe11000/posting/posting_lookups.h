#pragma once

// The lookups of the posting workspace: the installation's parameters and the product validation with its
// cached and plain texts.

#include "platform/db/tadoib_query.h"

namespace dfe::dfe11000 {

struct PostingLookups {
    PostingLookups();

    db::TADOIBQuery qryParamGeral{"qryParamGeral"};
    db::TADOIBQuery qryValidProd{"qryValidProd"};
    db::TADOIBQuery qryProdCache{"qryProdCache"};
    db::TADOIBQuery qrySemCache{"qrySemCache"};
};

} // namespace dfe::dfe11000
