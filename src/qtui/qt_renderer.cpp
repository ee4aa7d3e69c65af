#include "qtui/qt_renderer.h"

#include "qtui/form_view.h"
#include "qtui/input_router.h"

#include "platform/ui/property_names.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QThread>

#include <iostream>

namespace dfe::qtui {

struct QtRenderer::ModalSession {
    const Form* form = nullptr;
    QEventLoop loop;
    bool formGone = false;
};

QtRenderer::QtRenderer(Application& app) : app_(app), router_(std::make_unique<InputRouter>(*this)) {
    formSubscription_ = app_.SubscribeForms([this](Form& form, bool joined) {
        if (joined)
            FormJoined(form);
        else
            FormLeft(form);
    });
    focusSubscription_ = app_.SubscribeFocus([this](Form& form, Control*, Control* to) {
        if (FormView* view = FindView(form)) view->FocusChanged(to);
    });
    for (Form* form : app_.Forms()) {
        FormJoined(*form);
        if (form->Visible()) ViewOf(*form);
    }
    qApp->installEventFilter(router_.get());
    previousRenderer_ = app_.GetRenderer();
    app_.SetRenderer(this);
}

QtRenderer::~QtRenderer() {
    qApp->removeEventFilter(router_.get());
    if (app_.GetRenderer() == this) app_.SetRenderer(previousRenderer_);
    app_.UnsubscribeForms(formSubscription_);
    app_.UnsubscribeFocus(focusSubscription_);
    for (auto& [form, id] : visibilityWatch_)
        const_cast<Form*>(form)->Unsubscribe(id);
    // Child windows first: they live inside the host window.
    for (auto& [form, view] : views_) {
        view->Unsubscribe();
        view->DeleteWidgetsNow();
    }
    for (auto it = views_.begin(); it != views_.end();)
        it = it->second->MdiArea() ? std::next(it) : views_.erase(it);
    views_.clear();
}

void QtRenderer::FormJoined(Form& form) {
    // Forms join while they are being constructed: their window is built when they are first shown.
    const int id = form.Subscribe([this](Component& component, std::string_view property) {
        auto& f = static_cast<Form&>(component);
        if (property == prop::kVisible && f.Visible() && !FindView(f)) ViewOf(f);
        if (property == prop::kModalResult) WakeModal(f);
    });
    visibilityWatch_[&form] = id;
}

void QtRenderer::FormLeft(Form& form) {
    // The form is being destroyed: its view goes without touching it.
    visibilityWatch_.erase(&form);
    views_.erase(&form);
    for (ModalSession* session : modals_)
        if (session->form == &form) {
            session->formGone = true;
            session->loop.quit();
        }
}

FormView& QtRenderer::ViewOf(Form& form) {
    if (FormView* view = FindView(form)) return *view;
    // Child forms need the host window first.
    if (form.GetFormStyle() == FormStyle::MdiChild) HostArea();
    // Built before it is listed: showing the window sends events that look views up.
    auto view = std::make_unique<FormView>(*this, form);
    FormView& ref = *view;
    views_[&form] = std::move(view);
    ref.Sync(prop::kVisible);
    return ref;
}

FormView* QtRenderer::FindView(const Form& form) const {
    auto it = views_.find(&form);
    return it == views_.end() ? nullptr : it->second.get();
}

FormView* QtRenderer::ViewForWidget(QWidget* widget) const {
    for (QWidget* w = widget; w; w = w->parentWidget()) {
        for (const auto& [form, view] : views_)
            if (view->Window() == w) return view.get();
    }
    return nullptr;
}

QMdiArea* QtRenderer::HostArea() {
    Form* main = app_.MainForm();
    if (!main) return nullptr;
    return ViewOf(*main).MdiArea();
}

void QtRenderer::SubWindowActivated(QMdiSubWindow* sub) {
    for (const auto& [form, view] : views_)
        if (view->Frame() == sub) {
            view->Activated();
            return;
        }
}

void QtRenderer::RunEvent(const std::function<void()>& action) {
    ++eventDepth_;
    try {
        app_.Dispatch(action);
    } catch (const std::exception& error) {
        // What escapes a dispatch (a failing dialog service) must not unwind through Qt.
        std::cerr << "quilmar: " << error.what() << '\n';
    } catch (...) {
        std::cerr << "quilmar: erro desconhecido\n";
    }
    if (--eventDepth_ == 0) AfterEvent();
}

void QtRenderer::AfterEvent() {
    Form* active = app_.ActiveForm();
    if (!active) return;
    if (FormView* view = FindView(*active)) {
        view->RestoreFocus();
        view->RefreshFocused();
    }
}

int QtRenderer::RunModal(Form& form) {
    ViewOf(form).ApplyVisibility();
    ModalSession session;
    session.form = &form;
    modals_.push_back(&session);
    int result = mr::Cancel;
    for (;;) {
        if (session.formGone || quitting_) break;
        if (form.ModalFinished()) {
            result = form.ModalResult();
            break;
        }
        session.loop.exec();
    }
    std::erase(modals_, &session);
    return result;
}

void QtRenderer::WakeModal(const Form& form) {
    for (ModalSession* session : modals_)
        if (session->form == &form) session->loop.quit();
}

void QtRenderer::Quit(int code) {
    quitting_ = true;
    for (ModalSession* session : modals_)
        session->loop.quit();
    // Without a running loop there is nothing to leave, and Qt would refuse every later one.
    if (QThread::currentThread()->loopLevel() > 0) QCoreApplication::exit(code);
}

bool QtRenderer::Screenshot(Form& form, const std::string& path) {
    const QPixmap picture = ViewOf(form).Grab();
    if (picture.isNull()) return false;
    const QString file = QString::fromStdString(path);
    QDir().mkpath(QFileInfo(file).absolutePath());
    return picture.save(file, "PNG");
}

namespace {

// Grabbed windows lack the frame the window manager draws: the picture gets a title bar of its own, so that
// it shows the title (operator, branch and date on the host window).
QPixmap WithTitleBar(const QPixmap& content, const QString& title) {
    constexpr int kBar = 24;
    QPixmap framed(content.width(), content.height() + kBar);
    framed.fill(QColor(0, 84, 153));
    QPainter painter(&framed);
    QFont font = QApplication::font();
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(8, 0, content.width() - 16, kBar), Qt::AlignVCenter | Qt::AlignLeft, title);
    painter.drawPixmap(0, kBar, content);
    return framed;
}

QPixmap GrabWindow(QWidget& window) {
    return WithTitleBar(window.grab(), window.windowTitle());
}

} // namespace

