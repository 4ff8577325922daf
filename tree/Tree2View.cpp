#include "tree/Tree2View.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QPainter>
#include <utility>
#include <QStyledItemDelegate>

#include "tree/ImageList1.h"
#include "tree/ItemTree.h"
#include "tree/TreeModel.h"

namespace quillmap {

TreeModel& Tree2View::treeModel() const { return *static_cast<TreeModel*>(model()); }

Node* Tree2View::selectedNode() const { return treeModel().nodeOf(currentIndex()); }

void Tree2View::selectNode(Node* node)
{
    std::vector<Node*> ancestors;
    for (Node* p = node->parent(); p; p = p->parent()) ancestors.push_back(p);
    for (auto it = ancestors.rbegin(); it != ancestors.rend(); ++it) expand(treeModel().indexOf(*it));
    const QModelIndex index = treeModel().indexOf(node);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
}

void Tree2View::expandOpenFolders(Node* node)
{
    for (Node* item : ItemTree::subtree(node)) {
        if (item->isDocument() || item->childCount() == 0) continue;
        if (item->imageIndex == OpenFolderImage || !item->parent()) expand(treeModel().indexOf(item));
    }
}

void Tree2View::selectCurrentRow()
{
    const QModelIndex current = currentIndex();
    if (current.isValid() && !selectionModel()->isSelected(current))
        selectionModel()->select(current, QItemSelectionModel::ClearAndSelect);
}

namespace {

// Draws a selected item with its selected picture and gives every row the pictures' height.
class Tree2Delegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // The current item of a focused tree wears a dotted ring, whatever the style draws.
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        if (!(option.state & QStyle::State_HasFocus) || !option.widget || !option.widget->hasFocus()) return;
        painter->save();
        const bool selected = option.state & QStyle::State_Selected;
        painter->setPen(QPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text), 0, Qt::DotLine));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
        painter->restore();
    }

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
        // A cut item waiting to be pasted is greyed out, picture and caption, as in a file manager.
        if (index.data(TreeModel::CutRole).toBool()) {
            const qreal ratio = option->widget ? option->widget->devicePixelRatioF() : 1.0;
            const QPixmap faded = option->icon.pixmap(option->decorationSize, ratio, QIcon::Disabled);
            option->icon = QIcon();
            for (QIcon::Mode mode : {QIcon::Normal, QIcon::Selected, QIcon::Active}) option->icon.addPixmap(faded, mode);
            for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
                option->palette.setColor(group, QPalette::Text, option->palette.color(QPalette::Disabled, QPalette::Text));
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
    setDragEnabled(true);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDropIndicatorShown(true);
    // A drop lands on the item under the pointer, or between two rows on the edge of one; the
    // indicator shows which.
    setDragDropOverwriteMode(false);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
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

void Tree2View::drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const
{
    int depth = 0;
    for (QModelIndex up = index.parent(); up.isValid(); up = up.parent()) ++depth;
    if (depth == 0) return;
    const int indent = indentation();
    const int itemLeft = rect.right() + 1;
    const int middleY = rect.top() + rect.height() / 2;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setPen(QPen(palette().color(QPalette::Dark), 0, Qt::DotLine));
    QModelIndex node = index;
    for (int level = depth; level >= 1; --level, node = node.parent()) {
        const int x = itemLeft - (depth - level + 1) * indent + indent / 2;
        const bool more = node.sibling(node.row() + 1, 0).isValid();
        if (level == depth) {
            painter->drawLine(x, rect.top(), x, more ? rect.bottom() : middleY);
            painter->drawLine(x, middleY, itemLeft - 2, middleY);
        } else if (more) {
            painter->drawLine(x, rect.top(), x, rect.bottom());
        }
    }
    if (model()->hasChildren(index)) {
        const QRect box(itemLeft - indent + indent / 2 - 4, middleY - 4, 8, 8);
        painter->setPen(QPen(palette().color(QPalette::Dark), 0));
        painter->setBrush(palette().color(QPalette::Base));
        painter->drawRect(box);
        painter->setPen(QPen(palette().color(QPalette::Text), 0));
        painter->drawLine(box.left() + 2, middleY, box.right() - 2, middleY);
        if (!isExpanded(index)) painter->drawLine(box.center().x(), box.top() + 2, box.center().x(), box.bottom() - 2);
    }
    painter->restore();
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

namespace quillmap {

bool Tree2View::isOwnDrag(const QDropEvent* event) const
{
    return event->source() == this && event->mimeData() && event->mimeData()->hasFormat(TreeModel::DragFormat);
}

// Only the selected item is dragged, and nothing happens to it when the drag ends: the drop
// handler has done the move, if any.
void Tree2View::startDrag(Qt::DropActions)
{
    const QModelIndex dragged = currentIndex();
    if (!dragged.isValid() || !model()) return;
    QMimeData* data = model()->mimeData({dragged});
    if (!data) return;
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    drag->setPixmap(dragged.data(Qt::DecorationRole).value<QIcon>().pixmap(iconSize()));
    drop_.reset();
    drag->exec(Qt::MoveAction, Qt::MoveAction);
    if (const auto at = std::exchange(drop_, std::nullopt)) emit dropped(at->first, at->second);
}

void Tree2View::dragEnterEvent(QDragEnterEvent* event)
{
    if (!isOwnDrag(event)) {
        event->ignore();
        return;
    }
    QTreeView::dragEnterEvent(event);
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

// Every point of the view accepts the drag; the item under the pointer is highlighted when a
// drop there can move something.
void Tree2View::dragMoveEvent(QDragMoveEvent* event)
{
    if (!isOwnDrag(event)) {
        event->ignore();
        return;
    }
    QTreeView::dragMoveEvent(event);
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

void Tree2View::dropEvent(QDropEvent* event)
{
    if (!isOwnDrag(event)) {
        event->ignore();
        return;
    }
    DropSpot spot = DropSpot::On;
    if (dropIndicatorPosition() == AboveItem) spot = DropSpot::Above;
    if (dropIndicatorPosition() == BelowItem) spot = DropSpot::Below;
    stopAutoScroll();
    setState(NoState);
    viewport()->update();
    event->setDropAction(Qt::MoveAction);
    event->accept();
    drop_ = std::pair{event->position().toPoint(), spot};
}

}  // namespace quillmap

namespace quillmap {

// A view that gets the focus with no current item makes its first item current. Focus coming
// back from a menu or another window must not: a right-click on empty space has just cleared
// the selection, and the menu's entries act on no item.
void Tree2View::focusInEvent(QFocusEvent* event)
{
    const bool comesBack = event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason;
    if (!comesBack || currentIndex().isValid() || !selectionModel()) {
        QTreeView::focusInEvent(event);
        return;
    }
    const QSignalBlocker quiet(selectionModel());
    QTreeView::focusInEvent(event);
    selectionModel()->clearCurrentIndex();
}

}  // namespace quillmap
