#include "appserver/modules/all_methods.h"

#include "appserver/modules/parameter_methods.h"

namespace dfe::appserver {

void RegisterAllMethods(MethodRegistry& registry) {
    RegisterParameterMethods(registry);
}

} // namespace dfe::appserver
