#include "qtui/busy_indicator.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace dfe::qtui {

BusyIndicator::~BusyIndicator() {
    if (depth_ > 0) QApplication::restoreOverrideCursor();
    delete window_;
}

void BusyIndicator::Show(const QString& text, QWidget* over) {
    if (depth_++ > 0) {
        if (label_ && !text.isEmpty()) label_->setText(text);
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (!window_) {
        window_ = new QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
        window_->setObjectName(QStringLiteral("busyIndicator"));
        window_->setAttribute(Qt::WA_ShowWithoutActivating);
        auto* layout = new QVBoxLayout(window_);
        label_ = new QLabel(window_);
        label_->setAlignment(Qt::AlignCenter);
        auto* bar = new QProgressBar(window_);
        bar->setRange(0, 0); // runs without an end
        bar->setTextVisible(false);
        layout->addWidget(label_);
        layout->addWidget(bar);
        window_->setFixedSize(260, 80);
    }
    label_->setText(text.isEmpty() ? QStringLiteral("Aguarde...") : text);
    if (over) window_->move(over->mapToGlobal(over->rect().center()) - window_->rect().center());
    window_->show();
    // The server call blocks the event loop: paint the indicator before it starts.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void BusyIndicator::Hide() {
    if (depth_ == 0) return;
    if (--depth_ > 0) return;
    QApplication::restoreOverrideCursor();
    if (window_) window_->hide();
}

} // namespace dfe::qtui
