#pragma once

#include "qtui/control_view.h"
#include "qtui/form_view.h"
#include "qtui/qt_renderer.h"

#include "platform/ui/controls.h"
#include "platform/ui/scripted_dialogs.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include <gtest/gtest.h>

namespace dfe::qtui {

// Qt allows one application per process: the first test creates it and it lives until the end.
QApplication& TestQtApp();

// A toolkit application with the Qt renderer over it and scripted dialogs.
class QtTest : public ::testing::Test {
protected:
    QtTest();

    // The widget that shows a control (its form is rendered when needed).
    QWidget* WidgetOf(Control& control);
    FormView& ViewOfForm(Form& form) { return renderer.ViewOf(form); }
    // The widget Qt delivers keys to in the form's window.
    QWidget* QtFocus(Form& form);

    // The clerk's input, as Qt delivers it.
    void Key(QWidget* target, int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
             const QString& text = {});
    void Type(QWidget* target, const QString& text);
    void Press(QWidget* target, QPoint at = {4, 4});
    void Click(QWidget* target, QPoint at = {4, 4});
    void ProcessEvents();

    QApplication& qt = TestQtApp();
    Application app;
    ScriptedDialogs dialogs;
    QtRenderer renderer{app};
};

} // namespace dfe::qtui
