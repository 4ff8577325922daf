#include "import/PageAnchors.h"

#include <vector>

#include "text/TextEncoding.h"
#include "import/PageCharset.h"
#include "import/ParsedPage.h"

namespace quillmap {

std::unordered_set<std::string> pageAnchors(std::string_view page)
{
    std::string converted;
    if (!isValidUtf8(page)) {
        converted = convertToUtf8(page, PageCharset{PageEncoding::CodePage, {}}).value_or(std::string());
        page = converted;
    }
    std::unordered_set<std::string> anchors;
    const ParsedPage parsed(page);
    // The walk keeps its own stack: a page nested ever so deep cannot exhaust the thread's.
    std::vector<const GumboNode*> stack{parsed.root()};
    while (!stack.empty()) {
        const GumboNode* node = stack.back();
        stack.pop_back();
        if (node->type != GUMBO_NODE_ELEMENT && node->type != GUMBO_NODE_TEMPLATE) continue;
        const GumboElement& element = node->v.element;
        if (const GumboAttribute* id = gumbo_get_attribute(&element.attributes, "id")) anchors.insert(id->value);
        if (element.tag == GUMBO_TAG_A)
            if (const GumboAttribute* name = gumbo_get_attribute(&element.attributes, "name"))
                anchors.insert(name->value);
        for (unsigned i = 0; i < element.children.length; ++i)
            stack.push_back(static_cast<const GumboNode*>(element.children.data[i]));
    }
    return anchors;
}

}  // namespace quillmap
