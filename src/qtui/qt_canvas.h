#pragma once

#include "platform/ui/canvas.h"

class QPainter;

namespace dfe::qtui {

// The toolkit's canvas over a Qt painter: owner-drawn grid cells paint through it on the screen.
class QtCanvas : public Canvas {
public:
    explicit QtCanvas(QPainter& painter) : painter_(painter) {}
    void FillRect(const Rect& rect) override;
    void TextOut(int x, int y, const std::string& text) override;
    int TextWidth(const std::string& text) const override;
    // Pictures are named by the form ("imgCheck"): a check mark for check pictures, a small box otherwise.
    void DrawImage(int x, int y, const std::string& image, Color transparent) override;
    void DrawFocusRect(const Rect& rect) override;

private:
    void ApplyFont();
    QPainter& painter_;
};

} // namespace dfe::qtui
