#include "tree/TreeModel.h"

#include "app/SingleLine.h"
#include "tree/ImageList1.h"

namespace quillmap {

TreeModel::TreeModel(QObject* parent) : QAbstractItemModel(parent), tree_(std::make_unique<ItemTree>()) {}

TreeModel::~TreeModel() = default;

Node* TreeModel::nodeOf(const QModelIndex& index) const
{
    return index.isValid() ? static_cast<Node*>(index.internalPointer()) : nullptr;
}

QModelIndex TreeModel::indexOf(const Node* node) const
{
    if (!node) return {};
    return createIndex(static_cast<int>(node->row()), 0, const_cast<Node*>(node));
}

Node* TreeModel::appendItem(Node* parent, const std::string& caption, int imageIndex, std::unique_ptr<TMyRec> record)
{
    const int row = static_cast<int>(parent ? parent->childCount() : tree_->topLevel().size());
    beginInsertRows(indexOf(parent), row, row);
    Node* node = tree_->append(parent, caption, imageIndex, std::move(record));
    endInsertRows();
    return node;
}

void TreeModel::removeItem(Node* node)
{
    const int row = static_cast<int>(node->row());
    beginRemoveRows(indexOf(node->parent()), row, row);
    tree_->remove(node);
    endRemoveRows();
}

void TreeModel::setCaption(Node* node, const std::string& caption)
{
    node->caption = caption;
    const QModelIndex index = indexOf(node);
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
}

void TreeModel::setImageIndex(Node* node, int imageIndex)
{
    if (node->imageIndex == imageIndex && node->selectedImageIndex == imageIndex) return;
    node->imageIndex = imageIndex;
    node->selectedImageIndex = imageIndex;
    const QModelIndex index = indexOf(node);
    emit dataChanged(index, index, {Qt::DecorationRole, SelectedDecorationRole});
}

void TreeModel::reset(std::unique_ptr<ItemTree> replacement)
{
    beginResetModel();
    tree_ = replacement ? std::move(replacement) : std::make_unique<ItemTree>();
    endResetModel();
}

QModelIndex TreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (row < 0 || column != 0) return {};
    const auto& siblings = parent.isValid() ? nodeOf(parent)->children() : tree_->topLevel();
    if (static_cast<std::size_t>(row) >= siblings.size()) return {};
    return createIndex(row, 0, siblings[static_cast<std::size_t>(row)].get());
}

QModelIndex TreeModel::parent(const QModelIndex& index) const
{
    const Node* node = nodeOf(index);
    return node ? indexOf(node->parent()) : QModelIndex();
}

int TreeModel::rowCount(const QModelIndex& parent) const
{
    if (parent.column() > 0) return 0;
    const Node* node = nodeOf(parent);
    return static_cast<int>(node ? node->childCount() : tree_->topLevel().size());
}

int TreeModel::columnCount(const QModelIndex&) const { return 1; }

QVariant TreeModel::data(const QModelIndex& index, int role) const
{
    const Node* node = nodeOf(index);
    if (!node) return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return QString::fromLocal8Bit(node->caption);
    case Qt::DecorationRole:
        return ImageList1::icon(node->imageIndex);
    case SelectedDecorationRole:
        return ImageList1::icon(node->selectedImageIndex);
    default:
        return {};
    }
}

bool TreeModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    Node* node = nodeOf(index);
    if (!node || role != Qt::EditRole) return false;
    const QString text = singleLine(value.toString());
    emit captionEdited(node, text);
    setCaption(node, text.toLocal8Bit().toStdString());
    return true;
}

Qt::ItemFlags TreeModel::flags(const QModelIndex& index) const
{
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
}

}  // namespace quillmap
