#include "tree/ItemTree.h"

namespace quillmap {

int Node::level() const
{
    int level = 0;
    for (const Node* p = parent_; p; p = p->parent_) ++level;
    return level;
}

Node* Node::nextSibling() const
{
    if (!parent_) return nullptr;  // top-level siblings are reached through the tree
    return row_ + 1 < parent_->children_.size() ? parent_->children_[row_ + 1].get() : nullptr;
}

ItemTree::~ItemTree() { clear(); }

void ItemTree::renumber(std::vector<std::unique_ptr<Node>>& siblings, std::size_t from)
{
    for (std::size_t i = from; i < siblings.size(); ++i) siblings[i]->row_ = i;
}

std::size_t ItemTree::subtreeSize(const Node* node)
{
    std::size_t count = 0;
    std::vector<const Node*> stack{node};
    while (!stack.empty()) {
        const Node* n = stack.back();
        stack.pop_back();
        ++count;
        for (const auto& c : n->children_) stack.push_back(c.get());
    }
    return count;
}

void ItemTree::destroy(std::unique_ptr<Node> node)
{
    if (!node) return;
    std::vector<std::unique_ptr<Node>> pending;
    pending.push_back(std::move(node));
    while (!pending.empty()) {
        std::unique_ptr<Node> current = std::move(pending.back());
        pending.pop_back();
        for (auto& c : current->children_) pending.push_back(std::move(c));
        current->children_.clear();
    }
}

Node* ItemTree::append(Node* parent, std::string caption, int imageIndex, std::unique_ptr<TMyRec> record)
{
    auto node = std::make_unique<Node>();
    node->caption = std::move(caption);
    node->imageIndex = imageIndex;
    node->selectedImageIndex = imageIndex;
    node->record_ = std::move(record);
    auto& siblings = siblingsOf(parent);
    return insert(parent, siblings.size(), std::move(node));
}

Node* ItemTree::insert(Node* parent, std::size_t row, std::unique_ptr<Node> node)
{
    auto& siblings = siblingsOf(parent);
    if (row > siblings.size()) row = siblings.size();
    node->parent_ = parent;
    Node* raw = node.get();
    size_ += raw->children_.empty() ? 1 : subtreeSize(raw);
    siblings.insert(siblings.begin() + static_cast<std::ptrdiff_t>(row), std::move(node));
    renumber(siblings, row);
    return raw;
}

std::unique_ptr<Node> ItemTree::detach(Node* node)
{
    auto& siblings = siblingsOf(node->parent_);
    const std::size_t row = node->row_;
    std::unique_ptr<Node> owned = std::move(siblings[row]);
    siblings.erase(siblings.begin() + static_cast<std::ptrdiff_t>(row));
    renumber(siblings, row);
    size_ -= subtreeSize(owned.get());
    owned->parent_ = nullptr;
    owned->row_ = 0;
    return owned;
}

void ItemTree::remove(Node* node) { destroy(detach(node)); }

void ItemTree::clear()
{
    for (auto& top : topLevel_) destroy(std::move(top));
    topLevel_.clear();
    size_ = 0;
}

void ItemTree::forEach(const std::function<void(Node*, int)>& visit) const
{
    std::vector<std::pair<Node*, int>> stack;
    for (auto it = topLevel_.rbegin(); it != topLevel_.rend(); ++it) stack.emplace_back(it->get(), 0);
    while (!stack.empty()) {
        auto [node, level] = stack.back();
        stack.pop_back();
        visit(node, level);
        for (auto it = node->children_.rbegin(); it != node->children_.rend(); ++it)
            stack.emplace_back(it->get(), level + 1);
    }
}

std::vector<Node*> ItemTree::preorder() const
{
    std::vector<Node*> items;
    items.reserve(size_);
    forEach([&items](Node* node, int) { items.push_back(node); });
    return items;
}

std::vector<Node*> ItemTree::subtree(Node* top)
{
    std::vector<Node*> items;
    std::vector<Node*> pending{top};
    while (!pending.empty()) {
        Node* node = pending.back();
        pending.pop_back();
        items.push_back(node);
        for (auto it = node->children_.rbegin(); it != node->children_.rend(); ++it) pending.push_back(it->get());
    }
    return items;
}

std::string ItemTree::captionPath(const Node* node)
{
    std::string path = node->caption;
    for (const Node* up = node->parent(); up; up = up->parent()) path = up->caption + " / " + path;
    return path;
}

int ItemTree::absoluteIndex(const Node* node) const
{
    if (!node) return -1;
    // Count the items that come before node: for each item on the path from the top down, every
    // earlier sibling's whole subtree plus the ancestor itself.
    std::vector<const Node*> path;
    for (const Node* p = node; p; p = p->parent_) path.push_back(p);
    std::size_t index = 0;
    const std::vector<std::unique_ptr<Node>>* siblings = &topLevel_;
    for (auto it = path.rbegin(); it != path.rend(); ++it) {
        const Node* step = *it;
        for (std::size_t r = 0; r < step->row_; ++r) index += subtreeSize((*siblings)[r].get());
        if (step != node) ++index;
        siblings = &step->children_;
    }
    return static_cast<int>(index);
}

Node* ItemTree::itemAt(int absoluteIndex) const
{
    if (absoluteIndex < 0 || static_cast<std::size_t>(absoluteIndex) >= size_) return nullptr;
    int position = 0;
    Node* found = nullptr;
    std::vector<Node*> stack;
    for (auto it = topLevel_.rbegin(); it != topLevel_.rend(); ++it) stack.push_back(it->get());
    while (!stack.empty()) {
        Node* n = stack.back();
        stack.pop_back();
        if (position++ == absoluteIndex) {
            found = n;
            break;
        }
        for (auto it = n->children_.rbegin(); it != n->children_.rend(); ++it) stack.push_back(it->get());
    }
    return found;
}

bool ItemTree::isAncestorOf(const Node* a, const Node* b)
{
    for (; b; b = b->parent_)
        if (a == b) return true;
    return false;
}

}  // namespace quillmap
