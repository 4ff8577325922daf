#include "import/PageTitle.h"

#include <gumbo.h>

#include <algorithm>
#include <vector>

#include "text/TextEncoding.h"
#include "import/CaptionText.h"
#include "import/PageCharset.h"
#include "import/ParsedPage.h"

namespace quillmap {

namespace {

bool isHtmlElement(const GumboNode* node, GumboTag tag)
{
    return node->type == GUMBO_NODE_ELEMENT && node->v.element.tag == tag &&
           node->v.element.tag_namespace == GUMBO_NAMESPACE_HTML;
}

// The first HTML element with the tag in document order; the walk keeps its own stack.
const GumboNode* firstElement(const GumboNode* root, GumboTag tag)
{
    std::vector<const GumboNode*> stack{root};
    while (!stack.empty()) {
        const GumboNode* node = stack.back();
        stack.pop_back();
        if (node->type != GUMBO_NODE_ELEMENT && node->type != GUMBO_NODE_TEMPLATE) continue;
        if (isHtmlElement(node, tag)) return node;
        const GumboVector& children = node->v.element.children;
        for (unsigned i = children.length; i-- > 0;) stack.push_back(static_cast<const GumboNode*>(children.data[i]));
    }
    return nullptr;
}

std::string attribute(const GumboNode* element, const char* name)
{
    const GumboAttribute* a = gumbo_get_attribute(&element->v.element.attributes, name);
    return a ? std::string(a->value) : std::string();
}

// The charset the page's meta elements declare, the first declaring one winning.
std::string declaredCharset(const GumboNode* root)
{
    const GumboNode* head = firstElement(root, GUMBO_TAG_HEAD);
    if (!head) return {};
    const GumboVector& children = head->v.element.children;
    for (unsigned i = 0; i < children.length; ++i) {
        const auto* node = static_cast<const GumboNode*>(children.data[i]);
        if (!isHtmlElement(node, GUMBO_TAG_META)) continue;
        if (std::string charset = attribute(node, "charset"); !charset.empty()) return charset;
        std::string equiv = attribute(node, "http-equiv");
        for (char& c : equiv)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (equiv == "content-type")
            if (std::string charset = charsetInContentType(attribute(node, "content")); !charset.empty())
                return charset;
    }
    return {};
}

std::string textOf(const GumboNode* title)
{
    std::string text;
    const GumboVector& children = title->v.element.children;
    for (unsigned i = 0; i < children.length; ++i) {
        const auto* node = static_cast<const GumboNode*>(children.data[i]);
        if (node->type == GUMBO_NODE_TEXT || node->type == GUMBO_NODE_WHITESPACE || node->type == GUMBO_NODE_CDATA)
            text += node->v.text.text;
    }
    return text;
}

// The title's bytes as they stand in the page, between its start tag and its end tag (or the
// end of the bytes).
std::string_view rawTitle(const GumboNode* title, std::string_view page)
{
    const GumboStringPiece& start = title->v.element.original_tag;
    if (!start.data || start.data < page.data() || start.data > page.data() + page.size()) return {};
    const char* from = start.data + start.length;
    const GumboStringPiece& end = title->v.element.original_end_tag;
    const char* to = end.data && end.length > 0 ? end.data : page.data() + page.size();
    return to > from ? std::string_view(from, static_cast<std::size_t>(to - from)) : std::string_view();
}

struct TitleInPage {
    std::optional<std::string> utf8;
    bool closed = false;
    bool headOpen = false;
    std::string charset;
    bool rawIsUtf8 = true;
    bool rawIsAscii = true;
};

TitleInPage findTitle(std::string_view page)
{
    TitleInPage found;
    const ParsedPage parsed(page);
    found.charset = declaredCharset(parsed.root());
    if (const GumboNode* title = firstElement(parsed.root(), GUMBO_TAG_TITLE)) {
        found.utf8 = textOf(title);
        found.closed = title->v.element.original_end_tag.length > 0;
        const std::string_view raw = rawTitle(title, page);
        found.rawIsUtf8 = isValidUtf8(raw);
        found.rawIsAscii = std::all_of(raw.begin(), raw.end(), [](char c) { return (c & 0x80) == 0; });
    }
    const GumboNode* body = firstElement(parsed.root(), GUMBO_TAG_BODY);
    found.headOpen = !body || (body->v.element.original_tag.length == 0 && body->v.element.children.length == 0);
    return found;
}

}  // namespace

TitleScan scanPageTitle(std::string_view bytes, bool wholePage)
{
    TitleScan scan;
    std::size_t bomLength = 0;
    const PageEncoding bom = encodingOfByteOrderMark(bytes, bomLength);
    bytes.remove_prefix(bomLength);
    if (bom != PageEncoding::Utf16LE && bom != PageEncoding::Utf16BE && bytes.find('\0') != std::string_view::npos) {
        scan.binary = true;
        return scan;
    }

    TitleInPage found;
    if (bom == PageEncoding::Utf16LE || bom == PageEncoding::Utf16BE) {
        found = findTitle(convertToUtf8(bytes, {bom, {}}).value_or(std::string()));
    } else {
        found = findTitle(bytes);
        PageCharset charset = bom == PageEncoding::Utf8 ? PageCharset{PageEncoding::Utf8, {}}
                                                        : charsetFromLabel(found.charset);
        const bool charsetKnown = charset.encoding != PageEncoding::Unknown;
        if (!charsetKnown && !found.rawIsAscii && !wholePage && bytes.size() < CharsetBytes) {
            scan.wantsMore = true;
            return scan;
        }
        if (!charsetKnown && !found.rawIsUtf8) charset.encoding = PageEncoding::CodePage;
        if (charset.encoding == PageEncoding::CodePage || charset.encoding == PageEncoding::Other)
            if (const std::optional<std::string> utf8 = convertToUtf8(bytes, charset)) found = findTitle(*utf8);
    }

    if (found.utf8) {
        std::u32string title = collapseWhiteSpace(decodeText(*found.utf8, TextEncoding::Utf8));
        if (!wholePage && !found.closed && title.size() < MaxImportedCaptionLength) scan.wantsMore = true;
        if (!title.empty()) scan.title = std::move(title);
    } else if (!wholePage && found.headOpen) {
        scan.wantsMore = true;
    }
    return scan;
}

}  // namespace quillmap
