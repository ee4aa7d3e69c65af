#pragma once

#include "platform/ui/application.h"
#include "platform/ui/scripted_dialogs.h"

#include <gtest/gtest.h>

namespace dfe::support {

// A fresh application with the scripted dialogs, which every support routine shows through.
class SupportTest : public ::testing::Test {
protected:
    SupportTest() { app.SetDialogs(&dialogs); }
    ~SupportTest() override { EXPECT_EQ(dialogs.PendingAnswers(), 0u) << dialogs.DescribePending(); }

    Application app;
    ScriptedDialogs dialogs;
};

} // namespace dfe::support
