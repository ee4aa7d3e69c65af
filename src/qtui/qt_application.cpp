#include "qtui/qt_application.h"

#include "qtui/qt_palette.h"

#include <QFont>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

#include <cstdlib>

namespace dfe::qtui {
namespace {

bool Set(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

} // namespace

bool NeedsOffscreen() {
    return !Set("QT_QPA_PLATFORM") && !Set("DISPLAY") && !Set("WAYLAND_DISPLAY");
}

std::unique_ptr<QApplication> CreateQtApplication(int& argc, char** argv) {
    if (NeedsOffscreen()) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    auto app = std::make_unique<QApplication>(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(9);
    QApplication::setFont(font);
    QPalette palette = QApplication::style()->standardPalette();
    palette.setColor(QPalette::Window, ToQColor(Color::clBtnFace));
    palette.setColor(QPalette::Button, ToQColor(Color::clBtnFace));
    palette.setColor(QPalette::Base, ToQColor(Color::clWindow));
    palette.setColor(QPalette::Highlight, ToQColor(Color::clHighlight));
    palette.setColor(QPalette::HighlightedText, ToQColor(Color::clHighlightText));
    palette.setColor(QPalette::ToolTipBase, ToQColor(Color::clInfoBk));
    QApplication::setPalette(palette);
    return app;
}

} // namespace dfe::qtui
