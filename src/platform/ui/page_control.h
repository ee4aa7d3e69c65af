#pragma once

#include "platform/ui/container.h"

#include <functional>
#include <vector>

namespace dfe {

class PageControl;

// One page of a page control; only the active page shows its controls.
class TabSheet : public Container {
public:
    TabSheet() {
        SetColor(Color::clBtnFace);
        SetTabStop(false);
    }
    std::string_view Kind() const override { return "TabSheet"; }
    PageControl* OwnerControl() const;
    int PageIndex() const;
    bool TabVisible() const { return tabVisible_; }
    void SetTabVisible(bool visible);

private:
    bool tabVisible_ = true;
};

using ChangingEvent = std::function<void(Component& sender, bool& allowChange)>;

// Pages with tabs. The clerk's change of page asks OnChanging first (which may veto, or throw to keep the
// page) and then runs OnChange; setting the page from code runs neither.
class PageControl : public Container {
public:
    std::string_view Kind() const override { return "PageControl"; }

    std::vector<TabSheet*> Pages() const;
    TabSheet* ActivePage() const { return activePage_; }
    int ActivePageIndex() const;
    // From code: no OnChanging, no OnChange. nullptr shows no page.
    void SetActivePage(TabSheet* page);
    void SetActivePageIndex(int index);
    // As the clerk's click on the tab: the focus comes here first (exits may veto), then OnChanging, the
    // change and OnChange. A disabled or hidden page is refused. True when the page changed.
    bool SelectPage(TabSheet& page);
    bool HandleKeyDown(int& key, ShiftState shift) override;

    bool IsChildShown(const Control& child) const override;

    ChangingEvent OnChanging;
    NotifyEvent OnChange;

protected:
    void ChildAdded(Control& child) override;
    void ChildRemoved(Control& child) override;

private:
    TabSheet* activePage_ = nullptr;
};

// Pages without tabs, chosen by index from code; OnPageChanged runs after every change.
class Notebook : public Container {
public:
    Notebook() { SetTabStop(false); }
    std::string_view Kind() const override { return "Notebook"; }
    std::vector<Container*> Pages() const;
    int PageIndex() const { return pageIndex_; }
    // An index outside the pages is refused with UiError.
    void SetPageIndex(int index);
    // Chooses the page by its caption.
    void SetActivePage(std::string_view caption);
    bool IsChildShown(const Control& child) const override;

    NotifyEvent OnPageChanged;

private:
    int pageIndex_ = 0;
};

// A page of a notebook.
class NotebookPage : public Container {
public:
    NotebookPage() { SetTabStop(false); }
    std::string_view Kind() const override { return "NotebookPage"; }
};

} // namespace dfe
