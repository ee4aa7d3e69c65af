#pragma once

// The header's panels of the record page, each built once by its own function.

#include "dfe11000/header/header_controls.h"
#include "dfe11000/header/header_lookups.h"
#include "dfe11000/posting/posting_data.h"

namespace dfe {
class Form;
}

namespace dfe::dfe11000 {

// The record page's header: company and operation type, participant, registration and recipient.
void BuildHeader(Form& form, Container& page, HeaderControls& c, PostingDataSets& data,
                 HeaderLookups& lookups);
// The document group of the header.
void BuildDocument(Form& form, Container& header, DocumentControls& c, PostingDataSets& data,
                   HeaderLookups& lookups);
// The remittance and origin panels below the header.
void BuildOrigin(Form& form, Container& page, OriginControls& c, PostingDataSets& data,
                 HeaderLookups& lookups);
// The transport panel (its place in the detail stack given); the CT-e, freight-nature and collection-document
// groups below the visible area.
void BuildTransport(Form& form, Container& page, TransportControls& c, PostingDataSets& data,
                    HeaderLookups& lookups, Panel* stacked);

} // namespace dfe::dfe11000
