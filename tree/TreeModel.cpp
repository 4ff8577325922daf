#include "tree/TreeModel.h"

#include <QColor>
#include <QMimeData>
#include <algorithm>

#include "text/LocalText.h"
#include "text/SingleLine.h"
#include "tree/ImageList1.h"
#include "tree/TreeEncoding.h"

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

Node* TreeModel::insertSubtree(Node* parent, std::unique_ptr<Node> subtree)
{
    const std::size_t row = parent ? parent->childCount() : tree_->topLevel().size();
    beginInsertRows(indexOf(parent), static_cast<int>(row), static_cast<int>(row));
    Node* node = tree_->insert(parent, row, std::move(subtree));
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

std::unique_ptr<Node> TreeModel::takeItem(Node* node)
{
    const int row = static_cast<int>(node->row());
    beginRemoveRows(indexOf(node->parent()), row, row);
    std::unique_ptr<Node> taken = tree_->detach(node);
    endRemoveRows();
    return taken;
}

Node* TreeModel::insertItem(Node* parent, std::size_t row, std::unique_ptr<Node> node)
{
    row = std::min(row, parent ? parent->childCount() : tree_->topLevel().size());
    beginInsertRows(indexOf(parent), static_cast<int>(row), static_cast<int>(row));
    Node* inserted = tree_->insert(parent, row, std::move(node));
    endInsertRows();
    return inserted;
}

void TreeModel::setCaption(Node* node, const std::string& caption)
{
    node->caption = caption;
    node->linkProblem.clear();
    const QModelIndex index = indexOf(node);
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole, Qt::ForegroundRole, Qt::ToolTipRole});
}

void TreeModel::setLinkProblem(Node* node, const std::string& problem)
{
    if (node->linkProblem == problem) return;
    node->linkProblem = problem;
    const QModelIndex index = indexOf(node);
    emit dataChanged(index, index, {Qt::ForegroundRole, Qt::ToolTipRole, Qt::AccessibleDescriptionRole});
}

void TreeModel::setImageIndex(Node* node, int imageIndex)
{
    if (node->imageIndex == imageIndex && node->selectedImageIndex == imageIndex) return;
    node->imageIndex = imageIndex;
    node->selectedImageIndex = imageIndex;
    const QModelIndex index = indexOf(node);
    emit dataChanged(index, index, {Qt::DecorationRole, SelectedDecorationRole});
}

Node* TreeModel::moveItem(const MovePlan& plan)
{
    if (plan.returnsToSamePlace()) return plan.node;
    const int from = static_cast<int>(plan.fromRow);
    if (!beginMoveRows(indexOf(plan.fromParent), from, from, indexOf(plan.toParent),
                       static_cast<int>(plan.rowBeforeLeaving)))
        return plan.node;
    Node* node = applyMove(*tree_, plan);
    endMoveRows();
    return node;
}

Node* TreeModel::moveItemAsNew(const MovePlan& plan)
{
    const int from = static_cast<int>(plan.fromRow);
    beginRemoveRows(indexOf(plan.fromParent), from, from);
    std::unique_ptr<Node> node = tree_->detach(plan.node);
    endRemoveRows();
    const int to = static_cast<int>(plan.toRow);
    beginInsertRows(indexOf(plan.toParent), to, to);
    Node* moved = tree_->insert(plan.toParent, plan.toRow, std::move(node));
    endInsertRows();
    return moved;
}

void TreeModel::markCut(const Node* node)
{
    const QModelIndex before = cut_;
    const QModelIndex now = indexOf(node);
    if (before == now) return;
    cut_ = now;
    for (const QModelIndex& changed : {before, now})
        if (changed.isValid()) emit dataChanged(changed, changed, {CutRole, Qt::AccessibleDescriptionRole});
}

void TreeModel::reset(std::unique_ptr<ItemTree> replacement, TextEncoding encoding)
{
    beginResetModel();
    tree_ = replacement ? std::move(replacement) : std::make_unique<ItemTree>();
    encoding_ = encoding;
    endResetModel();
}

QString TreeModel::text(const std::string& bytes) const { return decodedText(bytes, encoding_); }

std::string TreeModel::bytes(const QString& text)
{
    if (std::optional<std::string> encoded = encodedText(text, encoding_)) return std::move(*encoded);
    recodeTreeToUtf8(*tree_, encoding_);
    encoding_ = TextEncoding::Utf8;
    return *encodedText(text, encoding_);
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
        return text(node->caption);
    case Qt::DecorationRole:
        return ImageList1::icon(node->imageIndex);
    case SelectedDecorationRole:
        return ImageList1::icon(node->selectedImageIndex);
    case Qt::AccessibleDescriptionRole: {
        // Only the picture tells them apart on screen.
        QString kind = node->isDocument() ? QStringLiteral("Document") : QStringLiteral("Folder");
        if (!node->linkProblem.empty()) kind += QStringLiteral(", broken link");
        if (cut_ == index) kind += QStringLiteral(", cut");
        return kind;
    }
    case CutRole:
        return cut_ == index;
    case Qt::ForegroundRole:
        return node->linkProblem.empty() ? QVariant() : QVariant(QColor(0xC0, 0x10, 0x10));
    case Qt::ToolTipRole:
        return node->linkProblem.empty() ? QVariant() : QVariant(QString::fromUtf8(node->linkProblem));
    default:
        return {};
    }
}

bool TreeModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    Node* node = nodeOf(index);
    if (!node || role != Qt::EditRole) return false;
    const QString caption = withoutLeadingBlanks(singleLine(value.toString()));
    emit captionEdited(node, caption);
    setCaption(node, bytes(caption));
    return true;
}

Qt::ItemFlags TreeModel::flags(const QModelIndex& index) const
{
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable | Qt::ItemIsDragEnabled |
           Qt::ItemIsDropEnabled;
}

const QString TreeModel::DragFormat = QStringLiteral("application/x-quillmap-tree-item");

QStringList TreeModel::mimeTypes() const { return {DragFormat}; }

// The dragged item is always the selected one; the data only marks the drag as ours.
QMimeData* TreeModel::mimeData(const QModelIndexList& indexes) const
{
    if (indexes.isEmpty()) return nullptr;
    auto* data = new QMimeData;
    data->setData(DragFormat, QByteArrayLiteral("selected item"));
    return data;
}

Qt::DropActions TreeModel::supportedDragActions() const { return Qt::MoveAction; }

Qt::DropActions TreeModel::supportedDropActions() const { return Qt::MoveAction; }

bool TreeModel::canDropMimeData(const QMimeData* data, Qt::DropAction, int, int, const QModelIndex&) const
{
    return data && data->hasFormat(DragFormat);
}

bool TreeModel::dropMimeData(const QMimeData*, Qt::DropAction, int, int, const QModelIndex&) { return false; }

}  // namespace quillmap
