#include "generator/MenuEntries.h"

#include <string>

#include "text/Error.h"

namespace quillmap {

namespace {

const TMyRec& recordOf(const Node* node)
{
    static const TMyRec folderDefaults = TMyRec::folderDefaults();
    static const TMyRec documentDefaults = TMyRec::documentDefaults();
    if (node->record()) return *node->record();
    return node->isDocument() ? documentDefaults : folderDefaults;
}

bool isUtf8Entry(const MenuEntry& entry)
{
    const TMyRec& r = *entry.record;
    for (const std::string* text : {&entry.node->caption, &r.URL, &r.Target, &r.OpenState, &r.CustomImage})
        if (!isValidUtf8(*text)) return false;
    return true;
}

}  // namespace

MenuEntries ReadMenuEntries(const ItemTree& tree, const GlobalOptions& options)
{
    if (tree.empty()) throw Error("No items to build!");
    MenuEntries entries;
    std::vector<MenuEntry>& items = entries.items;
    items.reserve(tree.size());
    std::vector<int> lastAtLevel;
    bool utf8 = isValidUtf8(options.targetFrame);
    tree.forEach([&](Node* node, int level) {
        const auto depth = static_cast<std::size_t>(level);
        const int parent = level == 0 ? -1 : lastAtLevel[depth - 1];
        lastAtLevel.resize(depth + 1);
        lastAtLevel[depth] = static_cast<int>(items.size());
        const TMyRec& record = recordOf(node);
        items.push_back({node, &record, parent, level, node->isDocument(), record.OpenState == "1", !record.CustomImage.empty()});
        utf8 = utf8 && isUtf8Entry(items.back());
    });
    entries.encoding = utf8 ? TextEncoding::Utf8 : TextEncoding::CodePage;
    return entries;
}

}  // namespace quillmap
