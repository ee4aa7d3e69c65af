#include "qtui/desktop.h"

#include "qtui/qt_application.h"
#include "qtui/qt_dialogs.h"
#include "qtui/qt_renderer.h"

#include "platform/ui/property_names.h"

#include <QTimer>

#include <iostream>

namespace dfe::qtui {

int RunDesktop(Application& app, Form& mainForm, const DesktopOptions& options, int& argc, char** argv) {
    auto qt = CreateQtApplication(argc, argv);
    QtRenderer renderer(app);
    QtDialogs dialogs(renderer);
    DialogService* previousDialogs = &app.Dialogs();
    app.SetDialogs(&dialogs);
    app.SetScreenSize(1280, 800);

    // Closing the host window ends the program.
    const int watch = mainForm.Subscribe([&](Component&, std::string_view property) {
        if (property == prop::kVisible && !mainForm.Visible()) renderer.Quit(0);
    });

    int screenshotResult = 0;
    renderer.RunEvent([&] {
        mainForm.Show();
        if (options.startup) options.startup();
    });
    if (options.screenshot) {
        // A timer, so that the picture is taken also while a modal dialog of the startup waits for the clerk.
        QTimer::singleShot(options.screenshotDelayMs, [&] {
            const bool written = renderer.ScreenshotScreen(*options.screenshot);
            if (written)
                std::cout << "quilmar: screenshot written to " << *options.screenshot << std::endl;
            else
                std::cerr << "quilmar: could not write the screenshot " << *options.screenshot << std::endl;
            screenshotResult = written ? 0 : 1;
            if (options.quitAfterScreenshot) renderer.Quit(screenshotResult);
        });
    }
    int code = 0;
    if (mainForm.Visible() && !renderer.Quitting()) code = QApplication::exec();
    if (options.screenshot && options.quitAfterScreenshot) code = screenshotResult;

    mainForm.Unsubscribe(watch);
    app.SetDialogs(previousDialogs);
    return code;
}

int WithQtRenderer(Application& app, int& argc, char** argv, const std::function<int()>& body) {
    auto qt = CreateQtApplication(argc, argv);
    QtRenderer renderer(app);
    return body();
}

} // namespace dfe::qtui
