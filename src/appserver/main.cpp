#include "appserver/cli/commands.h"
#include "platform/core/allocator_tuning.h"

int main(int argc, char** argv) {
    dfe::TuneAllocatorForDatasets();
    return dfe::appserver::RunServerCommand(argc, argv);
}
