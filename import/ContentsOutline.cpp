#include "import/ContentsOutline.h"

#include <algorithm>
#include <unordered_map>

#include "text/Error.h"
#include "text/TextEncoding.h"
#include "text/TextFile.h"
#include "import/AsciiText.h"
#include "import/LinkAddress.h"
#include "import/PageCharset.h"
#include "import/ParsedPage.h"
#include "import/RelativeLink.h"
#include "import/SiteFolderScan.h"

namespace quillmap {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t None = static_cast<std::size_t>(-1);
// An entry's text only names a folder: more of it would never be shown.
constexpr std::size_t MaxEntryText = 1024;

bool isText(const GumboNode* node)
{
    return node->type == GUMBO_NODE_TEXT || node->type == GUMBO_NODE_WHITESPACE || node->type == GUMBO_NODE_CDATA;
}

bool isElement(const GumboNode* node) { return node->type == GUMBO_NODE_ELEMENT || node->type == GUMBO_NODE_TEMPLATE; }

const GumboVector& childrenOf(const GumboNode* node)
{
    return node->type == GUMBO_NODE_DOCUMENT ? node->v.document.children : node->v.element.children;
}

// The first element marked as the page's main part, or nothing.
const GumboNode* mainPart(const GumboNode* root)
{
    std::vector<const GumboNode*> stack{root};
    while (!stack.empty()) {
        const GumboNode* node = stack.back();
        stack.pop_back();
        if (!isElement(node)) continue;
        const GumboElement& element = node->v.element;
        const GumboAttribute* role = gumbo_get_attribute(&element.attributes, "role");
        if (element.tag == GUMBO_TAG_MAIN || (role && asciiLower(role->value) == "main")) return node;
        for (unsigned i = element.children.length; i-- > 0;)
            stack.push_back(static_cast<const GumboNode*>(element.children.data[i]));
    }
    return nullptr;
}

void collapseBlanks(std::string& text)
{
    std::string out;
    for (const char c : text) {
        const bool blank = c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
        if (!blank)
            out += c;
        else if (!out.empty() && out.back() != ' ')
            out += ' ';
    }
    if (!out.empty() && out.back() == ' ') out.pop_back();
    text = std::move(out);
}

std::vector<ContentsEntry> entriesBelow(const GumboNode* top)
{
    struct Frame {
        const GumboNode* node;
        std::size_t entry;         // the entry that takes the text and the first link, or None
        std::size_t parent;        // the entry new entries lie in
        bool linksAreEntries;      // in a nav: a link outside entries is an entry of its own
        const GumboNode* list;     // the list it lies in
    };
    std::vector<ContentsEntry> entries(1);
    // Per list, its last item or term: a dd belongs to it, and so does a list put right in the
    // list, as careless pages nest them.
    std::unordered_map<const GumboNode*, std::size_t> lastItem;
    const auto add = [&](std::size_t parent) {
        entries.push_back({parent, {}, {}});
        return entries.size() - 1;
    };
    std::vector<Frame> stack{{top, None, 0, false, nullptr}};
    while (!stack.empty()) {
        const Frame frame = stack.back();
        stack.pop_back();
        if (isText(frame.node)) {
            if (frame.entry != None && entries[frame.entry].text.size() < MaxEntryText)
                entries[frame.entry].text.append(frame.node->v.text.text);
            continue;
        }
        if (!isElement(frame.node) && frame.node->type != GUMBO_NODE_DOCUMENT) continue;
        Frame inner = frame;
        if (isElement(frame.node)) {
            const GumboElement& element = frame.node->v.element;
            switch (element.tag) {
            case GUMBO_TAG_SCRIPT:
            case GUMBO_TAG_STYLE:
            case GUMBO_TAG_TEMPLATE:
            case GUMBO_TAG_HEAD:
                continue;
            case GUMBO_TAG_LI:
            case GUMBO_TAG_DT:
                inner.entry = inner.parent = add(frame.parent);
                lastItem[frame.list] = inner.entry;
                break;
            case GUMBO_TAG_DD: {
                const auto term = lastItem.find(frame.list);
                inner.entry = inner.parent = add(term == lastItem.end() ? frame.parent : term->second);
                break;
            }
            case GUMBO_TAG_UL:
            case GUMBO_TAG_OL:
            case GUMBO_TAG_DL: {
                inner.entry = None;
                inner.linksAreEntries = false;
                inner.list = frame.node;
                const auto item = lastItem.find(frame.list);
                if (frame.list && frame.node->parent == frame.list && item != lastItem.end()) inner.parent = item->second;
                break;
            }
            case GUMBO_TAG_NAV:
                inner.entry = None;
                inner.linksAreEntries = true;
                break;
            case GUMBO_TAG_A:
                if (const GumboAttribute* href = gumbo_get_attribute(&element.attributes, "href")) {
                    if (frame.entry == None && frame.linksAreEntries) inner.entry = add(frame.parent);
                    if (inner.entry != None && entries[inner.entry].link.empty()) entries[inner.entry].link = href->value;
                }
                break;
            default:
                break;
            }
        }
        const GumboVector& children = childrenOf(frame.node);
        for (unsigned i = children.length; i-- > 0;)
            stack.push_back({static_cast<const GumboNode*>(children.data[i]), inner.entry, inner.parent,
                             inner.linksAreEntries, inner.list});
    }
    for (ContentsEntry& e : entries) collapseBlanks(e.text);
    return entries;
}

bool listsLinks(const std::vector<ContentsEntry>& entries)
{
    return std::any_of(entries.begin(), entries.end(), [](const ContentsEntry& e) { return !e.link.empty(); });
}

// The file a link of the contents page leads to, as a path to compare (lexically normal), and
// whether it leads to a place in that file. Nothing for links that leave the site's files.
struct LinkTarget {
    std::string file;
    bool place = false;
};

std::string keyOf(const fs::path& file) { return file.lexically_normal().generic_string(); }

std::optional<LinkTarget> targetOf(const std::string& link, const fs::path& page, const fs::path& root)
{
    const LinkAddress address = parseLink(link);
    if (address.kind == LinkKind::SamePage) return LinkTarget{keyOf(page), true};
    if (address.kind != LinkKind::Local) return std::nullopt;
    const std::string path = decodeLinkSegment(address.path);
    fs::path file;
    if (address.absolute)
        file = pathFromText(path);
    else if (path[0] == '/')
        file = root / pathFromText(path.substr(1));
    else
        file = page.parent_path() / pathFromText(path);
    return LinkTarget{keyOf(file), address.hasFragment};
}

// Where a page of the scanned outline is: its folder and its position there, None for the
// folder's index page.
struct Place {
    std::size_t folder;
    std::size_t page;
};

class PageFinder {
public:
    explicit PageFinder(const SiteOutline& scanned)
    {
        for (std::size_t f = 0; f < scanned.folders.size(); ++f) {
            const OutlineFolder& folder = scanned.folders[f];
            if (folder.index) add(folder.index->file, {f, None});
            for (std::size_t p = 0; p < folder.pages.size(); ++p) add(folder.pages[p].file, {f, p});
        }
    }

