#pragma once

// The keys clerks type by: Enter moves on like Tab, Up and Down move between fields, Page Up and Page Down
// jump between the form's groups, the period types the decimal comma, F12 and the form's own keys.

#include "dfe11000/module/module_part.h"
#include "platform/ui/application.h"

namespace dfe::dfe11000 {

class KeyboardHook : public ModulePart {
public:
    explicit KeyboardHook(TfrmLancNFEntrada& form) : ModulePart(form) {}

    void OnMessage(Message& message, bool& handled);
    void FormKeyDown(int& key, ShiftState shift);
};

} // namespace dfe::dfe11000
