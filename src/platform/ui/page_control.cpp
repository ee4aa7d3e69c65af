#include "platform/ui/page_control.h"

#include "platform/ui/form.h"
#include "platform/ui/property_names.h"
#include "platform/ui/ui_error.h"

#include "platform/core/text.h"

#include <algorithm>

namespace dfe {

PageControl* TabSheet::OwnerControl() const {
    return dynamic_cast<PageControl*>(Parent());
}

int TabSheet::PageIndex() const {
    auto* pc = OwnerControl();
    if (!pc) return -1;
    auto pages = pc->Pages();
    auto it = std::find(pages.begin(), pages.end(), this);
    return it == pages.end() ? -1 : static_cast<int>(it - pages.begin());
}

void TabSheet::SetTabVisible(bool visible) {
    if (visible == tabVisible_) return;
    tabVisible_ = visible;
    Changed(prop::kTabVisible);
}

std::vector<TabSheet*> PageControl::Pages() const {
    std::vector<TabSheet*> pages;
    for (Control* c : Children())
        if (auto* page = dynamic_cast<TabSheet*>(c)) pages.push_back(page);
    return pages;
}

int PageControl::ActivePageIndex() const {
    return activePage_ ? activePage_->PageIndex() : -1;
}

void PageControl::SetActivePage(TabSheet* page) {
    if (page && page->Parent() != this)
        throw UiError("a página " + page->Name() + " não pertence a " + Name());
    if (page == activePage_) return;
    activePage_ = page;
    Changed(prop::kActivePage);
    if (auto* form = ParentForm()) form->DefocusHidden();
}

void PageControl::SetActivePageIndex(int index) {
    auto pages = Pages();
    if (index < 0 || index >= static_cast<int>(pages.size())) {
        SetActivePage(nullptr);
        return;
    }
    SetActivePage(pages[static_cast<size_t>(index)]);
}

bool PageControl::SelectPage(TabSheet& page) {
    if (page.Parent() != this) throw UiError("a página " + page.Name() + " não pertence a " + Name());
    if (&page == activePage_) return false;
    if (!page.Enabled() || !page.Visible() || !page.TabVisible() || !Showing() || !EnabledInChain())
        return false;
    // The clerk's click takes the focus first, so the exit rule of the field being left runs (and may veto).
    if (CanFocus() && !Focused()) SetFocus();
    bool allow = true;
    if (OnChanging) OnChanging(*this, allow);
    if (!allow) return false;
    SetActivePage(&page);
    if (OnChange) OnChange(*this);
    return true;
}

bool PageControl::HandleKeyDown(int& key, ShiftState shift) {
    if (!shift.ctrl || key != key::Tab || !activePage_) return false;
    auto pages = Pages();
    const auto count = static_cast<int>(pages.size());
    int index = ActivePageIndex();
    for (int step = 1; step < count; ++step) {
        int i = ((shift.shift ? index - step : index + step) % count + count) % count;
        TabSheet* page = pages[static_cast<size_t>(i)];
        if (page->Enabled() && page->Visible() && page->TabVisible()) {
            SelectPage(*page);
            break;
        }
    }
    return true;
}

bool PageControl::IsChildShown(const Control& child) const {
    if (dynamic_cast<const TabSheet*>(&child)) return &child == activePage_;
    return true;
}

void PageControl::ChildAdded(Control& child) {
    if (!activePage_)
        if (auto* page = dynamic_cast<TabSheet*>(&child)) activePage_ = page;
}

void PageControl::ChildRemoved(Control& child) {
    if (&child != activePage_) return;
    auto pages = Pages();
    activePage_ = pages.empty() ? nullptr : pages.front();
}

std::vector<Container*> Notebook::Pages() const {
    std::vector<Container*> pages;
    for (Control* c : Children())
        if (auto* page = dynamic_cast<NotebookPage*>(c)) pages.push_back(page);
    return pages;
}

void Notebook::SetPageIndex(int index) {
    auto pages = Pages();
    if (index < 0 || index >= static_cast<int>(pages.size()))
        throw UiError("o notebook " + Name() + " não tem a página " + std::to_string(index));
    if (index == pageIndex_) return;
    pageIndex_ = index;
    Changed(prop::kPageIndex);
    if (auto* form = ParentForm()) form->DefocusHidden();
    if (OnPageChanged) OnPageChanged(*this);
}

void Notebook::SetActivePage(std::string_view caption) {
    auto pages = Pages();
    for (size_t i = 0; i < pages.size(); ++i) {
        if (text::SameText(pages[i]->Caption(), caption)) {
            SetPageIndex(static_cast<int>(i));
            return;
        }
    }
    throw UiError("o notebook " + Name() + " não tem a página \"" + std::string(caption) + "\"");
}

bool Notebook::IsChildShown(const Control& child) const {
    auto pages = Pages();
    for (size_t i = 0; i < pages.size(); ++i)
        if (pages[i] == &child) return static_cast<int>(i) == pageIndex_;
    return true;
}

} // namespace dfe
