#pragma once
#include "project/OptionBoxes.h"
#include "project/ProjectReader.h"

namespace quillmap {

class CurrentColorsWindow;
class ProjectDocument;

// Reads a project into the main window: the items go into Tree2's model as soon as the outline
// is rebuilt (so the view always shows a whole tree, also when a later line ends the read), the
// options into their controls with Updating set, the colours and styles into the Colors and
// Styles window of the moment.
class FormProjectTarget : public ProjectTarget {
public:
    // freshStart: once the file's tree replaces the window's, the project counts as saved and its
    // history starts afresh (not when the history itself shows a text again).
    // siteBase: the folder of the project file, against which the stored site is resolved.
    FormProjectTarget(ProjectDocument& document, const OptionBoxes& options, CurrentColorsWindow& colors,
                      std::filesystem::path siteBase, bool freshStart = true)
        : document_(document), options_(options), colors_(colors), siteBase_(std::move(siteBase)),
          freshStart_(freshStart)
    {
    }

    // Whether the window's tree has been replaced by the file's.
    bool replacedTree() const { return replacedTree_; }

    void setEncoding(TextEncoding encoding) override { encoding_ = encoding; }
    void loadOutline(ItemTree& built) override;
    void setTargetFrame(std::string frame) override;
    void setUseTextLinks(bool use) override;
    void setColor(int index, Rgb color) override;
    void setStyle(int index, int style) override;
    void setAutoClose(bool autoClose) override;
    void setSite(ProjectSite site) override;

private:
    ProjectDocument& document_;
    OptionBoxes options_;
    CurrentColorsWindow& colors_;
    std::filesystem::path siteBase_;
    bool freshStart_;
    TextEncoding encoding_ = TextEncoding::Utf8;
    bool replacedTree_ = false;
};

}  // namespace quillmap
