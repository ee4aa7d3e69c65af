#pragma once

#include "platform/ui/control.h"

#include <vector>

namespace dfe {

// A control that holds others: forms, panels, group boxes, pages. Its children are kept in tab order.
class Container : public Control {
public:
    Container();
    ~Container() override;
    std::string_view Kind() const override { return "Container"; }
    bool IsContainer() const override { return true; }

    const std::vector<Control*>& Children() const { return children_; }

    // Creates a control owned by this container's form (or this container when it has none) and puts it here.
    template <class T, class... Args> T& Add(std::string name, Args&&... args) {
        Component* owner = OwnerForChildren();
        T& control = owner->template Create<T>(std::move(name), std::forward<Args>(args)...);
        control.SetParent(this);
        return control;
    }

    // False for the pages a page control or notebook does not show.
    virtual bool IsChildShown(const Control&) const { return true; }

protected:
    virtual void ChildAdded(Control&) {}
    virtual void ChildRemoved(Control&) {}

private:
    friend class Control;
    Component* OwnerForChildren();
    void Insert(Control& child);
    void Remove(Control& child);
    void MoveToTabOrder(Control& child, int order);
    int TabOrderOf(const Control& child) const;

    std::vector<Control*> children_;
};

} // namespace dfe
