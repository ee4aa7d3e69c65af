#pragma once

namespace dfe {

// Keeps freed heap memory in the process instead of handing it back to the system after every large
// dataset: loading a posting list again then reuses warm pages instead of faulting in fresh ones, which
// otherwise costs more than decoding itself. Programs call it once at start.
void TuneAllocatorForDatasets();

} // namespace dfe
