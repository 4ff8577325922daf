#include "project/ProjectWriter.h"

#include <string_view>
#include <utility>

#include "project/ProjectFormat.h"
#include "styles/ColorText.h"

namespace quillmap {

namespace {

// Appends lines to a text, each followed by CR LF. A stored text never holds a line break; should
// one slip in, it must not split the file's structure, so it is written as a blank.
void appendLine(std::string& text, std::string_view value, std::size_t tabs = 0)
{
    text.append(tabs, '\t');
    const std::size_t start = text.size();
    text.append(value);
    for (auto it = text.begin() + static_cast<std::ptrdiff_t>(start); it != text.end(); ++it)
        if (*it == '\r' || *it == '\n') *it = ' ';
    text += "\r\n";
}

// An item's text on a line of its own. A text equal to the marker line that closes its block
// would end the block on reading; one trailing blank keeps it a text.
void appendValue(std::string& text, std::string_view value, std::string_view closingMarker, std::size_t tabs = 0)
{
    appendLine(text, value, tabs);
    if (tabs == 0 && value == closingMarker) text.insert(text.size() - 2, 1, ' ');
}

}  // namespace

namespace f = project_format;

std::string projectText(const ItemTree& tree, const ProjectOptions& options)
{
    // One walk over the items fills every per-item block at once.
    enum { Outline, Kinds, Links, Targets, OpenStates, CustomImages, BlockCount };
    const std::string_view imagesMarker = f::ImagesMarker, targetsMarker = f::TargetsMarker,
                           openFoldersMarker = f::OpenFoldersMarker, optionsMarker = f::OptionsMarker,
                           endMarker = f::EndMarker;
    std::string blocks[BlockCount];
    const std::size_t n = tree.size();
    for (std::string& block : blocks) block.reserve(n * 4);
    tree.forEach([&](Node* item, int level) {
        appendValue(blocks[Outline], item->caption, imagesMarker, static_cast<std::size_t>(level));
        appendLine(blocks[Kinds], item->isDocument() ? "2" : "0");
        const TMyRec* r = item->record();
        appendValue(blocks[Links], r ? std::string_view(r->URL) : std::string_view(), targetsMarker);
        appendValue(blocks[Targets], r ? std::string_view(r->Target) : std::string_view(), openFoldersMarker);
        appendValue(blocks[OpenStates], r ? std::string_view(r->OpenState) : std::string_view(), optionsMarker);
        appendValue(blocks[CustomImages], r ? std::string_view(r->CustomImage) : std::string_view(), endMarker);
    });

    std::string text;
    std::size_t size = 512;
    for (const std::string& block : blocks) size += block.size();
    text.reserve(size);
    appendLine(text, f::Header);
    appendLine(text, f::VersionWritten);
    text += blocks[Outline];
    const std::pair<const char*, int> markedBlocks[] = {
        {f::ImagesMarker, Kinds}, {f::LinksMarker, Links}, {f::TargetsMarker, Targets},
        {f::OpenFoldersMarker, OpenStates}};
    for (const auto& [marker, block] : markedBlocks) {
        appendLine(text, marker);
        text += blocks[block];
    }

    const MenuLook& look = options.look;
    appendLine(text, f::OptionsMarker);
    appendLine(text, options.targetFrame);
    appendLine(text, options.useTextLinks ? f::TextLinksOn : f::TextLinksOff);
    for (Rgb color : {look.backColor, look.textColor, look.linkColor, look.visitedLinkColor, look.activatedLinkColor})
        appendLine(text, ColorToHtml(color));
    for (int style : {look.linkStyle, look.visitedLinkStyle, look.activatedLinkStyle})
        appendLine(text, std::to_string(style));
    appendLine(text, options.autoClose ? f::AutoCloseOn : f::AutoCloseOff);

    appendLine(text, f::CustomImagesMarker);
    text += blocks[CustomImages];
    appendLine(text, f::EndMarker);
    if (!options.site.empty()) {
        const ProjectSite& site = options.site;
        appendLine(text, f::SiteMarker);
        appendLine(text, site.siteFolder);
        appendLine(text, site.menuFolder);
        appendLine(text, site.writePages ? f::WritePagesOn : f::WritePagesOff);
        appendLine(text, site.startPage);
    }
    return text;
}

Lines projectLines(const ItemTree& tree, const ProjectOptions& options)
{
    return splitLines(projectText(tree, options));
}

void saveProjectFile(const std::filesystem::path& path, const ItemTree& tree, const ProjectOptions& options)
{
    saveTextFile(path, projectText(tree, options));
}

}  // namespace quillmap
