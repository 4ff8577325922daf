#include "generator/StaticMenu.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

#include "text/Error.h"
#include "text/TextEncoding.h"
#include "generator/CaptionMarkup.h"
#include "generator/MenuEntries.h"

namespace quillmap {

namespace {

class TextReader {
public:
    explicit TextReader(TextEncoding encoding) : encoding_(encoding) {}

    // The text as UTF-8: a view of the text itself when it is that already, otherwise of a
    // conversion that the next call replaces.
    std::string_view utf8(const std::string& text)
    {
        if (encoding_ == TextEncoding::Utf8) return text;
        bool ascii = true;
        for (const char c : text) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
        if (ascii) return text;
        converted_.clear();
        encodeText(decodeText(text, encoding_), TextEncoding::Utf8, converted_);
        return converted_;
    }

private:
    TextEncoding encoding_;
    std::string converted_;
};

}  // namespace

std::vector<char> StartOpenFolders(const std::vector<MenuEntry>& entries, bool autoClose)
{
    std::vector<char> open(entries.size(), 0);
    const auto openWithAncestors = [&](int index) {
        for (int p = index; p >= 0 && !open[static_cast<std::size_t>(p)]; p = entries[static_cast<std::size_t>(p)].parent)
            open[static_cast<std::size_t>(p)] = 1;
    };
    int last = -1;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const MenuEntry& entry = entries[i];
        if (entry.level == 0 || entry.document || !entry.opened) continue;
        if (autoClose)
            last = static_cast<int>(i);
        else
            openWithAncestors(static_cast<int>(i));
    }
    openWithAncestors(last);
    return open;
}

namespace {

constexpr std::string_view SiteLinksAttribute = " data-site-links";

class FragmentWriter {
public:
    FragmentWriter(const GlobalOptions& options, TextReader& reader, std::vector<std::string>& images)
        : options_(options), reader_(reader), images_(images)
    {
        if (!options.targetFrame.empty()) {
            frame_ = " target=\"";
            appendAttributeText(frame_, reader_.utf8(options.targetFrame));
            frame_ += '"';
        }
    }

    // Each link and folder written next is recorded in map, as a part of the given entry.
    void record(FragmentMap* map, int entry)
    {
        map_ = map;
        entry_ = entry;
    }

    // The start of a folder's row. Its <details> holds the <summary> alone, the control that opens
    // and closes it; the folder's link follows as a control of its own (a link inside a summary
    // would be one control inside another), then its list. With text links the summary is the
    // icon beside the linked caption, named by it; otherwise the summary is the caption and the
    // link lies over its icon.
    void folder(std::string& line, const Node* node, const TMyRec& record, bool open, int group)
    {
        line += "<details";
        if (group >= 0) line += " name=\"quillnav-" + std::to_string(group) + '"';
        if (map_) map_->slots.push_back({line.size(), open ? std::size_t{5} : 0, entry_, FragmentMap::Open});
        if (open) line += " open";
        line += '>';
        const bool linked = readLink(record.URL);
        markup_.clear();
        plain_.clear();
        appendCaptionMarkup(markup_, reader_.utf8(node->caption), linked ? &plain_ : nullptr);
        if (linked && options_.useTextLinks) {
            line += "<summary class=\"quillnav-toggle\" aria-label=\"" + plain_ + "\"></summary></details><a";
            link(line, frame_);
            line += '>';
            line += markup_;
            line += "</a>";
            return;
        }
        line += "<summary>";
        line += markup_;
        line += "</summary></details>";
        if (linked) {
            line += "<a class=\"quillnav-icon\"";
            link(line, frame_);
            line += " aria-label=\"" + plain_ + "\"></a>";
        }
    }

    // The start of a document's row: <a href target>caption</a>, or a <span> without a link.
    void document(std::string& line, const Node* node, const TMyRec& record)
    {
        const bool linked = readLink(record.URL);
        const bool whole = linked && options_.useTextLinks;
        line += whole ? "<a" : "<span";
        if (!record.CustomImage.empty()) line += " class=\"quillnav-img" + std::to_string(imageNumber(record.CustomImage)) + '"';
        if (whole) {
            link(line, targetOf(record));
            line += '>';
            appendCaptionMarkup(line, reader_.utf8(node->caption));
            line += "</a>";
            return;
        }
        line += '>';
        caption(line, node, linked, targetOf(record));
        line += "</span>";
    }

private:
    // Reads the item's link into href_, ready for the attribute; false when there is none to
    // write: no link, or one that runs script.
    bool readLink(const std::string& url)
    {
        href_.clear();
        return !url.empty() && appendAddressAttribute(href_, reader_.utf8(url));
    }

    const std::string& targetOf(const TMyRec& record)
    {
        static const std::string newWindow = " target=\"_blank\"";
        return record.Target == "0" || toInteger(record.Target) == 0 ? frame_ : newWindow;
    }

    // The link read last by readLink.
    void link(std::string& line, const std::string& target)
    {
        line += " href=\"";
        if (map_) map_->slots.push_back({line.size(), href_.size(), entry_, FragmentMap::Href});
        line += href_;
        line += '"';
        line += target;
    }

