#pragma once
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tree/TMyRec.h"

namespace quillmap {

enum ImageIndex : int { ClosedFolderImage = 0, OpenFolderImage = 1, DocumentImage = 2 };

// One item of the menu tree. The kind is the image index: 2 is a document, anything else a folder.
class Node {
public:
    std::string caption;
    int imageIndex = ClosedFolderImage;
    int selectedImageIndex = ClosedFolderImage;
    // Why the last link check found the item's link broken, until the item changes; empty when
    // it did not. Not part of the project.
    std::string linkProblem;

    bool isDocument() const { return imageIndex == DocumentImage; }
    Node* parent() const { return parent_; }
    // Position among the parent's children (or among the top-level items).
    std::size_t row() const { return row_; }
    int level() const;
    const std::vector<std::unique_ptr<Node>>& children() const { return children_; }
    std::size_t childCount() const { return children_.size(); }
    Node* child(std::size_t row) const { return children_[row].get(); }
    Node* nextSibling() const;

    TMyRec* record() const { return record_.get(); }
    void setRecord(std::unique_ptr<TMyRec> record) { record_ = std::move(record); }
    std::unique_ptr<TMyRec> takeRecord() { return std::move(record_); }

private:
    friend class ItemTree;
    Node* parent_ = nullptr;
    std::size_t row_ = 0;
    std::vector<std::unique_ptr<Node>> children_;
    std::unique_ptr<TMyRec> record_;
};

// The user's tree of folders and documents. Items are owned here; every walk is iterative, so
// neither a folder of 100,000 items nor a chain 100,000 levels deep can exhaust the stack.
class ItemTree {
public:
    ItemTree() = default;
    ItemTree(const ItemTree&) = delete;
    ItemTree& operator=(const ItemTree&) = delete;
    ~ItemTree();

    // Exchanges the items of two trees; nodes keep their addresses.
    void swap(ItemTree& other) noexcept
    {
        topLevel_.swap(other.topLevel_);
        std::swap(size_, other.size_);
    }

    bool empty() const { return topLevel_.empty(); }
    std::size_t size() const { return size_; }
    const std::vector<std::unique_ptr<Node>>& topLevel() const { return topLevel_; }
    // Item 0, the first top-level item; null for an empty tree.
    Node* root() const { return topLevel_.empty() ? nullptr : topLevel_.front().get(); }

    // Appends a new item as the last child of parent (null: last top-level item).
    Node* append(Node* parent, std::string caption, int imageIndex, std::unique_ptr<TMyRec> record = nullptr);

    // Deletes an item with its whole subtree; their records go with them.
    void remove(Node* node);
    void clear();

    // Takes an item with its subtree out of the tree, records included, without deleting it.
    std::unique_ptr<Node> detach(Node* node);
    // Inserts a detached item as a child of parent (null: top level) at the given row.
    Node* insert(Node* parent, std::size_t row, std::unique_ptr<Node> node);
    // Deletes a detached item with its subtree, leaves first, so that no destructor recurses
    // along the tree's depth.
    static void destroy(std::unique_ptr<Node> node);

    // Position in the pre-order walk of the whole tree, the root being 0; -1 for null.
    int absoluteIndex(const Node* node) const;
    // The item at an absolute index; null when out of range.
    Node* itemAt(int absoluteIndex) const;
    // All items in absolute-index order.
    std::vector<Node*> preorder() const;
    // top and everything below it, in the same order.
    static std::vector<Node*> subtree(Node* top);
    // Where node stands: the captions from the top of the tree down, joined by " / ".
    static std::string captionPath(const Node* node);
    // Calls visit(node, level) for every item in absolute-index order.
    void forEach(const std::function<void(Node*, int)>& visit) const;

    // True when a is b or one of b's ancestors; false when b is null.
    static bool isAncestorOf(const Node* a, const Node* b);

private:
    std::vector<std::unique_ptr<Node>>& siblingsOf(Node* parent) { return parent ? parent->children_ : topLevel_; }
    static void renumber(std::vector<std::unique_ptr<Node>>& siblings, std::size_t from);
    static std::size_t subtreeSize(const Node* node);

    std::vector<std::unique_ptr<Node>> topLevel_;
    std::size_t size_ = 0;
};

}  // namespace quillmap
