#include "platform/ui/layout_check.h"

#include "platform/ui/form.h"
#include "platform/ui/page_control.h"
#include "platform/ui/simple_controls.h"

#include <cstddef>

namespace dfe {
namespace {

// The area a container lays its children out in, from its top left corner.
struct ClientArea {
    int width = 0;
    int height = 0;
    bool endless = false; // no bottom: the contents scroll
    bool Empty() const { return width <= 0 || height <= 0; }
};

bool IsPage(const Control& control) {
    const Container* parent = control.Parent();
    return (dynamic_cast<const TabSheet*>(&control) && dynamic_cast<const PageControl*>(parent)) ||
           (dynamic_cast<const NotebookPage*>(&control) && dynamic_cast<const Notebook*>(parent));
}

ClientArea AreaOf(const Container& container) {
    // The renderer sizes a page to its book, whatever bounds the page was given.
    if (IsPage(container)) return {container.Parent()->Width(), container.Parent()->Height()};
    // A scroll box scrolls down only, so its children may reach any depth but not past its right edge.
    if (dynamic_cast<const ScrollBox*>(&container)) return {container.Width(), container.Height(), true};
    return {container.Width(), container.Height()};
}

bool HasSize(const Control& control) {
    return control.Width() > 0 && control.Height() > 0;
}

std::string Rect(int left, int top, const std::string& size) {
    return "[" + std::to_string(left) + "," + std::to_string(top) + " " + size + "]";
}

std::string Named(const Control& control) {
    std::string text(control.Kind());
    return text + " " + (control.Name().empty() ? "(unnamed)" : control.Name());
}

std::string Described(const Control& control) {
    return Named(control) + " " +
           Rect(control.Left(), control.Top(),
                std::to_string(control.Width()) + "x" + std::to_string(control.Height()));
}

std::string Described(const Container& container, const ClientArea& area) {
    const std::string size = area.endless ? std::to_string(area.width) + " wide, scrolling down"
                                          : std::to_string(area.width) + "x" + std::to_string(area.height);
    return Named(container) + " " + Rect(0, 0, size);
}

bool Inside(const Control& control, const ClientArea& area) {
    return control.Left() >= 0 && control.Top() >= 0 && control.Left() + control.Width() <= area.width &&
           (area.endless || control.Top() + control.Height() <= area.height);
}

bool Overlap(const Control& a, const Control& b) {
    return a.Left() < b.Left() + b.Width() && b.Left() < a.Left() + a.Width() &&
           a.Top() < b.Top() + b.Height() && b.Top() < a.Top() + a.Height();
}

void CheckChildren(const Container& parent, std::vector<std::string>& faults) {
    const ClientArea area = AreaOf(parent);
    std::vector<const Control*> placed;
    for (const Control* child : parent.Children()) {
        if (!child->Visible() || IsPage(*child)) continue;
        if (!HasSize(*child)) {
            faults.push_back(Described(*child) + " has no size");
            continue;
        }
        // A parent with no area is its own fault; every child would be outside it.
        if (!area.Empty() && !Inside(*child, area))
            faults.push_back(Described(*child) + " is outside the client area of " + Described(parent, area));
        placed.push_back(child);
    }
    for (std::size_t i = 0; i < placed.size(); ++i)
        for (std::size_t j = i + 1; j < placed.size(); ++j)
            if (Overlap(*placed[i], *placed[j]))
                faults.push_back(Described(*placed[i]) + " overlaps " + Described(*placed[j]) + " in " +
                                 Named(parent));
    for (const Control* child : parent.Children())
        if (auto* container = dynamic_cast<const Container*>(child)) CheckChildren(*container, faults);
}

} // namespace

std::vector<std::string> LayoutFaults(const Form& form) {
    std::vector<std::string> faults;
    // The form has no parent to lie in; it only needs a size of its own.
    if (!HasSize(form)) faults.push_back(Described(form) + " has no size");
    CheckChildren(form, faults);
    return faults;
}

} // namespace dfe
