#include "appserver/modules/all_methods.h"

#include "appserver/modules/parameter_methods.h"
#include "appserver/modules/stock_methods.h"

namespace dfe::appserver {

void RegisterAllMethods(MethodRegistry& registry) {
    RegisterParameterMethods(registry);
    RegisterStockMethods(registry);
}

} // namespace dfe::appserver
