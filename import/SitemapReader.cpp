#include "import/SitemapReader.h"

#include <pugixml.hpp>

#include "text/Error.h"

namespace quillmap {

namespace {

std::string_view localName(const char* name)
{
    std::string_view n(name);
    const std::size_t colon = n.find(':');
    return colon == std::string_view::npos ? n : n.substr(colon + 1);
}

pugi::xml_node child(pugi::xml_node parent, std::string_view name)
{
    for (pugi::xml_node c = parent.first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element && localName(c.name()) == name) return c;
    return {};
}

std::string trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return std::string(text);
}

// An HTML page, recognised by its doctype or its top element, given where a sitemap should be.
bool looksLikeHtml(std::string_view text, bool parsed, const pugi::xml_node& top)
{
    if (top && localName(top.name()) == "html") return true;
    if (parsed) return false;
    std::string start(text.substr(0, 512));
    for (char& c : start)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return start.find("<!doctype html") != std::string::npos || start.find("<html") != std::string::npos;
}

}  // namespace

SitemapContents readSitemapText(std::string_view xml, const std::string& name)
{
    pugi::xml_document document;
    const pugi::xml_parse_result parsed =
        document.load_buffer(xml.data(), xml.size(), pugi::parse_default);
    if (looksLikeHtml(xml, parsed, document.document_element()))
        throw Error(name + " is not a sitemap but an HTML page; give the site's sitemap.xml or its folder");
    if (!parsed)
        throw Error(name + " is not a sitemap: " + parsed.description() + " at byte " +
                    std::to_string(parsed.offset));
    const pugi::xml_node top = document.document_element();
    SitemapContents contents;
    const std::string_view topName = top ? localName(top.name()) : std::string_view();
    if (topName == "sitemapindex")
        contents.isIndex = true;
    else if (topName != "urlset")
        throw Error(name + " is not a sitemap: its top element is neither urlset nor sitemapindex");
    const std::string_view entryName = contents.isIndex ? "sitemap" : "url";
    for (pugi::xml_node entry = top.first_child(); entry; entry = entry.next_sibling()) {
        if (entry.type() != pugi::node_element || localName(entry.name()) != entryName) continue;
        if (const pugi::xml_node loc = child(entry, "loc")) {
            std::string location = trimmed(loc.text().get());
            if (!location.empty()) contents.locations.push_back(std::move(location));
        }
    }
    return contents;
}

}  // namespace quillmap
