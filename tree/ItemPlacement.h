#pragma once
#include <optional>
#include <string>

#include "text/MessageTexts.h"
#include "tree/ItemTree.h"

namespace quillmap {

// Where "New Folder" and "Document" put a new item, and its caption.
struct Placement {
    Node* parent = nullptr;  // null: a top-level item
    std::string caption;
};

// Captions that come from the message texts (replaceable by the language file).
struct NewItemCaptions {
    std::string newFolder = "New Folder";
    std::string newDocument = "New Document";
    std::string rootFolder = "Root Folder";
};

inline NewItemCaptions newItemCaptions(const MessageTexts& texts)
{
    return {texts.newFolder, texts.newDocument, texts.rootFolder};
}

// The caption of a folder added while nothing is selected; a fixed text, never translated.
inline constexpr const char* UnselectedFolderCaption = "Folder";

Placement placeNewFolder(const ItemTree& tree, Node* selected, const NewItemCaptions& captions);
// Empty when nothing is selected ("Please select folder.").
std::optional<Placement> placeNewDocument(Node* selected, const NewItemCaptions& captions);

}  // namespace quillmap
