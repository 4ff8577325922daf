#include "project/ProjectWriter.h"

#include <vector>

#include "project/ProjectFormat.h"
#include "styles/ColorText.h"

namespace quillmap {

namespace {

// A stored text never holds a line break; should one slip in, it must not split the file's
// structure, so it is written as a blank.
std::string oneLine(const std::string& text)
{
    if (text.find_first_of("\r\n") == std::string::npos) return text;
    std::string line = text;
    for (char& c : line)
        if (c == '\r' || c == '\n') c = ' ';
    return line;
}

const std::string& field(const Node* item, std::string TMyRec::*member)
{
    static const std::string empty;
    const TMyRec* record = item->record();
    return record ? record->*member : empty;
}

}  // namespace

Lines projectLines(const ItemTree& tree, const ProjectOptions& options)
{
    namespace f = project_format;
    std::vector<const Node*> items;
    items.reserve(tree.size());
    Lines lines;
    lines.reserve(tree.size() * 6 + 24);

    lines.emplace_back(f::Header);
    lines.emplace_back(f::VersionWritten);
    tree.forEach([&](Node* item, int level) {
        items.push_back(item);
        lines.push_back(std::string(static_cast<std::size_t>(level), '\t') + oneLine(item->caption));
    });

    lines.emplace_back(f::ImagesMarker);
    for (const Node* item : items) lines.emplace_back(item->isDocument() ? "2" : "0");

    const auto block = [&](const char* marker, std::string TMyRec::*member) {
        lines.emplace_back(marker);
        for (const Node* item : items) lines.push_back(oneLine(field(item, member)));
    };
    block(f::LinksMarker, &TMyRec::URL);
    block(f::TargetsMarker, &TMyRec::Target);
    block(f::OpenFoldersMarker, &TMyRec::OpenState);

    const MenuLook& look = options.look;
    lines.emplace_back(f::OptionsMarker);
    lines.push_back(oneLine(options.targetFrame));
    lines.emplace_back(options.useTextLinks ? f::TextLinksOn : f::TextLinksOff);
    for (Rgb color : {look.backColor, look.textColor, look.linkColor, look.visitedLinkColor, look.activatedLinkColor})
        lines.push_back(ColorToHtml(color));
    for (int style : {look.linkStyle, look.visitedLinkStyle, look.activatedLinkStyle})
        lines.push_back(std::to_string(style));
    lines.emplace_back(options.autoClose ? f::AutoCloseOn : f::AutoCloseOff);

    block(f::CustomImagesMarker, &TMyRec::CustomImage);
    lines.emplace_back(f::EndMarker);
    return lines;
}

void saveProjectFile(const std::string& path, const ItemTree& tree, const ProjectOptions& options)
{
    writeLinesCrLfAtomically(path, projectLines(tree, options));
}

}  // namespace quillmap
