#pragma once
// Shared pieces of the project file tests: the small example project and a reader target that
// records every step it is given.
#include <string>
#include <vector>

#include "project/ProjectData.h"
#include "project/ProjectWriter.h"
#include "styles/ColorText.h"

namespace quillmap::test {

inline Node* addItem(ItemTree& tree, Node* parent, const std::string& caption, int image, TMyRec record)
{
    return tree.append(parent, caption, image, std::make_unique<TMyRec>(std::move(record)));
}

// Root Folder > Docs (open) > Readme (readme.html, new window, ftv2doc_1.gif).
inline void buildExampleTree(ItemTree& tree)
{
    Node* root = addItem(tree, nullptr, "Root Folder", ClosedFolderImage, {"", "0", "0", ""});
    Node* docs = addItem(tree, root, "Docs", OpenFolderImage, {"", "0", "1", ""});
    addItem(tree, docs, "Readme", DocumentImage, {"readme.html", "1", "-1", "ftv2doc_1.gif"});
}

inline std::string exampleFileText()
{
    return "Quillmap Project File\r\n2000\r\nRoot Folder\r\n\tDocs\r\n\t\tReadme\r\n"
           "/---- * QMAP IMGs * ----/\r\n0\r\n0\r\n2\r\n"
           "/---- * QMAP URLs * ----/\r\n\r\n\r\nreadme.html\r\n"
           "/---- * QMAP Trgts * ----/\r\n0\r\n0\r\n1\r\n"
           "/---- * QMAP OpenFolders * ----/\r\n0\r\n1\r\n-1\r\n"
           "/---- * QMAP Opt * ----/\r\nmain_frame\r\nUse_TextLinks\r\n"
           "#FFFFFF\r\n#000000\r\n#0000FF\r\n#0000FF\r\n#FF0000\r\n0\r\n0\r\n0\r\nAUTO_CLOSE_NO\r\n"
           "/---- * QMAP Cust IMG * ----/\r\n\r\n\r\nftv2doc_1.gif\r\n/---- *END IMG* ----/\r\n";
}

inline Lines exampleLines() { return splitLines(exampleFileText()); }

// Everything about one item that a project file carries, for whole-tree comparisons.
inline std::vector<std::string> describe(const ItemTree& tree)
{
    std::vector<std::string> rows;
    tree.forEach([&rows](Node* n, int level) {
        const TMyRec* r = n->record();
        rows.push_back(std::to_string(level) + "|" + n->caption + "|" + std::to_string(n->imageIndex) + "|" +
                       (r ? r->URL + "|" + r->Target + "|" + r->OpenState + "|" + r->CustomImage : "no record"));
    });
    return rows;
}

// Fills a ProjectData like the headless builder and logs every step as a short text.
class RecordingTarget : public ProjectDataTarget {
public:
    std::vector<std::string> log;
    explicit RecordingTarget(ProjectData& data) : ProjectDataTarget(data) {}

    void loadOutline(ItemTree& built) override
    {
        log.push_back("outline " + std::to_string(built.size()));
        ProjectDataTarget::loadOutline(built);
    }
    void setImageIndex(Node& item, int image) override
    {
        log.push_back("image " + item.caption + "=" + std::to_string(image));
        ProjectDataTarget::setImageIndex(item, image);
    }
    void setURL(Node& item, std::string text) override
    {
        log.push_back("url " + item.caption + "=" + text);
        ProjectDataTarget::setURL(item, text);
    }
    void setTarget(Node& item, std::string text) override
    {
        log.push_back("target " + item.caption + "=" + text);
        ProjectDataTarget::setTarget(item, text);
    }
    void setOpenState(Node& item, std::string text) override
    {
        log.push_back("open " + item.caption + "=" + text);
        ProjectDataTarget::setOpenState(item, text);
    }
    void setCustomImage(Node& item, std::string text) override
    {
        log.push_back("custom " + item.caption + "=" + text);
        ProjectDataTarget::setCustomImage(item, text);
    }
    void setTargetFrame(std::string frame) override
    {
        log.push_back("frame " + frame);
        ProjectDataTarget::setTargetFrame(frame);
    }
    void setUseTextLinks(bool use) override
    {
        log.push_back(std::string("textlinks ") + (use ? "on" : "off"));
        ProjectDataTarget::setUseTextLinks(use);
    }
    void setColor(int index, Rgb color) override
    {
        log.push_back("color " + std::to_string(index) + "=" + ColorToHtml(color));
        ProjectDataTarget::setColor(index, color);
    }
    void setStyle(int index, int style) override
    {
        log.push_back("style " + std::to_string(index) + "=" + std::to_string(style));
        ProjectDataTarget::setStyle(index, style);
    }
    void setAutoClose(bool autoClose) override
    {
        log.push_back(std::string("autoclose ") + (autoClose ? "on" : "off"));
        ProjectDataTarget::setAutoClose(autoClose);
    }

    bool saw(const std::string& entry) const
    {
        for (const auto& e : log)
            if (e == entry) return true;
        return false;
    }
    std::string last() const { return log.empty() ? std::string() : log.back(); }
};

}  // namespace quillmap::test
