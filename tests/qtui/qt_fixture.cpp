#include "qt_fixture.h"

#include "qtui/qt_application.h"

#include <QWindow>

namespace dfe::qtui {

QApplication& TestQtApp() {
    static int argc = 1;
    static char name[] = "test_qtui";
    static char* argv[] = {name, nullptr};
    // Never destroyed: widgets of the last test may still be queued for deletion at exit.
    static QApplication* app = CreateQtApplication(argc, argv).release();
    return *app;
}

QtTest::QtTest() {
    app.SetDialogs(&dialogs);
}

QWidget* QtTest::WidgetOf(Control& control) {
    Form* form = control.ParentForm();
    if (!form) return nullptr;
    ControlView* view = renderer.ViewOf(*form).ViewOf(control);
    return view ? view->Widget() : nullptr;
}

QWidget* QtTest::QtFocus(Form& form) {
    QWidget* window = renderer.ViewOf(form).Window();
    return window ? window->focusWidget() : nullptr;
}

void QtTest::Key(QWidget* target, int qtKey, Qt::KeyboardModifiers modifiers, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, qtKey, modifiers, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, qtKey, modifiers, text);
    QApplication::sendEvent(target, &release);
}

void QtTest::Type(QWidget* target, const QString& text) {
    for (QChar ch : text) {
        int qtKey = ch.toUpper().unicode();
        if (ch.isLetter() && ch.unicode() > 127) qtKey = Qt::Key_unknown; // accented letters: text only
        Key(target, qtKey, ch.isUpper() ? Qt::ShiftModifier : Qt::NoModifier, QString(ch));
    }
}

void QtTest::Press(QWidget* target, QPoint at) {
    QMouseEvent press(QEvent::MouseButtonPress, at, target->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &press);
}

void QtTest::Click(QWidget* target, QPoint at) {
    Press(target, at);
    QMouseEvent release(QEvent::MouseButtonRelease, at, target->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(target, &release);
}

void QtTest::ProcessEvents() {
    QApplication::processEvents();
}

} // namespace dfe::qtui
