#include "platform/core/allocator_tuning.h"

#include <cstdlib> // defines __GLIBC__ on glibc systems

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace dfe {

void TuneAllocatorForDatasets() {
#if defined(__GLIBC__)
    // Threads share the main heap: a thread's own arena gives its pages back on every shrink, which is
    // what the trim threshold below is there to avoid.
    mallopt(M_ARENA_MAX, 1);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    mallopt(M_TOP_PAD, 64 << 20);
    // Large packets and row arrays come from the heap, not from one-off mappings returned at every free.
    mallopt(M_MMAP_THRESHOLD, 32 << 20); // the largest value glibc accepts
#endif
}

} // namespace dfe
