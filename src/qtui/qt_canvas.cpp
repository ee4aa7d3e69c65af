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

// The form's pictures, drawn rather than loaded: a box checked or empty, a mark of error or of no error, and
// a plain box for any other name.
void QtCanvas::DrawImage(int x, int y, const std::string& image, Color) {
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing);
    const QRect box(x, y, 12, 12);
    const std::string name = text::Lower(image);
    const auto checkMark = [&](const QColor& colour) {
        QPainterPath mark;
        mark.moveTo(box.left() + 3, box.center().y());
        mark.lineTo(box.left() + 5, box.bottom() - 3);
        mark.lineTo(box.right() - 2, box.top() + 3);
        painter_.setPen(QPen(colour, 2));
        painter_.drawPath(mark);
    };
    if (name == "imgcomerro") {
        painter_.setPen(Qt::NoPen);
        painter_.setBrush(QColor(200, 0, 0));
        painter_.drawEllipse(box.adjusted(0, 0, -1, -1));
        painter_.setPen(QPen(Qt::white, 2));
        painter_.drawLine(box.left() + 4, box.top() + 4, box.right() - 4, box.bottom() - 4);
        painter_.drawLine(box.right() - 4, box.top() + 4, box.left() + 4, box.bottom() - 4);
    } else if (name == "imgsemerro") {
        painter_.setPen(Qt::NoPen);
        painter_.setBrush(QColor(0, 140, 0));
        painter_.drawEllipse(box.adjusted(0, 0, -1, -1));
        checkMark(Qt::white);
    } else {
        painter_.setPen(ToQColor(Color::clWindowText));
        painter_.setBrush(Qt::white);
        painter_.drawRect(box.adjusted(0, 0, -1, -1));
        if (name == "imgcheck") checkMark(QColor(0, 128, 0));
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