    // A link to a folder finds its index page.
    std::optional<Place> find(const std::string& key) const
    {
        if (const auto it = places_.find(key); it != places_.end()) return it->second;
        const std::string folder = key.empty() || key.back() == '/' ? key : key + '/';
        for (const char* extension : PageExtensions)
            if (const auto it = places_.find(folder + "index" + extension); it != places_.end()) return it->second;
        return std::nullopt;
    }

private:
    void add(const std::string& file, Place place)
    {
        if (!file.empty()) places_.emplace(keyOf(file), place);
    }
    std::unordered_map<std::string, Place> places_;
};

fs::path contentsFile(const fs::path& page, const fs::path& root)
{
    std::error_code ec;
    fs::path file = page.is_relative() && fs::is_regular_file(root / page, ec) ? root / page : fs::absolute(page, ec);
    if (!fs::is_regular_file(file, ec)) throw Error("Cannot open file " + page.string());
    return fs::weakly_canonical(file, ec);
}

std::vector<ContentsEntry> entriesOfFile(const fs::path& file)
{
    return contentsEntries(readWholeFile(file));
}

}  // namespace

std::vector<ContentsEntry> contentsEntries(std::string_view page)
{
    std::string converted;
    if (!isValidUtf8(page)) {
        converted = convertToUtf8(page, PageCharset{PageEncoding::CodePage, {}}).value_or(std::string());
        page = converted;
    }
    const ParsedPage parsed(page);
    if (const GumboNode* main = mainPart(parsed.root())) {
        std::vector<ContentsEntry> entries = entriesBelow(main);
        if (listsLinks(entries)) return entries;
    }
    return entriesBelow(parsed.root());
}

