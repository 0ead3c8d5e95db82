#include "frame/pane_splitter.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>

CPaneSplitter::CPaneSplitter(QWidget* parent) : QWidget(parent) {
    setCursor(Qt::SplitHCursor);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
}

int CPaneSplitter::HandleWidth(const QWidget* widget) {
    return std::max(1, widget->style()->pixelMetric(QStyle::PM_SplitterWidth, nullptr, widget));
}

void CPaneSplitter::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    QStyleOption option;
    option.initFrom(this);
    option.state |= QStyle::State_Horizontal;
    if (grab_ >= 0) {
        option.state |= QStyle::State_Sunken;
    }
    style()->drawControl(QStyle::CE_Splitter, &option, &painter, this);
}

void CPaneSplitter::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    grab_ = event->position().toPoint().x();
    update();
}

void CPaneSplitter::mouseMoveEvent(QMouseEvent* event) {
    if (grab_ < 0) {
        return;
    }
    emit dragged(mapToParent(event->position().toPoint()).x() - grab_);
}

void CPaneSplitter::mouseReleaseEvent(QMouseEvent* event) {
    if (grab_ < 0 || event->button() != Qt::LeftButton) {
        return;
    }
    grab_ = -1;
    update();
    emit released();
}
