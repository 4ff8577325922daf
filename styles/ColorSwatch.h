#pragma once
#include <QColor>
#include <QFrame>

namespace quillmap {

// A small square filled with a colour inside a single border; a click on it is reported, and so
// is Space or Enter while it has the keyboard focus, which it shows with a ring inside its border.
class ColorSwatch : public QFrame {
    Q_OBJECT
    Q_PROPERTY(QColor color READ color WRITE setColor)
public:
    explicit ColorSwatch(QWidget* parent = nullptr);

    QColor color() const { return color_; }
    void setColor(const QColor& color);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QColor color_{Qt::white};
    bool pressed_ = false;
};

}  // namespace quillmap
