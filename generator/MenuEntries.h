#pragma once
#include <vector>

#include "text/TextEncoding.h"
#include "generator/ScriptBuilder.h"
#include "tree/ItemTree.h"

namespace quillmap {

// One item of the tree as the builds read it: in absolute-index order, with its parent's index,
// its depth and its record (the defaults of its kind when it has none). What the builds ask of
// every item is kept here too, so that their passes over the whole tree read this array alone,
// not items and records spread over memory.
struct MenuEntry {
    const Node* node;
    const TMyRec* record;
    int parent;  // absolute index; -1 for a top-level item
    int level;
    bool document;  // node->isDocument()
    bool opened;    // record->OpenState == "1"
    bool hasImage;  // a replacement icon: record->CustomImage is not empty
};

// The tree read once for both menus: its items, and the encoding of their texts, which is UTF-8
// when every text of the items and the frame name is valid UTF-8, otherwise the 8-bit code page.
struct MenuEntries {
    std::vector<MenuEntry> items;
    TextEncoding encoding = TextEncoding::Utf8;
};

// Throws quillmap::Error "No items to build!" for an empty tree.
MenuEntries ReadMenuEntries(const ItemTree& tree, const GlobalOptions& options);

}  // namespace quillmap