QPixmap QtRenderer::GrabScreen() {
    // Pictures are taken between events too (scenarios, tests): pending layouts are done first.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QWidget* base = nullptr;
    if (Form* main = app_.MainForm()) base = ViewOf(*main).Frame();
    if (!base)
        if (Form* active = app_.ActiveForm()) base = ViewOf(*active).Frame();
    if (!base) return {};
    QPixmap screen = GrabWindow(*base);
    QPainter painter(&screen);
    // Windows over the base one (modal forms, message boxes) where they are, or centred when they are not
    // over it at all.
    const QRect area(QPoint(0, 0), screen.size());
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window == base || !window->isVisible() || window->isMinimized()) continue;
        if (window->windowType() == Qt::ToolTip || window->windowType() == Qt::Popup) continue;
        const QPixmap picture =
            window->windowFlags() & Qt::FramelessWindowHint ? window->grab() : GrabWindow(*window);
        QPoint at = window->pos() - base->pos();
        if (!area.intersects(QRect(at, picture.size()))) at = area.center() - picture.rect().center();
        painter.drawPixmap(at, picture);
    }
    return screen;
}

bool QtRenderer::ScreenshotScreen(const std::string& path) {
    const QPixmap picture = GrabScreen();
    if (picture.isNull()) return false;
    const QString file = QString::fromStdString(path);
    QDir().mkpath(QFileInfo(file).absolutePath());
    return picture.save(file, "PNG");
}

} // namespace dfe::qtui
