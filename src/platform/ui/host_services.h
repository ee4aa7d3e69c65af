#pragma once

#include "platform/ui/application.h"
#include "platform/ui/host_context.h"

#include <stdexcept>
#include <string>
#include <string_view>

namespace dfe {

// A package or screen that is not there, or a library that is not a package of this host. what() is the
// clerk's message; Detail() says where it was looked for.
class PackageError : public std::runtime_error {
public:
    PackageError(const std::string& message, std::string detail = {})
        : std::runtime_error(message), detail_(std::move(detail)) {}
    const std::string& Detail() const { return detail_; }

private:
    std::string detail_;
};

// What the host hands to a package when it loads it. A package links the platform itself; through this
// interface it reaches the host's application (forms, keyboard hook, dialogs), its context and the other
// packages, so that both sides work on the same objects.
class HostServices {
public:
    virtual ~HostServices() = default;
    virtual Application& App() = 0;
    virtual const HostContext& Context() const = 0;
    // Loads a package by name once (as LoadBPL does); throws PackageError when it is not installed.
    virtual void LoadPackage(std::string_view name) = 0;
    // An exported symbol of a loaded package; throws PackageError when missing.
    virtual void* Symbol(std::string_view package, std::string_view symbol) = 0;
    // Opens a screen of the host's menu by its code ("DFE11000").
    virtual void OpenScreen(std::string_view code) = 0;

    // The host this code runs under (set by the host itself, or by DfeAttachHost in a package).
    static HostServices* Current();
    static void SetCurrent(HostServices* host);
};

// The version of the package interface; a package built for another one is refused.
inline constexpr int kPackageAbiVersion = 1;

// Makes this copy of the platform work for the host: current host and current application.
void AttachToHost(HostServices* host);

} // namespace dfe

// Every package exports these two, plus its creators (extern "C", no arguments):
//   DFE_DECLARE_PACKAGE()
//   extern "C" DFE_EXPORT void CriaLancNFEntrada();
#define DFE_EXPORT __attribute__((visibility("default")))
#define DFE_DECLARE_PACKAGE()                                                                                \
    extern "C" DFE_EXPORT int DfePackageAbiVersion() {                                                       \
        return ::dfe::kPackageAbiVersion;                                                                    \
    }                                                                                                        \
    extern "C" DFE_EXPORT void DfeAttachHost(::dfe::HostServices* host) {                                    \
        ::dfe::AttachToHost(host);                                                                           \
    }
