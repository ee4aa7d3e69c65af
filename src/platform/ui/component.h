#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <typeinfo>
#include <vector>

namespace dfe {

class Component;

// Called after a property of a component changed; `property` is one of the names in property_names.h.
using PropertyObserver = std::function<void(Component& component, std::string_view property)>;

// Anything a form owns by name: controls, menu items, data sources. The owner destroys what it owns.
class Component {
public:
    explicit Component(std::string name = {});
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;
    virtual ~Component();

    // What kind of component this is ("Edit", "PageControl"), for renderers and messages.
    virtual std::string_view Kind() const { return "Component"; }

    const std::string& Name() const { return name_; }
    void SetName(std::string name);
    int Tag() const { return tag_; }
    void SetTag(int tag);
    Component* Owner() const { return owner_; }

    // Creates a component owned by this one; it lives until this one is destroyed or it is removed.
    template <class T, class... Args> T& Create(std::string name, Args&&... args) {
        auto component = std::make_unique<T>(std::forward<Args>(args)...);
        T& ref = *component;
        ref.SetName(std::move(name));
        Adopt(std::move(component));
        return ref;
    }
    // Destroys an owned component now; does nothing for a component owned by someone else.
    void DestroyComponent(Component& component);

    // Owned components in creation order, and a search by name among them (case-insensitive, one level).
    std::vector<Component*> Components() const;
    Component* FindComponent(std::string_view name) const;
    template <class T> T* Find(std::string_view name) const { return dynamic_cast<T*>(FindComponent(name)); }
    // The owned component of that name and kind; its absence is a programming error, so it throws
    // std::logic_error naming this owner, the name, the kind expected and what goes by that name instead.
    template <class T> T& Require(std::string_view name) const {
        for (const auto& c : owned_)
            if (HasName(*c, name))
                if (auto* found = dynamic_cast<T*>(c.get())) return *found;
        ThrowMissing(name, typeid(T));
    }

    // Observers are called after every property change; the id removes one again.
    int Subscribe(PropertyObserver observer);
    void Unsubscribe(int id);

protected:
    void Changed(std::string_view property);
    // Destroys every owned component now, newest first; forms call it while they are still whole.
    void DestroyOwnedComponents();
    // Hands a created component to this owner; the owner tells observers "Components".
    void Adopt(std::unique_ptr<Component> component);

private:
    static bool HasName(const Component& component, std::string_view name);
    [[noreturn]] void ThrowMissing(std::string_view name, const std::type_info& expected) const;

    std::string name_;
    int tag_ = 0;
    Component* owner_ = nullptr;
    std::vector<std::unique_ptr<Component>> owned_;
    std::vector<std::pair<int, PropertyObserver>> observers_;
    int nextObserverId_ = 1;
};

} // namespace dfe
