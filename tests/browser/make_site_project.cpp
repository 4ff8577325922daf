// Writes a site project for the browser tests: one document per page link, inside folders named
// after the link's folders, below a top folder that links to index.html; links with a scheme go
// at the top. The menu's colours differ from every browser default, so that a test sees whose
// look a page shows.
//   make_site_project PROJECT_FILE SITE_FOLDER MENU_IN_SITE LINK...
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <string>

#include "text/TextFile.h"
#include "generator/MenuBuild.h"
#include "project/ProjectSite.h"
#include "project/ProjectWriter.h"

using namespace quillmap;

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::cerr << "usage: make_site_project PROJECT_FILE SITE_FOLDER MENU_IN_SITE LINK...\n";
        return 2;
    }
    const std::filesystem::path project = std::filesystem::absolute(pathFromText(argv[1]));
    const std::filesystem::path site = std::filesystem::absolute(pathFromText(argv[2]));
    ItemTree tree;
    Node* top = tree.append(nullptr, "Site", ClosedFolderImage, std::make_unique<TMyRec>(TMyRec{"index.html", "0", "1", ""}));
    std::map<std::string, Node*> folders;
    for (int i = 4; i < argc; ++i) {
        const std::string link = argv[i];
        if (link == "index.html") continue;
        Node* parent = top;
        std::size_t start = 0;
        for (std::size_t slash; link.find("://") == std::string::npos && (slash = link.find('/', start)) != std::string::npos;
             start = slash + 1) {
            Node*& folder = folders[link.substr(0, slash)];
            if (!folder)
                folder = tree.append(parent, link.substr(start, slash - start), ClosedFolderImage,
                                     std::make_unique<TMyRec>(TMyRec{"", "0", "0", ""}));
            parent = folder;
        }
        tree.append(parent, link, DocumentImage, std::make_unique<TMyRec>(TMyRec{link, "0", "-1", ""}));
    }
    ProjectOptions options;
    options.targetFrame = "";
    options.look = MenuLook{{255, 255, 204}, {128, 0, 0}, {0, 128, 0}, {0, 128, 0}, {255, 0, 0}, 0, 0, 0};
    options.site = storedSite(site, JoinPath(site, pathFromText(argv[3])), project.parent_path());
    try {
        saveProjectFile(project, tree, options);
    } catch (const std::exception& e) {
        std::cerr << "make_site_project: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
