#include "filled_shape.h"

#include <QPainter>

namespace gui {

FilledShape::FilledShape(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void FilledShape::setFill(const QColor& fill)
{
    fill_ = fill;
    update();
}

void FilledShape::setBorder(const QColor& border)
{
    border_ = border;
    update();
}

void FilledShape::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), fill_);
    if (border_.isValid()) {
        painter.setPen(border_);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

PictureBox::PictureBox(QWidget* parent)
    : QWidget(parent)
{
}

void PictureBox::setPicture(const QImage& picture)
{
    picture_ = picture;
    update();
}

void PictureBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), picture_);
}

} // namespace gui
