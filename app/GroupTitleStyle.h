#pragma once
#include <QProxyStyle>

namespace quillmap {

// Draws a group box the way the window's positions are laid out for: the frame line runs
// through the middle of the title, which interrupts it, so that the first row of controls sits
// below the line and never crosses it, whatever the application's style. Everything else is the
// application's style.
class GroupTitleStyle : public QProxyStyle {
public:
    GroupTitleStyle();

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                         const QWidget* widget) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget) const override;
};

}  // namespace quillmap
