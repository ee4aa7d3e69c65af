#include "qtui/form_view.h"

#include "qtui/control_views.h"
#include "qtui/menu_view.h"
#include "qtui/qt_palette.h"
#include "qtui/qt_renderer.h"

#include "platform/ui/application.h"
#include "platform/ui/menu.h"
#include "platform/ui/property_names.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QVBoxLayout>

#include <algorithm>

namespace dfe::qtui {

void FormWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (view_) view_->CloseRequested();
}

void FormWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && view_ && isWindow() && isActiveWindow())
        view_->Activated();
}

FormView::FormView(QtRenderer& renderer, Form& form) : renderer_(renderer), form_(form) {
    FormWindow* window = BuildWindow();
    root_ = std::make_unique<FormClientView>(
        *this, form_,
        window->centralWidget()->findChild<QWidget*>(QStringLiteral("client"), Qt::FindDirectChildrenOnly));
    root_->Build();
    menu_ = std::make_unique<MenuBarView>(*this, *window->menuBar());
    menu_->ComponentsChanged();
    menu_->RebuildNow();
    WatchPopups();
    ApplyGeometry();
}

void FormView::WatchPopups() {
    for (Component* component : form_.Components()) {
        auto* popup = dynamic_cast<PopupMenu*>(component);
        if (!popup) continue;
        const bool known =
            std::any_of(popups_.begin(), popups_.end(), [&](const auto& p) { return p.first == popup; });
        if (known) continue;
        std::weak_ptr<bool> alive = alive_;
        const int id = popup->Subscribe([this, alive](Component& menu, std::string_view property) {
            auto a = alive.lock();
            if (!a || !*a || property != prop::kPopup) return;
            auto& popupMenu = static_cast<PopupMenu&>(menu);
            QPoint at(popupMenu.PopupX(), popupMenu.PopupY());
            if (const Control* anchor = popupMenu.PopupAnchor()) {
                if (ControlView* view = ViewOf(*anchor)) at = view->Widget()->mapToGlobal(at);
            }
            ShowPopupMenu(*this, popupMenu, at);
        });
        popups_.emplace_back(popup, id);
    }
}

FormView::~FormView() {
    *alive_ = false;
    menu_.reset();
    root_.reset();
    if (FormWindow* window = window_.data()) window->Detach();
    QWidget* frame = Frame();
    if (!frame) return;
    frame->hide();
    if (deleteNow_)
        delete frame;
    else
        frame->deleteLater();
}

QWidget* FormView::Frame() const {
    if (QMdiSubWindow* sub = subWindow_.data()) return sub;
    return window_;
}

QMainWindow* FormView::Window() const {
    return window_;
}

QWidget* FormView::Client() const {
    return root_ ? root_->Widget() : nullptr;
}

FormWindow* FormView::BuildWindow() {
    auto* window = new FormWindow(this);
    window_ = window;
    window->setObjectName(QString::fromStdString(form_.Name()));
    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* client = new QWidget(central);
    client->setObjectName(QStringLiteral("client"));
    layout->addWidget(client);
    // The main form hosts the module windows under its own controls.
    if (form_.App().MainForm() == &form_) {
        mdiArea_ = new QMdiArea(central);
        mdiArea_->setObjectName(QStringLiteral("mdiArea"));
        mdiArea_->setBackground(QColor(128, 128, 128));
        layout->addWidget(mdiArea_, 1);
        QObject::connect(mdiArea_, &QMdiArea::subWindowActivated, mdiArea_, [this](QMdiSubWindow* sub) {
            if (sub) renderer_.SubWindowActivated(sub);
        });
    }
    window->setCentralWidget(central);
    if (QMdiArea* area = HostArea()) {
        QMdiSubWindow* sub = area->addSubWindow(window);
        sub->setObjectName(QString::fromStdString(form_.Name()) + QStringLiteral("Frame"));
        sub->hide();
        subWindow_ = sub;
    }
    return window;
}

QMdiArea* FormView::HostArea() const {
    if (form_.GetFormStyle() != FormStyle::MdiChild) return nullptr;
    return renderer_.HostArea();
}

void FormView::Sync(std::string_view property) {
    const bool all = property.empty();
    FormWindow* window = window_.data();
    if (!window) return;
    if (all || property == prop::kCaption) {
        window->setWindowTitle(CaptionText(form_.Caption()));
        if (QMdiSubWindow* sub = subWindow_.data()) sub->setWindowTitle(CaptionText(form_.Caption()));
    }
    if (all || property == prop::kLeft || property == prop::kTop || property == prop::kWidth ||
        property == prop::kHeight || property == prop::kChildren)
        ApplyGeometry();
    if (all || property == prop::kWindowState) ApplyWindowState();
    if (all || property == prop::kVisible) ApplyVisibility();
    if (property == prop::kComponents) {
        menu_->ComponentsChanged();
        // Popups destroyed meanwhile took their subscriptions with them.
        std::erase_if(popups_, [this](const auto& p) { return !StillOwned(form_, p.first); });
        WatchPopups();
    }
}

