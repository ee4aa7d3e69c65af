#include "support/reconnect_question.h"

#include "support/show_avi.h"
#include "support/show_msg.h"

namespace dfe::support {

net::RetryHooks DialogRetryHooks() {
    net::RetryHooks hooks;
    hooks.askReconnect = [](const std::string& question) {
        return MsgAlertEx(question, DialogType::Information, {"Sim", "Não"}, net::kErrConexCode) ==
               kFirstCustomAnswer;
    };
    hooks.busy = [](bool shown) {
        if (shown)
            ActiveShowAvi(nullptr);
        else
            DeactiveShowAvi();
    };
    return hooks;
}

} // namespace dfe::support
