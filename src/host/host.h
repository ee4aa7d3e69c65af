#pragma once

#include "host/host_config.h"
#include "host/package_loader.h"

#include "platform/ui/host_services.h"

namespace dfe::host {

// The host itself: its application, context, menu of screens and packages. It is the HostServices every
// package receives.
class Host : public HostServices {
public:
    Host(Application& app, HostConfig config);
    ~Host() override;

    Application& App() override { return app_; }
    const HostContext& Context() const override { return config_.context; }
    void LoadPackage(std::string_view name) override { loader_.Load(name); }
    void* Symbol(std::string_view package, std::string_view symbol) override {
        return loader_.Symbol(package, symbol);
    }
    // Loads the screen's package and runs its creator as one event (its failures are shown as errors);
    // throws PackageError when the screen or its package is not installed.
    void OpenScreen(std::string_view code) override;

    const HostConfig& Config() const { return config_; }
    Form& MainForm() { return mainForm_; }

private:
    Application& app_;
    HostConfig config_;
    PackageLoader loader_;
    Form& mainForm_;
};

} // namespace dfe::host
