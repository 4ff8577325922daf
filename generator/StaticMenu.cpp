#include "generator/StaticMenu.h"

#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "text/Error.h"
#include "text/TextEncoding.h"
#include "generator/CaptionMarkup.h"

namespace quillmap {

namespace {

const TMyRec& recordOf(const Node* node)
{
    static const TMyRec folderDefaults = TMyRec::folderDefaults();
    static const TMyRec documentDefaults = TMyRec::documentDefaults();
    if (node->record()) return *node->record();
    return node->isDocument() ? documentDefaults : folderDefaults;
}

// True when every text of the item is valid UTF-8.
bool isUtf8Item(const Node* node, const TMyRec& r)
{
    return isValidUtf8(node->caption) && isValidUtf8(r.URL) && isValidUtf8(r.CustomImage) && isValidUtf8(r.Target) &&
           isValidUtf8(r.OpenState);
}

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

// The folders that start open: those opened in the project and every folder around one. With
// auto-close the script menu opens them in turn, each closing the ones before it, so only the
// last one opened stays open with the folders around it.
std::unordered_set<const Node*> startOpenFolders(const ItemTree& tree, bool autoClose)
{
    std::unordered_set<const Node*> open;
    const Node* last = nullptr;
    tree.forEach([&](Node* node, int level) {
        if (level == 0 || node->isDocument() || recordOf(node).OpenState != "1") return;
        if (autoClose) {
            last = node;
            return;
        }
        for (const Node* p = node; p && open.insert(p).second;) p = p->parent();
    });
    for (const Node* p = last; p; p = p->parent()) open.insert(p);
    return open;
}

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

    // The start of a folder's row: <li><details><summary>...</summary>
    void folder(std::string& line, const Node* node, const TMyRec& record, bool open, int group)
    {
        line += "<li><details";
        if (group >= 0) line += " name=\"quillnav-" + std::to_string(group) + '"';
        if (open) line += " open";
        line += "><summary>";
        caption(line, node, record.URL, frame_);
        line += "</summary>";
    }

    // The start of a document's row: <li><a href target>caption</a>, or a <span> without a link.
    void document(std::string& line, const Node* node, const TMyRec& record)
    {
        const bool linked = hasLink(record.URL);
        const bool whole = linked && options_.useTextLinks;
        line += whole ? "<li><a" : "<li><span";
        if (!record.CustomImage.empty()) line += " class=\"quillnav-img" + std::to_string(imageNumber(record.CustomImage)) + '"';
        if (whole) {
            link(line, record.URL, targetOf(record));
            line += '>';
            appendCaptionMarkup(line, reader_.utf8(node->caption));
            line += "</a>";
            return;
        }
        line += '>';
        caption(line, node, record.URL, targetOf(record));
        line += "</span>";
    }

private:
    static bool hasLink(const std::string& url) { return !url.empty() && !isScriptAddress(url); }

    const std::string& targetOf(const TMyRec& record)
    {
        static const std::string newWindow = " target=\"_blank\"";
        return record.Target == "0" || toInteger(record.Target) == 0 ? frame_ : newWindow;
    }

    void link(std::string& line, const std::string& url, const std::string& target)
    {
        line += " href=\"";
        appendAttributeText(line, reader_.utf8(url));
        line += '"';
        line += target;
    }

    // The caption, a link when the item has one: the whole caption with text links, otherwise
    // the icon alone, named by the caption's text.
    void caption(std::string& line, const Node* node, const std::string& url, const std::string& target)
    {
        const bool linked = hasLink(url);
        markup_.clear();
        plain_.clear();
        appendCaptionMarkup(markup_, reader_.utf8(node->caption), linked && !options_.useTextLinks ? &plain_ : nullptr);
        if (!linked) {
            line += markup_;
        } else if (options_.useTextLinks) {
            line += "<a";
            link(line, url, target);
            line += '>';
            line += markup_;
            line += "</a>";
        } else {
            line += "<a class=\"quillnav-icon\"";
            link(line, url, target);
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
    std::string frame_, markup_, plain_;
};

}  // namespace

namespace {

// The fragment's text, read in the given encoding. Reading as UTF-8 (when utf8Seen is given) it
// stops at the first item that is not UTF-8, clears *utf8Seen and returns nothing.
std::string fragmentText(const ItemTree& tree, const GlobalOptions& options, TextEncoding encoding,
                         const std::unordered_set<const Node*>& open, std::vector<std::string>& images,
                         bool* utf8Seen)
{
    TextReader reader(encoding);
    FragmentWriter writer(options, reader, images);
    // The whole fragment is one text of CR LF lines, one line per entry: a menu of 100,000
    // entries is then one growing buffer, not 100,000 strings.
    std::string text;
    text.reserve(tree.size() * 80);
    text += "<!-- Quillmap menu without script: link Quillnavstatic.css in the page's head. -->\r\n";
    std::string label, ignored;
    appendCaptionMarkup(ignored, reader.utf8(tree.root()->caption), &label);
    text += "<nav class=\"quillnav\" aria-label=\"" + (label.empty() ? std::string("Menu") : label) + "\">\r\n<ul>";

    // Folders whose list is open, with their absolute index: the group name of their children.
    std::vector<std::pair<const Node*, int>> lists;
    const auto closeList = [&]() {
        text += lists.back().first->isDocument() ? "\r\n</ul></li>" : "\r\n</ul></details></li>";
        lists.pop_back();
    };
    int index = 0;
    tree.forEach([&](Node* node, int level) {
        const TMyRec& record = recordOf(node);
        if (utf8Seen && *utf8Seen) *utf8Seen = isUtf8Item(node, record);
        if (utf8Seen && !*utf8Seen) return;
        while (lists.size() > static_cast<std::size_t>(level)) closeList();
        text += "\r\n";
        if (node->isDocument()) {
            writer.document(text, node, record);
            if (node->childCount() == 0) text += "</li>";
        } else {
            const int group = options.autoClose && !lists.empty() ? lists.back().second : -1;
            writer.folder(text, node, record, level == 0 || open.count(node) > 0, group);
            if (node->childCount() == 0) text += "</details></li>";
        }
        if (node->childCount() > 0) {
            text += "<ul>";
            lists.emplace_back(node, index);
        }
        ++index;
    });
    if (utf8Seen && !*utf8Seen) return {};
    while (!lists.empty()) closeList();
    text += "\r\n</ul>\r\n</nav>";
    return text;
}

}  // namespace

StaticMenu BuildStaticMenu(const ItemTree& tree, const GlobalOptions& options, const Lines& projectStyleSheet)
{
    if (tree.empty()) throw Error("No items to build!");
    const std::unordered_set<const Node*> open = startOpenFolders(tree, options.autoClose);
    // The texts are UTF-8 when all of them are, otherwise the 8-bit code page, as in the script.
    // Most projects are UTF-8: the menu is made so at once, and made again should a text not be.
    StaticMenu menu;
    std::vector<std::string> images;
    bool utf8 = isValidUtf8(options.targetFrame);
    if (utf8) menu.fragment.push_back(fragmentText(tree, options, TextEncoding::Utf8, open, images, &utf8));
    const TextEncoding encoding = utf8 ? TextEncoding::Utf8 : TextEncoding::CodePage;
    if (!utf8) {
        images.clear();
        menu.fragment.assign(1, fragmentText(tree, options, encoding, open, images, nullptr));
    }
    TextReader reader(encoding);
    menu.styleSheet = BuildStaticStyleSheet(projectStyleSheet, images);
    menu.frameName = std::string(reader.utf8(options.targetFrame));
    return menu;
}

}  // namespace quillmap