    // The caption, a link when the item has one: the whole caption with text links, otherwise
    // the icon alone, named by the caption's text.
    void caption(std::string& line, const Node* node, bool linked, const std::string& target)
    {
        markup_.clear();
        plain_.clear();
        appendCaptionMarkup(markup_, reader_.utf8(node->caption), linked && !options_.useTextLinks ? &plain_ : nullptr);
        if (!linked) {
            line += markup_;
        } else if (options_.useTextLinks) {
            line += "<a";
            link(line, target);
            line += '>';
            line += markup_;
            line += "</a>";
        } else {
            line += "<a class=\"quillnav-icon\"";
            link(line, target);
            line += " aria-label=\"" + plain_ + "\"></a>";
            line += markup_;
        }
    }

    std::size_t imageNumber(const std::string& image)
    {
        auto [found, added] = imageNumbers_.emplace(image, images_.size() + 1);
        if (added) images_.emplace_back(reader_.utf8(image));
        return found->second;
    }

    const GlobalOptions& options_;
    TextReader& reader_;
    std::vector<std::string>& images_;
    std::unordered_map<std::string, std::size_t> imageNumbers_;
    std::string frame_, href_, markup_, plain_;
    FragmentMap* map_ = nullptr;
    int entry_ = -1;
};

}  // namespace

namespace {

// The fragment's text, each line ending in CR LF.
std::string fragmentText(const MenuEntries& entries, const GlobalOptions& options, bool siteLinks,
                         std::vector<std::string>& images, FragmentMap* map)
{
    const std::vector<MenuEntry>& items = entries.items;
    const std::vector<char> open = StartOpenFolders(items, options.autoClose);
    TextReader reader(entries.encoding);
    FragmentWriter writer(options, reader, images);
    // The whole fragment is one text of CR LF lines, one line per entry: a menu of 100,000
    // entries is then one growing buffer, not 100,000 strings.
    std::string text;
    text.reserve(items.size() * 80);
    text += "<!-- Quillmap menu without script: link Quillnavstatic.css in the page's head. -->\r\n";
    std::string label, ignored;
    appendCaptionMarkup(ignored, reader.utf8(items[0].node->caption), &label);
    if (map) map->nav = text.size();
    text += "<nav class=\"quillnav\" aria-label=\"";
    text += label.empty() ? std::string_view("Menu") : std::string_view(label);
    text += '"';
    if (map) map->siteLinks = {text.size(), siteLinks ? SiteLinksAttribute.size() : 0};
    if (siteLinks) text += SiteLinksAttribute;
    text += ">\r\n<ul>";

    // How many lists are open around the next entry.
    std::size_t lists = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const MenuEntry& entry = items[i];
        const Node* node = entry.node;
        for (; lists > static_cast<std::size_t>(entry.level); --lists) text += "\r\n</ul></li>";
        // The last entry of a list ends the vertical line of its parent; the stylesheet lays out
        // a folder's item, which holds its list, apart from a document's single row.
        const bool last = entry.level > 0 && !node->nextSibling();
        text += entry.document ? (last ? "\r\n<li class=\"quillnav-last\">" : "\r\n<li>")
                               : (last ? "\r\n<li class=\"quillnav-folder quillnav-last\">" : "\r\n<li class=\"quillnav-folder\">");
        writer.record(map, static_cast<int>(i));
        if (entry.document) {
            writer.document(text, node, *entry.record);
        } else {
            // The folders of one parent form one group, named by the parent's index.
            const int group = options.autoClose && entry.level > 0 ? entry.parent : -1;
            writer.folder(text, node, *entry.record, entry.level == 0 || open[i], group);
        }
        if (node->childCount() == 0) {
            text += "</li>";
        } else {
            text += "<ul>";
            ++lists;
        }
    }
    for (; lists > 0; --lists) text += "\r\n</ul></li>";
    text += "\r\n</ul>\r\n</nav>\r\n";
    return text;
}

}  // namespace

std::string StaticMenuDepthWarning(const ItemTree& tree)
{
    int deepest = 0;
    tree.forEach([&](Node*, int level) { deepest = std::max(deepest, level); });
    if (deepest <= StaticMenuMaxLevel) return {};
    return "Warning: the tree is " + std::to_string(deepest + 1) + " levels deep; browsers show the menu without script " +
           "flat below about " + std::to_string(StaticMenuMaxLevel) + " levels (the script menu is not affected)";
}

StaticMenu BuildStaticMenu(const ItemTree& tree, const GlobalOptions& options, const Lines& projectStyleSheet)
{
    return BuildStaticMenu(ReadMenuEntries(tree, options), options, projectStyleSheet);
}

StaticMenu BuildStaticMenu(const MenuEntries& entries, const GlobalOptions& options, const Lines& projectStyleSheet,
                           bool siteLinks, FragmentMap* map)
{
    // The texts are read as the script reads them: UTF-8 when all of them are, otherwise the
    // 8-bit code page. The fragment is UTF-8 either way.
    StaticMenu menu;
    std::vector<std::string> images;
    menu.fragment = fragmentText(entries, options, siteLinks, images, map);
    menu.styleSheet = BuildStaticStyleSheet(projectStyleSheet, images);
    TextReader reader(entries.encoding);
    menu.frameName = std::string(reader.utf8(options.targetFrame));
    return menu;
}

}  // namespace quillmap
