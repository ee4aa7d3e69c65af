#pragma once

namespace dfe::support {

// Whether forms hold their server connections open for their whole life (one reference each) instead of
// opening them per call. On by default: the embedded server makes an idle connection free.
bool KeepConnected();
void SetKeepConnected(bool keep);

} // namespace dfe::support
