#pragma once

#include <QPointer>
#include <QString>

class QLabel;
class QWidget;

namespace dfe::qtui {

// The animation shown while the server works: a small window with a running bar and a wait cursor.
// Shows nest; the window goes when the last one is taken down.
class BusyIndicator {
public:
    BusyIndicator() = default;
    BusyIndicator(const BusyIndicator&) = delete;
    BusyIndicator& operator=(const BusyIndicator&) = delete;
    ~BusyIndicator();

    void Show(const QString& text, QWidget* over);
    void Hide();
    int Depth() const { return depth_; }
    // The indicator's window while it shows; nullptr otherwise.
    QWidget* Window() const { return window_; }

private:
    int depth_ = 0;
    QPointer<QWidget> window_;
    QLabel* label_ = nullptr;
};

} // namespace dfe::qtui
