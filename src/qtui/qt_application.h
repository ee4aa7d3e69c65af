#pragma once

#include <QApplication>

#include <memory>

namespace dfe::qtui {

// True when no display is reachable (no X11 or Wayland display named) and no platform was chosen: the front
// end then draws offscreen.
bool NeedsOffscreen();

// The process's QApplication with the look every form was designed for: the Fusion style, a sans-serif
// font of 9 points, the classic face colours. Chooses the offscreen platform when there is no display.
std::unique_ptr<QApplication> CreateQtApplication(int& argc, char** argv);

} // namespace dfe::qtui
