#include "project/ProjectReader.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "text/Error.h"
#include "project/ProjectFormat.h"
#include "project/TreeOutline.h"

namespace quillmap {

namespace f = project_format;

void ProjectTarget::setImageIndex(Node& item, int imageIndex)
{
    item.imageIndex = imageIndex;
    item.selectedImageIndex = imageIndex;
}

static TMyRec& recordOf(Node& item)
{
    if (!item.record()) item.setRecord(std::make_unique<TMyRec>());
    return *item.record();
}

void ProjectTarget::setURL(Node& item, std::string text) { recordOf(item).URL = std::move(text); }
void ProjectTarget::setTarget(Node& item, std::string text) { recordOf(item).Target = std::move(text); }
void ProjectTarget::setOpenState(Node& item, std::string text) { recordOf(item).OpenState = std::move(text); }
void ProjectTarget::setCustomImage(Node& item, std::string text) { recordOf(item).CustomImage = std::move(text); }

const char* defaultRefusalText(ReadOutcome outcome)
{
    switch (outcome) {
    case ReadOutcome::NotAProject: return "This isn't Quillmap Project File";
    case ReadOutcome::NeedsNewerProgram: return "Please donwload the latest version of Quillmap to open this file.";
    case ReadOutcome::Loaded: break;
    }
    return "";
}

namespace {

using LineViews = std::vector<std::string_view>;

class ProjectLines {
public:
    explicit ProjectLines(const LineViews& lines) : lines_(lines) {}

    std::size_t size() const { return lines_.size(); }
    // A line past the end reads as an empty line.
    std::string_view operator[](std::size_t i) const { return i < lines_.size() ? lines_[i] : std::string_view(); }
    std::string text(std::size_t i) const { return std::string((*this)[i]); }

    // The first line from `from` on equal to marker; a file that has none ends the read.
    std::size_t find(std::size_t from, const char* marker) const
    {
        for (std::size_t i = from; i < lines_.size(); ++i)
            if (lines_[i] == marker) return i;
        throw Error(std::string("Missing line \"") + marker + "\" in the project file");
    }

private:
    const LineViews& lines_;
};

struct Markers {
    std::size_t images, links, targets, openFolders, options;
};

// All markers are found before anything changes, so a file that lacks one leaves the project as it
// was. Each block ends at the first line equal to its closing marker: a value equal to that marker
// ends its block early and the lines after it are taken for the next block.
Markers findMarkers(const ProjectLines& lines)
{
    Markers m{};
    m.images = lines.find(2, f::ImagesMarker);
    m.links = lines.find(m.images + 1, f::LinksMarker);
    m.targets = lines.find(m.links + 1, f::TargetsMarker);
    m.openFolders = lines.find(m.targets + 1, f::OpenFoldersMarker);
    m.options = lines.find(m.openFolders + 1, f::OptionsMarker);
    return m;
}

class Items {
public:
    explicit Items(std::vector<Node*> items) : items_(std::move(items)) {}
    Node& operator[](std::size_t k) const
    {
        if (k >= items_.size()) throw Error("Invalid index");
        return *items_[k];
    }

private:
    std::vector<Node*> items_;
};

void readTextBlock(const ProjectLines& lines, std::size_t marker, std::size_t end, const Items& items,
                   ProjectTarget& target, void (ProjectTarget::*set)(Node&, std::string))
{
    for (std::size_t i = marker + 1, k = 0; i < end; ++i, ++k) (target.*set)(items[k], lines.text(i));
}

}  // namespace

namespace {

ReadOutcome readLines(const LineViews& fileLines, TextEncoding encoding, ProjectTarget& target)
{
    const ProjectLines lines(fileLines);
    if (lines[0] != f::Header) return ReadOutcome::NotAProject;
    const int version = toInteger(lines.text(1));
    if (version >= f::FirstRefusedVersion) return ReadOutcome::NeedsNewerProgram;

    const Markers m = findMarkers(lines);

    target.setEncoding(encoding);
    ItemTree built;
    std::optional<Error> outlineError;
    try {
        LoadTreeOutline(fileLines, 2, m.images, built);
    } catch (const Error& e) {
        outlineError = e;
    }
    const Items items(built.preorder());
    target.loadOutline(built);
    if (outlineError) throw *outlineError;

    for (std::size_t i = m.images + 1, k = 0; i < m.links; ++i, ++k) {
        Node& item = items[k];
        target.setImageIndex(item, toInteger(lines.text(i)));
    }
    readTextBlock(lines, m.links, m.targets, items, target, &ProjectTarget::setURL);
    readTextBlock(lines, m.targets, m.openFolders, items, target, &ProjectTarget::setTarget);
    readTextBlock(lines, m.openFolders, m.options, items, target, &ProjectTarget::setOpenState);

    const std::size_t g = m.options;
    target.setTargetFrame(lines.text(g + 1));
    target.setUseTextLinks(lines[g + 2] == f::TextLinksOn);
    for (int c = 0; c < 5; ++c) target.setColor(c, HtmlToColor(lines.text(g + 3 + static_cast<std::size_t>(c))));
    for (int s = 0; s < 3; ++s) target.setStyle(s, toInteger(lines.text(g + 8 + static_cast<std::size_t>(s))));
    std::size_t customImages;
    if (version < f::FirstVersionWithAutoClose) {
        target.setAutoClose(false);
        customImages = g + 12;
    } else {
        target.setAutoClose(lines[g + 11] == f::AutoCloseOn);
        customImages = g + 13;
    }
    std::size_t end = customImages;
    for (std::size_t k = 0; end < lines.size() && lines[end] != f::EndMarker; ++end, ++k)
        target.setCustomImage(items[k], lines.text(end));
    if (end + 1 < lines.size() && lines[end + 1] == f::SiteMarker && !lines[end + 2].empty()) {
        ProjectSite site;
        site.siteFolder = lines.text(end + 2);
        site.menuFolder = lines.text(end + 3);
        site.writePages = lines[end + 4] == f::WritePagesOn;
        site.startPage = lines.text(end + 5);
        target.setSite(std::move(site));
    }
    return ReadOutcome::Loaded;
}

TextEncoding encodingOfLines(const LineViews& lines)
{
    for (std::string_view line : lines)
        if (!isValidUtf8(line)) return TextEncoding::CodePage;
    return TextEncoding::Utf8;
}

}  // namespace

ReadOutcome readProject(const LineViews& lines, ProjectTarget& target)
{
    return readLines(lines, encodingOfLines(lines), target);
}

ReadOutcome readProject(const Lines& lines, ProjectTarget& target)
{
    return readProject(LineViews(lines.begin(), lines.end()), target);
}

ReadOutcome readProjectText(std::string_view text, ProjectTarget& target)
{
    return readLines(splitLineViews(text), detectEncoding(text), target);
}

ReadOutcome readProjectFile(const std::filesystem::path& path, ProjectTarget& target)
{
    return readProjectText(readWholeFile(path), target);
}

}  // namespace quillmap
