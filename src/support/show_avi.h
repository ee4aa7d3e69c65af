#pragma once

// The busy animation shown during server calls. Shows nest; every ActiveShowAvi is matched by one
// DeactiveShowAvi, which ShowAviScope guarantees on every path, failures included.

#include <string>

namespace dfe {
class Form;
}

namespace dfe::support {

// Animation numbers the rules pass; the front end chooses the picture.
inline constexpr int kAviCopiando = 1;
inline constexpr int kAviProcurando = 6;

void ActiveShowAvi(Form* form, int animation = kAviCopiando, const std::string& text = {});
// Takes down the innermost animation; without one shown it does nothing.
void DeactiveShowAvi();
// How many animations are up (tests check that none is left).
int ShowAviDepth();

class ShowAviScope {
public:
    explicit ShowAviScope(Form* form, int animation = kAviCopiando, const std::string& text = {}) {
        ActiveShowAvi(form, animation, text);
    }
    ShowAviScope(const ShowAviScope&) = delete;
    ShowAviScope& operator=(const ShowAviScope&) = delete;
    ~ShowAviScope() { DeactiveShowAvi(); }
};

} // namespace dfe::support
