#include "appserver/modules/all_methods.h"

#include "appserver/modules/parameter_methods.h"
#include "appserver/modules/posting_list_methods.h"
#include "appserver/modules/posting_load_methods.h"

namespace dfe::appserver {

void RegisterAllMethods(MethodRegistry& registry) {
    RegisterParameterMethods(registry);
    RegisterPostingListMethods(registry);
    RegisterPostingLoadMethods(registry);
}

} // namespace dfe::appserver
