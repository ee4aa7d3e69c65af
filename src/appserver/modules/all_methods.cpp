#include "appserver/modules/all_methods.h"

#include "appserver/modules/parameter_methods.h"
#include "appserver/modules/participant_methods.h"
#include "appserver/modules/posting_list_methods.h"
#include "appserver/modules/posting_load_methods.h"
#include "appserver/modules/stock_methods.h"

namespace dfe::appserver {

void RegisterAllMethods(MethodRegistry& registry) {
    RegisterParameterMethods(registry);
    RegisterParticipantMethods(registry);
    RegisterPostingListMethods(registry);
    RegisterPostingLoadMethods(registry);
    RegisterStockMethods(registry);
}

} // namespace dfe::appserver
