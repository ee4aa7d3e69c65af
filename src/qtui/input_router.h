#pragma once

#include <QObject>

namespace dfe::qtui {

class QtRenderer;

// Watches every Qt event of the process and takes the clerk's input on form windows away from the widgets:
// keys go through the toolkit's keyboard hook and dispatch, mouse presses move the toolkit's focus first
// (a veto swallows them), context menus show the control's popup menu. Other windows (Qt's own dialogs,
// menus) are left alone.
class InputRouter : public QObject {
public:
    explicit InputRouter(QtRenderer& renderer);
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QtRenderer& renderer_;
};

} // namespace dfe::qtui
