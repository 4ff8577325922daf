#include "styles/ColorSwatch.h"

#include <QMouseEvent>
#include <QPainter>

namespace quillmap {

ColorSwatch::ColorSwatch(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
}

void ColorSwatch::setColor(const QColor& color)
{
    color_ = color;
    update();
}

void ColorSwatch::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(contentsRect(), color_);
    painter.end();
    QFrame::paintEvent(event);
}

void ColorSwatch::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
    QFrame::mousePressEvent(event);
}

// Like a button: the click counts when the left button is let go over the swatch.
void ColorSwatch::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    QFrame::mouseReleaseEvent(event);
    if (click) emit clicked();
}

}  // namespace quillmap