SiteOutline outlineFromContents(const SiteOutline& scanned, const fs::path& contentsPage, const fs::path& root,
                                ImportReport& report)
{
    const fs::path page = contentsFile(contentsPage, root);
    const std::vector<ContentsEntry> entries = entriesOfFile(page);
    const PageFinder finder(scanned);

    // Per page of the scanned outline, its pages and then its index page.
    using PageFlags = std::vector<std::vector<bool>>;
    PageFlags taken(scanned.folders.size()), linkedWhole(scanned.folders.size());
    for (std::size_t f = 0; f < scanned.folders.size(); ++f) {
        taken[f].resize(scanned.folders[f].pages.size() + 1);
        linkedWhole[f].resize(scanned.folders[f].pages.size() + 1);
    }
    const auto slot = [&](PageFlags& flags, Place p) -> std::vector<bool>::reference {
        return flags[p.folder][p.page == None ? scanned.folders[p.folder].pages.size() : p.page];
    };
    const auto pageAt = [&](Place p) -> const OutlinePage& {
        const OutlineFolder& folder = scanned.folders[p.folder];
        return p.page == None ? *folder.index : folder.pages[p.page];
    };

    // Which entry places which page: the first that links to it, or to a place in it when none
    // links to the page itself.
    std::vector<std::optional<Place>> linked(entries.size());
    std::vector<bool> toPlaceIn(entries.size());
    for (std::size_t i = 1; i < entries.size(); ++i) {
        if (entries[i].link.empty()) continue;
        const std::optional<LinkTarget> target = targetOf(entries[i].link, page, root);
        // "#top" and the like place nothing: the contents page comes first anyway.
        if (!target || (target->place && target->file == keyOf(page)) || !(linked[i] = finder.find(target->file)))
            continue;
        toPlaceIn[i] = target->place;
        if (!target->place) slot(linkedWhole, *linked[i]) = true;
    }
    for (std::size_t i = 1; i < entries.size(); ++i) {
        if (!linked[i]) continue;
        if ((toPlaceIn[i] && slot(linkedWhole, *linked[i])) || slot(taken, *linked[i])) {
            linked[i].reset();
            continue;
        }
        slot(taken, *linked[i]) = true;
    }

    // Entries below which a page is placed; going backwards sees an entry's inner entries first.
    std::vector<bool> holds(entries.size()), holdsInside(entries.size());
    for (std::size_t i = entries.size(); i-- > 1;) {
        holds[i] = linked[i] || holdsInside[i];
        if (holds[i]) holdsInside[entries[i].parent] = true;
    }

    SiteOutline outline;
    outline.add(scanned.folders[0].name, "./");
    const std::optional<Place> self = finder.find(keyOf(page));
    if (scanned.folders[0].index && !taken[0].back()) {
        outline.folders[0].index = scanned.folders[0].index;
        taken[0].back() = true;
    }
    if (self && !slot(taken, *self)) {
        slot(taken, *self) = true;
        outline.folders[0].pages.push_back(pageAt(*self));
        outline.folders[0].mixedOrder.push_back(false);
    }
    std::vector<std::size_t> folderOf(entries.size(), 0);
    for (std::size_t i = 1; i < entries.size(); ++i) {
        if (!holds[i]) continue;
        OutlineFolder& parent = outline.folders[folderOf[entries[i].parent]];
        if (!holdsInside[i]) {
            parent.pages.push_back(pageAt(*linked[i]));
            parent.mixedOrder.push_back(false);
            continue;
        }
        // A list in an item of its own, with nothing to name it, continues the list around it.
        if (!linked[i] && entries[i].text.empty()) {
            folderOf[i] = folderOf[entries[i].parent];
            continue;
        }
        const std::size_t f = outline.add(entries[i].text, page.filename().string() + ": " + entries[i].text);
        outline.folders[folderOf[entries[i].parent]].folders.push_back(f);
        outline.folders[folderOf[entries[i].parent]].mixedOrder.push_back(true);
        outline.folders[f].nameIsCaption = true;
        if (linked[i]) outline.folders[f].index = pageAt(*linked[i]);
        folderOf[i] = f;
    }

    // The rest of the site, in its folders; a folder before those below it, as scanned.
    std::vector<bool> remains(scanned.folders.size());
    std::size_t unlisted = 0;
    for (std::size_t f = scanned.folders.size(); f-- > 0;) {
        for (const bool t : taken[f]) unlisted += !t;
        unlisted -= !scanned.folders[f].index && !taken[f].back();  // the slot of a missing index
        remains[f] = std::find(taken[f].begin(), taken[f].end() - 1, false) != taken[f].end() - 1 ||
                     (scanned.folders[f].index && !taken[f].back());
        for (const std::size_t child : scanned.folders[f].folders) remains[f] = remains[f] || remains[child];
    }
    const std::size_t offset = outline.folders.size() - 1;
    for (std::size_t f = 0; f < scanned.folders.size(); ++f) {
        const OutlineFolder& from = scanned.folders[f];
        const std::size_t to = f == 0 ? 0 : outline.add(from.name, from.place);
        if (!remains[f]) continue;
        OutlineFolder& folder = outline.folders[to];
        if (f != 0) {
            folder.nameIsCaption = from.nameIsCaption;
            if (from.index && !taken[f].back()) folder.index = from.index;
        }
        const bool mixed = f == 0;
        for (const std::size_t child : from.folders)
            if (remains[child]) {
                folder.folders.push_back(child + offset);
                if (mixed) folder.mixedOrder.push_back(true);
            }
        for (std::size_t p = 0; p < from.pages.size(); ++p)
            if (!taken[f][p]) {
                folder.pages.push_back(from.pages[p]);
                if (mixed) folder.mixedOrder.push_back(false);
            }
    }
    report.unlistedPages = unlisted;
    return outline;
}

