#pragma once
#include <QTreeView>

namespace quillmap {

// The tree view of the main window: 16 x 22 pictures in 22-pixel rows, 19 pixels of indentation
// per level, no expand button at the top level, in-place caption editing, no sorting, and the
// selection still highlighted while another control has the focus.
class Tree2View : public QTreeView {
    Q_OBJECT
public:
    explicit Tree2View(QWidget* parent = nullptr);

    static constexpr int RowHeight = 22;

signals:
    // After the view has handled the press (the clicked item is already selected).
    void mouseDown(Qt::MouseButton button, QPoint position);
    // After the view has handled the release.
    void mouseUp(Qt::MouseButton button, QPoint position);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void keepSelectionVisible();
};

}  // namespace quillmap
