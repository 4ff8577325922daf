#include "tree/Tree2View.h"

#include <QMouseEvent>
#include <QStyledItemDelegate>

#include "tree/ImageList1.h"
#include "tree/TreeModel.h"

namespace quillmap {

namespace {

// Draws a selected item with its selected picture and gives every row the pictures' height.
class Tree2Delegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), Tree2View::RowHeight};
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (option->state & QStyle::State_Selected) {
            const QVariant selected = index.data(TreeModel::SelectedDecorationRole);
            if (selected.canConvert<QIcon>()) option->icon = selected.value<QIcon>();
        }
    }
};

}  // namespace

Tree2View::Tree2View(QWidget* parent) : QTreeView(parent)
{
    setItemDelegate(new Tree2Delegate(this));
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setIndentation(19);
    setIconSize(ImageList1::size());
    setUniformRowHeights(true);
    setSortingEnabled(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    setExpandsOnDoubleClick(true);
    setAutoScroll(true);
    keepSelectionVisible();
}

void Tree2View::keepSelectionVisible()
{
    QPalette p = palette();
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        if (p.color(QPalette::Inactive, role) != p.color(QPalette::Active, role))
            p.setColor(QPalette::Inactive, role, p.color(QPalette::Active, role));
    if (p != palette()) setPalette(p);
}

void Tree2View::changeEvent(QEvent* event)
{
    QTreeView::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange) keepSelectionVisible();
}

void Tree2View::mousePressEvent(QMouseEvent* event)
{
    QTreeView::mousePressEvent(event);
    emit mouseDown(event->button(), event->position().toPoint());
}

void Tree2View::mouseReleaseEvent(QMouseEvent* event)
{
    QTreeView::mouseReleaseEvent(event);
    emit mouseUp(event->button(), event->position().toPoint());
}

}  // namespace quillmap