std::optional<std::string> guessContentsPage(const fs::path& site)
{
    std::error_code ec;
    std::optional<std::string> named, index;
    for (fs::directory_iterator it(site, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        const std::string lower = asciiLower(name);
        if (!it->is_regular_file(ec)) continue;
        for (const char* stem : {"contents", "toc", "sitemap"})
            for (const char* extension : {".html", ".htm"})
                if (lower == std::string(stem) + extension && (!named || name < *named)) named = name;
        if (lower == "index.html" || lower == "index.htm") index = name;
    }
    if (named) return named;
    if (!index) return std::nullopt;

    const fs::path root = fs::weakly_canonical(site, ec);
    std::vector<std::string> linked;
    try {
        const fs::path page = root / pathFromText(*index);
        for (const ContentsEntry& entry : entriesOfFile(page))
            if (const std::optional<LinkTarget> target = targetOf(entry.link, page, root))
                if (!target->place && fs::is_regular_file(pathFromText(target->file), ec)) linked.push_back(target->file);
    } catch (const Error&) {
        return std::nullopt;
    }
    std::sort(linked.begin(), linked.end());
    linked.erase(std::unique(linked.begin(), linked.end()), linked.end());
    std::size_t pages = 0;
    for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (!name.empty() && name[0] == '.') {
            if (it->is_directory(ec)) it.disable_recursion_pending();
            continue;
        }
        if (isPageFileName(name, false) && it->is_regular_file(ec) && ++pages >= 2 * linked.size()) return std::nullopt;
    }
    return index;
}

}  // namespace quillmap
