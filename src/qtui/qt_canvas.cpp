#include "qtui/qt_canvas.h"

#include "qtui/qt_palette.h"

#include "platform/core/text.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

namespace dfe::qtui {
namespace {

QRect ToQRect(const Rect& rect) {
    return QRect(rect.left, rect.top, rect.Width(), rect.Height());
}

} // namespace

void QtCanvas::ApplyFont() {
    QFont font = painter_.font();
    font.setBold(fontBold);
    painter_.setFont(font);
}

void QtCanvas::FillRect(const Rect& rect) {
    painter_.fillRect(ToQRect(rect), ToQColor(brushColor));
}

void QtCanvas::TextOut(int x, int y, const std::string& text) {
    ApplyFont();
    painter_.setPen(ToQColor(fontColor));
    painter_.drawText(QPoint(x, y + painter_.fontMetrics().ascent()), QString::fromStdString(text));
}

int QtCanvas::TextWidth(const std::string& text) const {
    QFont font = painter_.font();
    font.setBold(fontBold);
    return QFontMetrics(font).horizontalAdvance(QString::fromStdString(text));
}

void QtCanvas::DrawImage(int x, int y, const std::string& image, Color) {
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing);
    const QRect box(x, y, 12, 12);
    if (text::Lower(image).find("check") != std::string::npos) {
        QPainterPath mark;
        mark.moveTo(box.left() + 2, box.center().y());
        mark.lineTo(box.left() + 5, box.bottom() - 2);
        mark.lineTo(box.right() - 1, box.top() + 2);
        painter_.setPen(QPen(QColor(0, 128, 0), 2));
        painter_.drawPath(mark);
    } else {
        painter_.setPen(ToQColor(fontColor));
        painter_.drawRect(box.adjusted(1, 1, -1, -1));
    }
    painter_.restore();
}

void QtCanvas::DrawFocusRect(const Rect& rect) {
    painter_.save();
    painter_.setPen(QPen(ToQColor(fontColor), 1, Qt::DotLine));
    painter_.drawRect(ToQRect(rect).adjusted(0, 0, -1, -1));
    painter_.restore();
}

} // namespace dfe::qtui
