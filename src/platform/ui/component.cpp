#include "platform/ui/component.h"

#include "platform/ui/property_names.h"

#include "platform/core/text.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <stdexcept>

#if __has_include(<cxxabi.h>)
#include <cxxabi.h>
#endif

namespace dfe {

Component::Component(std::string name) : name_(std::move(name)) {}

Component::~Component() {
    DestroyOwnedComponents();
}

void Component::DestroyOwnedComponents() {
    // Newest first, so that controls go before the containers created ahead of them.
    while (!owned_.empty()) {
        auto last = std::move(owned_.back());
        owned_.pop_back();
        last.reset();
    }
}

void Component::SetName(std::string name) {
    if (name == name_) return;
    name_ = std::move(name);
    Changed(prop::kName);
}

void Component::SetTag(int tag) {
    if (tag == tag_) return;
    tag_ = tag;
    Changed(prop::kTag);
}

void Component::Adopt(std::unique_ptr<Component> component) {
    component->owner_ = this;
    owned_.push_back(std::move(component));
    Changed(prop::kComponents);
}

void Component::DestroyComponent(Component& component) {
    auto it =
        std::find_if(owned_.begin(), owned_.end(), [&](const auto& p) { return p.get() == &component; });
    if (it == owned_.end()) return;
    auto doomed = std::move(*it);
    owned_.erase(it);
    doomed.reset();
    Changed(prop::kComponents);
}

std::vector<Component*> Component::Components() const {
    std::vector<Component*> result;
    result.reserve(owned_.size());
    for (const auto& c : owned_)
        result.push_back(c.get());
    return result;
}

Component* Component::FindComponent(std::string_view name) const {
    for (const auto& c : owned_)
        if (HasName(*c, name)) return c.get();
    return nullptr;
}

bool Component::HasName(const Component& component, std::string_view name) {
    return text::SameText(component.Name(), name);
}

namespace {

// "Edit" for dfe::Edit, as Kind() spells the toolkit's own classes.
std::string KindOf(const std::type_info& type) {
    std::string name = type.name();
#if __has_include(<cxxabi.h>)
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> readable(
        abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), &std::free);
    if (status == 0 && readable) name = readable.get();
#endif
    if (name.starts_with("dfe::")) name.erase(0, 5);
    return name;
}

std::string Describe(const Component& component) {
    std::string text(component.Kind());
    return component.Name().empty() ? text + " (unnamed)" : text + " " + component.Name();
}

} // namespace

void Component::ThrowMissing(std::string_view name, const std::type_info& expected) const {
    std::string message = Describe(*this) + " has no " + KindOf(expected) + " named " + std::string(name);
    std::string others;
    for (const auto& c : owned_)
        if (HasName(*c, name)) others += (others.empty() ? "" : ", ") + std::string(c->Kind());
    if (!others.empty()) message += " (" + std::string(name) + " is of kind " + others + ")";
    throw std::logic_error(message);
}

int Component::Subscribe(PropertyObserver observer) {
    int id = nextObserverId_++;
    observers_.emplace_back(id, std::move(observer));
    return id;
}

void Component::Unsubscribe(int id) {
    std::erase_if(observers_, [id](const auto& entry) { return entry.first == id; });
}

void Component::Changed(std::string_view property) {
    // Copy: an observer may subscribe or unsubscribe while being told.
    auto observers = observers_;
    for (auto& [id, observer] : observers)
        observer(*this, property);
}

} // namespace dfe
