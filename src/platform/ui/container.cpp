#include "platform/ui/container.h"

#include "platform/ui/form.h"
#include "platform/ui/property_names.h"

#include <algorithm>

namespace dfe {

Container::Container() = default;

Container::~Container() {
    // Children owned elsewhere outlive their parent only as orphans, and never as the form's focus.
    if (auto* form = ParentForm())
        for (Control* child : children_)
            form->ForgetControl(*child);
    for (Control* child : children_)
        child->parent_ = nullptr;
}

Component* Container::OwnerForChildren() {
    if (auto* form = ParentForm()) return form;
    return this;
}

void Container::Insert(Control& child) {
    children_.push_back(&child);
    ChildAdded(child);
    Changed(prop::kChildren);
}

void Container::Remove(Control& child) {
    auto it = std::find(children_.begin(), children_.end(), &child);
    if (it == children_.end()) return;
    children_.erase(it);
    ChildRemoved(child);
    Changed(prop::kChildren);
}

int Container::TabOrderOf(const Control& child) const {
    int order = 0;
    for (const Control* c : children_) {
        if (c == &child) return c->IsWindowed() ? order : -1;
        if (c->IsWindowed()) ++order;
    }
    return -1;
}

void Container::MoveToTabOrder(Control& child, int order) {
    auto it = std::find(children_.begin(), children_.end(), &child);
    if (it == children_.end()) return;
    children_.erase(it);
    if (order < 0) order = 0;
    // Insert before the windowed sibling that now holds `order`, or at the end.
    int seen = 0;
    auto pos = children_.begin();
    for (; pos != children_.end(); ++pos) {
        if (!(*pos)->IsWindowed()) continue;
        if (seen == order) break;
        ++seen;
    }
    children_.insert(pos, &child);
}

} // namespace dfe
