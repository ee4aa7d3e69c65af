#include "qtui/input_router.h"

#include "qtui/control_view.h"
#include "qtui/form_view.h"
#include "qtui/menu_view.h"
#include "qtui/qt_keys.h"
#include "qtui/qt_renderer.h"

#include "platform/ui/container.h"
#include "platform/ui/menu.h"

#include <QContextMenuEvent>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

namespace dfe::qtui {
namespace {

PopupMenu* PopupFor(const Control& control) {
    for (const Control* c = &control; c; c = c->Parent())
        if (PopupMenu* menu = c->GetPopupMenu()) return menu;
    return nullptr;
}

} // namespace

InputRouter::InputRouter(QtRenderer& renderer) : renderer_(renderer) {}

bool InputRouter::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride &&
        type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
        type != QEvent::ContextMenu)
        return false;
    if (!watched->isWidgetType()) return false;
    auto* widget = static_cast<QWidget*>(watched);
    FormView* form = renderer_.ViewForWidget(widget);
    if (!form) return false;

    switch (type) {
    case QEvent::ShortcutOverride:
    case QEvent::KeyRelease:
        // Shortcuts and accelerators belong to the toolkit: Qt must not run them on its own.
        event->accept();
        return true;
    case QEvent::KeyPress: {
        auto* keyEvent = static_cast<QKeyEvent*>(event);
        event->accept();
        auto press = FromQtKey(keyEvent->key(), keyEvent->modifiers(), keyEvent->text());
        if (!press) return true;
        Form& model = form->Model();
        Application& app = renderer_.App();
        renderer_.RunEvent([&] {
            if (app.ActiveForm() != &model && model.Visible()) model.Show();
            app.NativeKey(press->key, press->shift, press->typed);
        });
        return true;
    }
    case QEvent::MouseButtonPress: {
        ControlView* view = form->ViewAt(widget);
        if (!view) return false;
        return view->MousePress(widget, *static_cast<QMouseEvent*>(event));
    }
    case QEvent::MouseButtonDblClick: {
        ControlView* view = form->ViewAt(widget);
        if (!view || !view->Model().OnDblClick) return false;
        Control& control = view->Model();
        Application& app = renderer_.App();
        renderer_.RunEvent([&] { app.DoubleClick(control); });
        return true;
    }
    case QEvent::ContextMenu: {
        // Only the control's popup menu, never the widget's own (which could paste behind the toolkit).
        ControlView* view = form->ViewAt(widget);
        PopupMenu* menu = view ? PopupFor(view->Model()) : nullptr;
        if (menu) {
            const QPoint at = static_cast<QContextMenuEvent*>(event)->globalPos();
            renderer_.RunEvent([&] { menu->Popup(at.x(), at.y()); });
            if (StillOwned(form->Model(), menu)) ShowPopupMenu(*form, *menu, at);
        }
        return true;
    }
    default:
        return false;
    }
}

} // namespace dfe::qtui
