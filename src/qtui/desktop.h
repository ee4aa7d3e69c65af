#pragma once

#include "platform/ui/application.h"

#include <functional>
#include <optional>
#include <string>

namespace dfe::qtui {

struct DesktopOptions {
    // Where to write a picture of the screen once the window is up (and the startup action ran).
    std::optional<std::string> screenshot;
    // Quit right after the picture, with 0 when it was written and 1 when it was not.
    bool quitAfterScreenshot = false;
    // Milliseconds between the window showing and the picture: layouts and timers settle.
    int screenshotDelayMs = 300;
    // Runs as one event once the main window shows (opening a screen given on the command line).
    std::function<void()> startup;
};

// Runs the application's forms as a desktop program: creates the QApplication (offscreen when there is no
// display), the renderer and the Qt dialogs, shows the main form as the host window and runs Qt's event loop
// until the main form is closed. Returns the exit code.
int RunDesktop(Application& app, Form& mainForm, const DesktopOptions& options, int& argc, char** argv);

// Runs `body` with a QApplication and the Qt renderer over the application (offscreen without a display) but
// no event loop: scenarios then draw their forms and their screenshot lines write pictures.
int WithQtRenderer(Application& app, int& argc, char** argv, const std::function<int()>& body);

} // namespace dfe::qtui
