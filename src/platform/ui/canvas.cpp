#include "platform/ui/canvas.h"

#include "platform/core/text.h"

namespace dfe {
namespace {

std::string Describe(const Rect& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

} // namespace

void RecordingCanvas::FillRect(const Rect& rect) {
    operations_.push_back("fill " + Describe(rect) + " " + ColorName(brushColor));
}

void RecordingCanvas::TextOut(int x, int y, const std::string& text) {
    operations_.push_back("text " + std::to_string(x) + "," + std::to_string(y) + " " + ColorName(fontColor) +
                          (fontBold ? " bold" : "") + " \"" + text + "\"");
}

int RecordingCanvas::TextWidth(const std::string& text) const {
    return 7 * static_cast<int>(text::Length(text));
}

void RecordingCanvas::DrawImage(int x, int y, const std::string& image, Color transparent) {
    operations_.push_back("image " + std::to_string(x) + "," + std::to_string(y) + " " + image +
                          " transparent " + ColorName(transparent));
}

void RecordingCanvas::DrawFocusRect(const Rect& rect) {
    operations_.push_back("focus " + Describe(rect));
}

} // namespace dfe
