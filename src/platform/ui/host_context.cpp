#include "platform/ui/host_context.h"

namespace dfe {

DateTime HostContext::ProcessingDate(std::string_view branchCode) const {
    if (auto it = processingDates.find(std::string(branchCode)); it != processingDates.end())
        return it->second;
    if (!processingDate.IsEmpty()) return processingDate;
    return DateTime::Today();
}

} // namespace dfe
