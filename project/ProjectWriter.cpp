#include "project/ProjectWriter.h"

#include <string_view>
#include <vector>

#include "project/ProjectFormat.h"
#include "styles/ColorText.h"

namespace quillmap {

namespace {

class FileText {
public:
    explicit FileText(std::size_t expectedSize) { text_.reserve(expectedSize); }

    // A stored text never holds a line break; should one slip in, it must not split the file's
    // structure, so it is written as a blank.
    void line(std::string_view value, std::size_t tabs = 0)
    {
        text_.append(tabs, '\t');
        const std::size_t start = text_.size();
        text_.append(value);
        if (value.find_first_of("\r\n") != std::string_view::npos)
            for (std::size_t i = start; i < text_.size(); ++i)
                if (text_[i] == '\r' || text_[i] == '\n') text_[i] = ' ';
        text_ += "\r\n";
    }
    std::string take() { return std::move(text_); }

private:
    std::string text_;
};

struct Item {
    const Node* node;
    const TMyRec* record;
    int level;
};

std::string_view field(const Item& item, std::string TMyRec::*member)
{
    return item.record ? std::string_view(item.record->*member) : std::string_view();
}

}  // namespace

std::string projectText(const ItemTree& tree, const ProjectOptions& options)
{
    namespace f = project_format;
    std::vector<Item> items;
    items.reserve(tree.size());
    tree.forEach([&items](Node* node, int level) { items.push_back({node, node->record(), level}); });

    FileText file(tree.size() * 64 + 512);
    file.line(f::Header);
    file.line(f::VersionWritten);
    for (const Item& item : items) file.line(item.node->caption, static_cast<std::size_t>(item.level));

    file.line(f::ImagesMarker);
    for (const Item& item : items) file.line(item.node->isDocument() ? "2" : "0");

    const auto block = [&](const char* marker, std::string TMyRec::*member) {
        file.line(marker);
        for (const Item& item : items) file.line(field(item, member));
    };
    block(f::LinksMarker, &TMyRec::URL);
    block(f::TargetsMarker, &TMyRec::Target);
    block(f::OpenFoldersMarker, &TMyRec::OpenState);

    const MenuLook& look = options.look;
    file.line(f::OptionsMarker);
    file.line(options.targetFrame);
    file.line(options.useTextLinks ? f::TextLinksOn : f::TextLinksOff);
    for (Rgb color : {look.backColor, look.textColor, look.linkColor, look.visitedLinkColor, look.activatedLinkColor})
        file.line(ColorToHtml(color));
    for (int style : {look.linkStyle, look.visitedLinkStyle, look.activatedLinkStyle})
        file.line(std::to_string(style));
    file.line(options.autoClose ? f::AutoCloseOn : f::AutoCloseOff);

    block(f::CustomImagesMarker, &TMyRec::CustomImage);
    file.line(f::EndMarker);
    return file.take();
}

Lines projectLines(const ItemTree& tree, const ProjectOptions& options)
{
    return splitLines(projectText(tree, options));
}

void saveProjectFile(const std::string& path, const ItemTree& tree, const ProjectOptions& options)
{
    writeTextAtomically(path, projectText(tree, options));
}

}  // namespace quillmap
