#include "styles/ColorSwatch.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace quillmap {

ColorSwatch::ColorSwatch(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setFocusPolicy(Qt::StrongFocus);
}

void ColorSwatch::setColor(const QColor& color)
{
    color_ = color;
    setAccessibleDescription(color.name().toUpper());
    update();
}

void ColorSwatch::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(contentsRect(), color_);
    if (hasFocus()) {
        // Black dots on white: seen on every colour the swatch can hold.
        const QRect ring = contentsRect().adjusted(1, 1, -2, -2);
        painter.setPen(QPen(Qt::white, 1));
        painter.drawRect(ring);
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.drawRect(ring);
    }
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

namespace quillmap {

void ColorSwatch::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const bool press = key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
    if (!press || event->isAutoRepeat() || (event->modifiers() & ~Qt::KeypadModifier)) {
        QFrame::keyPressEvent(event);
        return;
    }
    event->accept();
    emit clicked();
}

}  // namespace quillmap
