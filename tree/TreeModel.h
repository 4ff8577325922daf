#pragma once
// Shows the core item tree in Tree2. Indexes point at the core nodes; every change of the tree's
// shape, captions or pictures goes through this model so the view always hears of it.
#include <QAbstractItemModel>
#include <QPersistentModelIndex>
#include <memory>

#include "text/TextEncoding.h"
#include "tree/DropRules.h"
#include "tree/ItemTree.h"

namespace quillmap {

class TreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    // The picture for a selected item (its selected image index).
    static constexpr int SelectedDecorationRole = Qt::UserRole + 1;
    // True for the item that is cut and waits to be pasted: the view shows it greyed.
    static constexpr int CutRole = Qt::UserRole + 2;

    explicit TreeModel(QObject* parent = nullptr);
    ~TreeModel() override;

    const ItemTree& tree() const { return *tree_; }

    // The project's texts are the bytes of the file they came from, in this encoding; saving
    // writes them back in it. New projects are UTF-8.
    TextEncoding encoding() const { return encoding_; }
    // Only for an empty tree: a new project.
    void startEncoding(TextEncoding encoding) { encoding_ = encoding; }
    // A text of the project, as the window shows it.
    QString text(const std::string& bytes) const;
    // A text the user entered, as bytes of the project's encoding. When the 8-bit code page
    // cannot hold one of its characters, the whole project turns into UTF-8 first, so nothing is
    // lost.
    std::string bytes(const QString& text);

    Node* nodeOf(const QModelIndex& index) const;
    QModelIndex indexOf(const Node* node) const;

    // Appends a new item as the last child of parent (null: last top-level item).
    Node* appendItem(Node* parent, const std::string& caption, int imageIndex, std::unique_ptr<TMyRec> record);
    // Adds a prepared item with everything below it as the last child of parent (null: a
    // top-level item), in one step.
    Node* insertSubtree(Node* parent, std::unique_ptr<Node> subtree);
    // Deletes an item with its whole subtree; the records of all of them are released with them.
    void removeItem(Node* node);
    // Takes an item with its subtree out of the tree, records included, without deleting it.
    std::unique_ptr<Node> takeItem(Node* node);
    // Puts an item taken out before, with its subtree, back as a child of parent (null: top
    // level) at row.
    Node* insertItem(Node* parent, std::size_t row, std::unique_ptr<Node> node);
    // A new caption also drops the item's link problem: the user is at work on it.
    void setCaption(Node* node, const std::string& caption);
    // Marks an item whose link the link check found broken (the reason shows as its tooltip),
    // or unmarks it with an empty problem.
    void setLinkProblem(Node* node, const std::string& problem);
    // Sets the image index and the selected image index together.
    void setImageIndex(Node* node, int imageIndex);
    // Moves an item with its subtree as the plan says; the view keeps its selection and its
    // expanded folders. A plan that puts the item back where it is changes nothing.
    Node* moveItem(const MovePlan& plan);
    // Moves an item with its subtree as the plan says, the same nodes and records, but the view
    // sees it leave and arrive as new rows: it arrives collapsed and unselected.
    Node* moveItemAsNew(const MovePlan& plan);
    // Marks node as cut (null: no item is), unmarking the one marked before. The mark follows the
    // item through moves and goes with it when it is deleted or the tree is replaced.
    void markCut(const Node* node);
    Node* cutItem() const { return nodeOf(cut_); }
    // Replaces the whole tree (an empty one when replacement is null) with texts in encoding.
    void reset(std::unique_ptr<ItemTree> replacement = nullptr, TextEncoding encoding = TextEncoding::Utf8);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& index) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // The tree's in-place editor: announces the edit with captionEdited, then stores the caption
    // without its leading blanks and TABs.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Items are dragged only inside Tree2, under a format no other program offers; what a drop
    // does is decided by the main window, never by the model.
    static const QString DragFormat;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    Qt::DropActions supportedDragActions() const override;
    Qt::DropActions supportedDropActions() const override;
    bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                         const QModelIndex& parent) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;

signals:
    // The user finished an in-place edit of node's caption with text (line breaks removed). The
    // caption is stored after the receivers have run.
    void captionEdited(quillmap::Node* node, const QString& text);

private:
    std::unique_ptr<ItemTree> tree_;
    TextEncoding encoding_ = TextEncoding::Utf8;
    QPersistentModelIndex cut_;
};

}  // namespace quillmap
