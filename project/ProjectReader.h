#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "text/TextEncoding.h"
#include "text/TextFile.h"
#include "project/ProjectSite.h"
#include "styles/ColorText.h"
#include "tree/ItemTree.h"

namespace quillmap {

// What reading a project changes, one step at a time, in the order of the file. The window
// implements it on its controls (with Updating set around the options), the headless builder on
// plain values. An error ends the read at once and leaves exactly the earlier steps applied.
class ProjectTarget {
public:
    virtual ~ProjectTarget() = default;

    // The encoding of the file's texts (UTF-8 when the whole file is valid UTF-8), given right
    // before loadOutline; the texts themselves are handed over as the file's bytes.
    virtual void setEncoding(TextEncoding) {}

    // The rebuilt tree, every item carrying an empty record. The target takes the items over
    // (ItemTree::swap); the reader keeps addressing them through the node pointers until it
    // returns. Also called with the items placed so far when the outline ends in an error.
    virtual void loadOutline(ItemTree& built) = 0;

    // Per-item values; by default they go straight into the node and its record.
    virtual void setImageIndex(Node& item, int imageIndex);
    virtual void setURL(Node& item, std::string text);
    virtual void setTarget(Node& item, std::string text);
    virtual void setOpenState(Node& item, std::string text);
    virtual void setCustomImage(Node& item, std::string text);

    virtual void setTargetFrame(std::string frame) = 0;
    virtual void setUseTextLinks(bool use) = 0;
    // index 0 background, 1 text, 2 link, 3 visited link, 4 activated link
    virtual void setColor(int index, Rgb color) = 0;
    // index 0 link, 1 visited link, 2 activated link; the value as read, which may name no entry
    virtual void setStyle(int index, int style) = 0;
    virtual void setAutoClose(bool autoClose) = 0;
    // Last, only for a project that has a site.
    virtual void setSite(ProjectSite) {}
};

enum class ReadOutcome {
    Loaded,         // read to the end
    NotAProject,    // line 0 is not the header: nothing changed
    NeedsNewerProgram,  // version 2100 or above: nothing changed
};

// English defaults of the refusal messages (message texts 17 and 16); empty for Loaded.
const char* defaultRefusalText(ReadOutcome outcome);

// Reads a project from its lines (already split), each taken whole. Throws quillmap::Error for an integer
// that is not one, a colour that is not one, "Invalid index", "Invalid level (%d) for item "%s""
// and a missing marker line; in every case the steps before stay applied. A missing marker is
// found before anything is applied.
// The encoding is taken from the lines.
ReadOutcome readProject(const Lines& lines, ProjectTarget& target);
ReadOutcome readProject(const std::vector<std::string_view>& lines, ProjectTarget& target);

// Splits text at CR LF, CR or LF and reads it; the encoding
// is taken from the whole text.
ReadOutcome readProjectText(std::string_view text, ProjectTarget& target);

// Reads the file (see readWholeFile for its refusals) and then its text.
ReadOutcome readProjectFile(const std::filesystem::path& path, ProjectTarget& target);

}  // namespace quillmap
