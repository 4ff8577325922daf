#pragma once
#include <QTreeView>
#include <optional>

#include "tree/DropRules.h"

namespace quillmap {

class Node;
class TreeModel;

// The tree view of the main window: 16 x 22 pictures in 22-pixel rows, 19 pixels of indentation
// per level, no expand button at the top level, in-place caption editing, no sorting, and the
// selection still highlighted while another control has the focus. Pressing the left button on
// an item selects it and moving the mouse drags it; drags exist only inside this view.
class Tree2View : public QTreeView {
    Q_OBJECT
public:
    explicit Tree2View(QWidget* parent = nullptr);

    static constexpr int RowHeight = 22;

    // The view always shows a TreeModel.
    TreeModel& treeModel() const;
    // The selected item, or null.
    Node* selectedNode() const;
    // Makes node the selected item, expanding its collapsed ancestors so that it can be seen.
    void selectNode(Node* node);
    // Opens again the folders of node's subtree that were open when it left the view (an open
    // folder keeps its open picture), and the root whenever it holds items.
    void expandOpenFolders(Node* node);
    // When the selected item is deleted the view moves the current item to a neighbour or the
    // parent; that item becomes the selected one.
    void selectCurrentRow();

signals:
    // After the view has handled the press (the clicked item is already selected).
    void mouseDown(Qt::MouseButton button, QPoint position);
    // After the view has handled the release.
    void mouseUp(Qt::MouseButton button, QPoint position);
    // An item of this view was dropped at position (viewport coordinates), on the row there or
    // on its edge, as the drop indicator showed. Sent once the drag has ended; the view itself
    // moves nothing.
    void dropped(QPoint position, quillmap::DropSpot spot);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    // Below the root: dotted lines joining every item to its folder and a plus or minus box on
    // folders that hold items; the top level has neither.
    void drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void keepSelectionVisible();
    // Only a drag that started in this very view, carrying its items.
    bool isOwnDrag(const QDropEvent* event) const;

    std::optional<std::pair<QPoint, DropSpot>> drop_;
};

}  // namespace quillmap
