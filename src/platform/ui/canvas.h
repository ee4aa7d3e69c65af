#pragma once

#include "platform/ui/color.h"

#include <string>
#include <vector>

namespace dfe {

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    Rect Inflated(int dx, int dy) const { return {left - dx, top - dy, right + dx, bottom + dy}; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// Where owner-drawn cells paint. The Qt renderer paints on the screen; tests use RecordingCanvas.
class Canvas {
public:
    virtual ~Canvas() = default;
    Color brushColor = Color::clWindow;
    Color fontColor = Color::clWindowText;
    bool fontBold = false;

    virtual void FillRect(const Rect& rect) = 0;
    virtual void TextOut(int x, int y, const std::string& text) = 0;
    virtual int TextWidth(const std::string& text) const = 0;
    // Draws a named picture of the form (imgCheck); pixels of the transparent colour are not drawn.
    virtual void DrawImage(int x, int y, const std::string& image, Color transparent) = 0;
    virtual void DrawFocusRect(const Rect& rect) = 0;
};

// A canvas that remembers what was drawn, one line per operation, for tests and headless runs.
class RecordingCanvas : public Canvas {
public:
    void FillRect(const Rect& rect) override;
    void TextOut(int x, int y, const std::string& text) override;
    // Seven pixels per character: enough to check alignment rules.
    int TextWidth(const std::string& text) const override;
    void DrawImage(int x, int y, const std::string& image, Color transparent) override;
    void DrawFocusRect(const Rect& rect) override;

    const std::vector<std::string>& Operations() const { return operations_; }
    void Clear() { operations_.clear(); }

private:
    std::vector<std::string> operations_;
};

} // namespace dfe