void FormView::ApplyGeometry() {
    QWidget* client = Client();
    FormWindow* window = window_.data();
    if (!client || !window) return;
    // The client area is as large as the form was designed, and never cuts a control off. A form given no
    // size at all gets a small window rather than none.
    int width = form_.Width(), height = form_.Height();
    if (width <= 0 && height <= 0) {
        width = 320;
        height = 240;
    }
    for (Control* child : form_.Children()) {
        if (!child->Visible()) continue;
        width = std::max(width, child->Left() + child->Width());
        height = std::max(height, child->Top() + child->Height());
    }
    if (mdiArea_) {
        // The host window: its own controls on top, the module windows below.
        int bottom = 0;
        for (Control* child : form_.Children())
            if (child->Visible()) bottom = std::max(bottom, child->Top() + child->Height());
        client->setFixedHeight(bottom);
        client->setVisible(bottom > 0);
        window->resize(std::max(form_.Width(), 320), std::max(form_.Height(), 240));
        if (!shown_) window->move(form_.Left(), form_.Top());
        return;
    }
    client->setMinimumSize(width, height);
    QMenuBar* bar = window->menuBar();
    const int menuHeight = bar->isVisible() ? bar->sizeHint().height() : 0;
    if (QMdiSubWindow* sub = subWindow_.data()) {
        sub->resize(sub->sizeHint().expandedTo(QSize(width, height + menuHeight)));
        if (!shown_) sub->move(std::max(form_.Left(), 0), std::max(form_.Top(), 0));
    } else {
        window->resize(width, height + menuHeight);
        if (!shown_) window->move(form_.Left(), form_.Top());
    }
}

void FormView::ApplyWindowState() {
    QWidget* frame = Frame();
    if (!frame || !form_.Visible()) return;
    switch (form_.GetWindowState()) {
    case WindowState::Minimized:
        frame->showMinimized();
        break;
    case WindowState::Maximized:
        frame->showMaximized();
        break;
    case WindowState::Normal:
        if (frame->isMinimized() || frame->isMaximized()) frame->showNormal();
        break;
    }
}

void FormView::ApplyVisibility() {
    QWidget* frame = Frame();
    if (!frame) return;
    if (!form_.Visible()) {
        frame->hide();
        return;
    }
    if (!frame->isVisible()) {
        if (FormWindow* window = window_.data(); window && form_.IsModal())
            window->setWindowModality(Qt::ApplicationModal);
        shown_ = true;
        ApplyWindowState();
        if (!frame->isVisible()) frame->show();
        if (QGuiApplication::platformName() != QLatin1String("offscreen")) frame->raise();
        frame->activateWindow();
        RestoreFocus();
    }
}

void FormView::FocusChanged(Control* to) {
    ControlView* view = to ? ViewOf(*to) : nullptr;
    QWidget* target = view ? view->FocusWidget() : Client();
    if (target && QApplication::focusWidget() != target) target->setFocus(Qt::OtherFocusReason);
    if (view) view->Refresh();
}

void FormView::RestoreFocus() {
    FocusChanged(form_.ActiveControl());
}

void FormView::RefreshFocused() {
    if (Control* active = form_.ActiveControl())
        if (ControlView* view = ViewOf(*active)) view->Refresh();
}

QPixmap FormView::Grab() {
    QWidget* frame = Frame();
    if (!frame) return {};
    frame->ensurePolished();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    if (FormWindow* window = window_.data())
        if (auto* layout = window->layout()) layout->activate();
    return frame->grab();
}

void FormView::Map(QWidget* widget, ControlView* view) {
    widgets_[widget] = view;
}

void FormView::Unmap(QWidget* widget) {
    widgets_.erase(widget);
}

void FormView::MapControl(const Control& control, ControlView* view) {
    controls_[&control] = view;
}

void FormView::UnmapControl(const Control& control, const ControlView* view) {
    auto it = controls_.find(&control);
    if (it != controls_.end() && it->second == view) controls_.erase(it);
}

ControlView* FormView::ViewOf(const Control& control) const {
    auto it = controls_.find(&control);
    return it == controls_.end() ? nullptr : it->second;
}

ControlView* FormView::ViewAt(QWidget* widget) const {
    for (QWidget* w = widget; w; w = w->parentWidget()) {
        auto it = widgets_.find(w);
        if (it != widgets_.end()) return it->second;
        if (w == window_) break;
    }
    return nullptr;
}

void FormView::RunEvent(const std::function<void()>& action) {
    renderer_.RunEvent(action);
}

void FormView::CloseRequested() {
    Form& form = form_;
    renderer_.RunEvent([&form] { form.Close(); });
}

void FormView::Activated() {
    Form& form = form_;
    if (form.App().ActiveForm() == &form || !form.Visible()) return;
    renderer_.RunEvent([&form] {
        if (form.Visible()) form.Show();
    });
}

void FormView::Unsubscribe() {
    for (auto& [popup, id] : popups_)
        if (StillOwned(form_, popup)) popup->Unsubscribe(id);
    popups_.clear();
    menu_->Unsubscribe();
    if (root_) root_->Unsubscribe();
}

} // namespace dfe::qtui
