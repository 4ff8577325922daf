// Builds the menus the browser tests open: for each scenario a folder holding a copy of the
// shipped out folder and the two files written by the program's own build.
//   make_menus SHIPPED_OUT_FOLDER TARGET_FOLDER
#include <filesystem>
#include <functional>
#include <iostream>
#include <memory>
#include <string>

#include "text/Error.h"
#include "generator/MenuBuild.h"
#include "generator/ShippedFiles.h"

using namespace quillmap;

namespace {

Node* folder(ItemTree& tree, Node* parent, const std::string& caption, const std::string& url = "",
             const std::string& openState = "0")
{
    return tree.append(parent, caption, ClosedFolderImage, std::make_unique<TMyRec>(TMyRec{url, "0", openState, ""}));
}

Node* document(ItemTree& tree, Node* parent, const std::string& caption, const std::string& url,
               const std::string& target = "0", const std::string& image = "")
{
    return tree.append(parent, caption, DocumentImage, std::make_unique<TMyRec>(TMyRec{url, target, "-1", image}));
}

// The tree of the generator's worked example, with one extra folder of pictures.
void example(ItemTree& tree, GlobalOptions&)
{
    Node* root = folder(tree, nullptr, "Root Folder");
    Node* guides = folder(tree, root, "Guides");
    Node* setup = folder(tree, guides, "Setup", "setup.html", "1");
    document(tree, setup, "Start", "start.html", "0", "ftv2doc_2.gif");
    document(tree, guides, "Editor's notes", "notes.html", "1");
    document(tree, root, "News", "news.html", "0", "ftv2doc_2.gif");
    Node* pictures = folder(tree, root, "Pictures");
    document(tree, pictures, "Harbour", "harbour.html", "0", "ftv2doc_3.gif");
    document(tree, pictures, "Site map", "map.html", "0", "ftv2doc_1.gif");
    document(tree, pictures, "Plain", "plain.html", "0");
}

// Three sibling folders with sub-folders, auto-close on.
void autoclose(ItemTree& tree, GlobalOptions& options)
{
    options.autoClose = true;
    Node* root = folder(tree, nullptr, "Top");
    Node* a = folder(tree, root, "Alpha");
    document(tree, a, "Alpha page", "alpha.html");
    Node* inner = folder(tree, a, "Alpha inner");
    document(tree, inner, "Inner page", "inner.html");
    Node* b = folder(tree, root, "Beta");
    document(tree, b, "Beta page", "beta.html");
    Node* c = folder(tree, root, "Gamma");
    document(tree, c, "Gamma page", "gamma.html");
    document(tree, root, "Last page", "last.html");
}

// Text links off: links stay on the icons only.
void plain(ItemTree& tree, GlobalOptions& options)
{
    options.useTextLinks = false;
    Node* root = folder(tree, nullptr, "Plain Root", "welcome.html");
    Node* f = folder(tree, root, "Linked folder", "welcome.html");
    document(tree, f, "Inside", "inside.html");
    document(tree, root, "Linked page", "page.html");
    document(tree, root, "No link", "");
}

void rootonly(ItemTree& tree, GlobalOptions&) { folder(tree, nullptr, "Lonely Root"); }

// Captions holding markup, an apostrophe and no link.
void markup(ItemTree& tree, GlobalOptions&)
{
    Node* root = folder(tree, nullptr, "Markup <i id=\"rootItalic\">Root</i>");
    document(tree, root, "<b id=\"boldCaption\">Bold</b> &amp; plain", "bold.html");
    document(tree, root, "Editor's \"quoted\" notes", "C:\\Web\\notes.html");
    document(tree, root, "No link here", "");
    document(tree, root, "Caf\xC3\xA9 menu", "cafe.html");
    // Markup that would swallow the rows after it if it were not parsed on its own.
    Node* drafts = folder(tree, root, "Drafts <!-- hidden", "", "1");
    document(tree, drafts, "x<y", "xy.html");
    document(tree, drafts, "Ends early</td></tr></table><table>", "early.html");
    document(tree, root, "After the drafts", "after.html");
}

// A small site without frames whose pages hold the menu themselves; a page of the test writes
// here.html and the other pages.
void site(ItemTree& tree, GlobalOptions&)
{
    Node* root = folder(tree, nullptr, "Site", "home.html");
    Node* guides = folder(tree, root, "Guides");
    document(tree, guides, "Install", "install.html");
    Node* deep = folder(tree, guides, "Deep");
    document(tree, deep, "Here", "here.html");
    document(tree, root, "About", "about.html");
    Node* archive = folder(tree, root, "Archive");
    document(tree, archive, "Old", "old.html");
    document(tree, archive, "Ampersand", "amp&copy.html");
    document(tree, archive, "Sorted", "list.php?sort=asc&not_found");
}

// A frame name typed with quotes and a backslash still gives a working script.
void oddframe(ItemTree& tree, GlobalOptions& options)
{
    options.targetFrame = "frame \"x\" \\ y";
    Node* root = folder(tree, nullptr, "Odd frame");
    document(tree, root, "Framed", "framed.html", "0", "my \"odd\" icon.gif");
}

// 5,000 entries: 50 folders under the top folder sharing 4,949 documents, every tenth with an icon.
void big(ItemTree& tree, GlobalOptions&)
{
    Node* root = folder(tree, nullptr, "Large site");
    std::vector<Node*> folders;
    for (int f = 0; f < 50; ++f) folders.push_back(folder(tree, root, "Section " + std::to_string(f + 1)));
    for (int d = 0; d < 4949; ++d)
        document(tree, folders[static_cast<std::size_t>(d % 50)], "Page " + std::to_string(d + 1),
                 "page" + std::to_string(d + 1) + ".html", "0", d % 10 == 0 ? "ftv2doc_1.gif" : "");
}

// A chain of folders far deeper than any call stack, every folder closed.
void deep(ItemTree& tree, GlobalOptions&)
{
    Node* parent = folder(tree, nullptr, "Deep");
    for (int level = 1; level <= 10000; ++level) parent = folder(tree, parent, "Level " + std::to_string(level));
    document(tree, parent, "Bottom", "bottom.html");
}

// Text links off; thirty open levels ending in a caption far wider than the menu, and a caption
// holding a script beside them.
void reach(ItemTree& tree, GlobalOptions& options)
{
    options.useTextLinks = false;
    Node* root = folder(tree, nullptr, "Reach");
    Node* parent = root;
    for (int level = 1; level <= 30; ++level)
        parent = folder(tree, parent, "Level " + std::to_string(level), "", level == 30 ? "1" : "0");
    std::string far = "Far";
    for (int word = 0; word < 60; ++word) far += " caption";
    document(tree, parent, far + " end", "far.html");
    document(tree, root, "Visible <b>part</b><script>var secret = 1</script>", "visible.html", "0", "ftv2doc_2.gif");
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: make_menus SHIPPED_OUT_FOLDER TARGET_FOLDER\n";
        return 2;
    }
    const std::string shipped = argv[1];
    const std::string target = argv[2];
    const std::pair<const char*, std::function<void(ItemTree&, GlobalOptions&)>> scenarios[] = {
        {"example", example}, {"autoclose", autoclose}, {"plain", plain},
        {"rootonly", rootonly}, {"markup", markup},     {"oddframe", oddframe}, {"big", big},
        {"site", site}, {"deep", deep}, {"reach", reach}};
    try {
        for (const auto& [name, make] : scenarios) {
            const std::string folderName = JoinPath(target, name);
            std::filesystem::create_directories(folderName);
            ItemTree tree;
            GlobalOptions options;
            make(tree, options);
            addMissingShippedFiles(shipped, folderName);
            BuildMenu(tree, options, MenuLook{}, folderName);
        }
    } catch (const std::exception& e) {
        std::cerr << "make_menus: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
