#pragma once
#include <memory>
#include <string>

#include "tree/ItemTree.h"

namespace quillmap::testing {

inline Node* addFolder(ItemTree& tree, Node* parent, const std::string& caption, const std::string& url = "",
                       const std::string& openState = "0", const std::string& image = "")
{
    return tree.append(parent, caption, ClosedFolderImage, std::make_unique<TMyRec>(TMyRec{url, "0", openState, image}));
}

inline Node* addDocument(ItemTree& tree, Node* parent, const std::string& caption, const std::string& url = "",
                         const std::string& target = "0", const std::string& image = "")
{
    return tree.append(parent, caption, DocumentImage, std::make_unique<TMyRec>(TMyRec{url, target, "-1", image}));
}

// 0 Root Folder; 1 Guides; 2 Setup (open); 3 Start; 4 Editor's notes; 5 News.
inline void buildWorkedExample(ItemTree& tree)
{
    Node* root = addFolder(tree, nullptr, "Root Folder");
    Node* guides = addFolder(tree, root, "Guides", "", "0");
    Node* setup = addFolder(tree, guides, "Setup", "setup.html", "1");
    addDocument(tree, setup, "Start", "start.html", "0", "ftv2doc_2.gif");
    addDocument(tree, guides, "Editor's notes", "notes.html", "1");
    addDocument(tree, root, "News", "news.html", "0", "ftv2doc_2.gif");
}

}  // namespace quillmap::testing
