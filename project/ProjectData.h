#pragma once
#include <filesystem>
#include <string>

#include "project/ProjectOptions.h"
#include "project/ProjectReader.h"
#include "tree/ItemTree.h"

namespace quillmap {

// A whole project as plain values, for code that has no windows (the headless builder, tests).
struct ProjectData {
    ItemTree tree;
    ProjectOptions options;
    // The encoding of the texts, as read from the file; new projects are UTF-8.
    TextEncoding encoding = TextEncoding::Utf8;
};

// Fills a ProjectData as the reader goes. A style that names no entry (below 0 or above 3) is
// kept as -1, as a style list without a selection would be.
class ProjectDataTarget : public ProjectTarget {
public:
    explicit ProjectDataTarget(ProjectData& data) : data_(data) {}

    void setEncoding(TextEncoding encoding) override;
    void loadOutline(ItemTree& built) override;
    void setTargetFrame(std::string frame) override;
    void setUseTextLinks(bool use) override;
    void setColor(int index, Rgb color) override;
    void setStyle(int index, int style) override;
    void setAutoClose(bool autoClose) override;
    void setSite(ProjectSite site) override;

private:
    ProjectData& data_;
};

// Reads a project file into data. Refusals come back as the outcome, errors as quillmap::Error.
ReadOutcome readProjectData(const std::filesystem::path& path, ProjectData& data);

}  // namespace quillmap
