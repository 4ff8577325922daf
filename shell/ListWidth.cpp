#include "shell/ListWidth.h"

#include <QComboBox>
#include <QStyleOptionComboBox>
#include <algorithm>

namespace quillmap {

int neededListWidth(const QComboBox* box)
{
    QStyleOptionComboBox option;
    option.initFrom(box);
    option.rect = QRect(QPoint(), box->size());
    option.editable = box->isEditable();
    const QRect field = box->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box);
    int text = 0;
    for (int i = 0; i < box->count(); ++i) text = std::max(text, box->fontMetrics().horizontalAdvance(box->itemText(i)));
    return box->width() - field.width() + text + 4;
}

}  // namespace quillmap
