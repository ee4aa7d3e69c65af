#include "appserver/modules/all_methods.h"

#include "appserver/intake/nfe_methods.h"
#include "appserver/modules/access_key_methods.h"
#include "appserver/modules/apportionment_methods.h"
#include "appserver/modules/catalogue_methods.h"
#include "appserver/modules/closing_methods.h"
#include "appserver/modules/document_identity_methods.h"
#include "appserver/modules/implantation_methods.h"
#include "appserver/modules/installment_methods.h"
#include "appserver/modules/item_methods.h"
#include "appserver/modules/origin_methods.h"
#include "appserver/modules/outsourcing_methods.h"
#include "appserver/modules/parameter_methods.h"
#include "appserver/modules/participant_methods.h"
#include "appserver/modules/posting_list_methods.h"
#include "appserver/modules/posting_load_methods.h"
#include "appserver/modules/related_document_methods.h"
#include "appserver/modules/release_password_methods.h"
#include "appserver/modules/stock_lot_methods.h"
#include "appserver/modules/stock_methods.h"
#include "appserver/modules/tax_methods.h"

namespace dfe::appserver {

void RegisterAllMethods(MethodRegistry& registry) {
    RegisterAccessKeyMethods(registry);
    RegisterApportionmentMethods(registry);
    RegisterCatalogueMethods(registry);
    RegisterClosingMethods(registry);
    RegisterDocumentIdentityMethods(registry);
    RegisterImplantationMethods(registry);
    RegisterInstallmentMethods(registry);
    RegisterItemMethods(registry);
    RegisterNfeIntakeMethods(registry);
    RegisterOriginMethods(registry);
    RegisterOutsourcingMethods(registry);
    RegisterParameterMethods(registry);
    RegisterParticipantMethods(registry);
    RegisterPostingListMethods(registry);
    RegisterPostingLoadMethods(registry);
    RegisterRelatedDocumentMethods(registry);
    RegisterReleasePasswordMethods(registry);
    RegisterStockLotMethods(registry);
    RegisterStockMethods(registry);
    RegisterTaxMethods(registry);
}

} // namespace dfe::appserver
