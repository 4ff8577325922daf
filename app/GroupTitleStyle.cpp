#include "app/GroupTitleStyle.h"

#include <QApplication>
#include <QPainter>
#include <QStyleOptionGroupBox>
#include <qdrawutil.h>

namespace quillmap {

GroupTitleStyle::GroupTitleStyle() : QProxyStyle(QApplication::style()->name()) {}

QRect GroupTitleStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                                      const QWidget* widget) const
{
    const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
    if (control != CC_GroupBox || !box) return QProxyStyle::subControlRect(control, option, part, widget);
    const int textHeight = box->text.isEmpty() ? 0 : box->fontMetrics.height();
    const QRect title(box->rect.left() + 8, box->rect.top(), box->fontMetrics.horizontalAdvance(box->text), textHeight);
    const QRect frame = box->rect.adjusted(0, textHeight / 2, 0, 0);
    switch (part) {
    case SC_GroupBoxLabel:
        return title;
    case SC_GroupBoxFrame:
        return frame;
    case SC_GroupBoxContents:
        return box->rect.adjusted(2, textHeight + 1, -2, -2);
    default:
        return QProxyStyle::subControlRect(control, option, part, widget);
    }
}

void GroupTitleStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                                         const QWidget* widget) const
{
    const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
    if (control != CC_GroupBox || !box) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    const QRect title = subControlRect(control, option, SC_GroupBoxLabel, widget);
    // An etched line of the palette's own shades; styles that draw their group frame themselves
    // would put it below the title again.
    painter->save();
    painter->setClipRegion(QRegion(box->rect).subtracted(title.adjusted(-2, 0, 2, 0)));
    qDrawShadeRect(painter, subControlRect(control, option, SC_GroupBoxFrame, widget), box->palette, true, 1);
    painter->restore();
    drawItemText(painter, title, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, box->palette,
                 box->state & State_Enabled, box->text, QPalette::WindowText);
}

}  // namespace quillmap
