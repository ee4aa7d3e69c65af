#include "support/show_avi.h"

#include "support/current_dialogs.h"

namespace dfe::support {
namespace {
int gDepth = 0;
}

void ActiveShowAvi(Form* /*form*/, int /*animation*/, const std::string& text) {
    CurrentDialogs().ShowBusy(text);
    ++gDepth;
}

void DeactiveShowAvi() {
    if (gDepth == 0) return;
    --gDepth;
    if (Application* app = Application::Current()) app->Dialogs().HideBusy();
}

int ShowAviDepth() {
    return gDepth;
}

} // namespace dfe::support
