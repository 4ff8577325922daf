#include "import/LinkAddress.h"

#include "import/AsciiText.h"

namespace quillmap {

namespace {

bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// The link without the blanks and control characters around it, and without tabs and line
// breaks inside it.
std::string cleaned(std::string_view link)
{
    std::size_t from = 0, to = link.size();
    while (from < to && static_cast<unsigned char>(link[from]) <= ' ') ++from;
    while (to > from && static_cast<unsigned char>(link[to - 1]) <= ' ') --to;
    std::string out;
    out.reserve(to - from);
    for (std::size_t i = from; i < to; ++i)
        if (link[i] != '\t' && link[i] != '\n' && link[i] != '\r') out += link[i];
    return out;
}

// The scheme the text starts with ("mailto" of "mailto:me@example.org"), lower case; empty for
// a relative link.
std::string schemeOf(std::string_view text)
{
    if (text.empty() || !isAsciiLetter(text[0])) return {};
    for (std::size_t i = 1; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ':') return asciiLower(text.substr(0, i));
        if (!isAsciiLetter(c) && !(c >= '0' && c <= '9') && c != '+' && c != '-' && c != '.') return {};
    }
    return {};
}

// Bytes a request may carry as they are; the rest is escaped as a browser escapes it.
bool keptInRequest(unsigned char c) { return c > ' ' && c < 0x7F && c != '"' && c != '<' && c != '>'; }

// The path of a file: URL: "file:///home/me/a.html" and "file://localhost/home/me/a.html" name
// /home/me/a.html; another host stays in front ("//server/share/a.html").
std::string fileUrlPath(std::string_view rest)
{
    std::string path(rest);
    if (path.rfind("//", 0) == 0) {
        const std::size_t slash = path.find('/', 2);
        const std::string host = path.substr(2, slash == std::string::npos ? std::string::npos : slash - 2);
        if (host.empty() || asciiLower(host) == "localhost")
            path = slash == std::string::npos ? "/" : path.substr(slash);
    }
#ifdef _WIN32
    // "file:///C:/site/a.html" names C:/site/a.html.
    if (path.size() > 2 && path[0] == '/' && isAsciiLetter(path[1]) && (path[2] == ':' || path[2] == '|')) {
        path.erase(0, 1);
        path[1] = ':';
    }
#endif
    return path;
}

}  // namespace

LinkAddress parseLink(std::string_view link)
{
    LinkAddress address;
    std::string text = cleaned(link);
    if (text.empty()) return address;
    if (const std::size_t hash = text.find('#'); hash != std::string::npos) {
        address.hasFragment = true;
        address.fragment = text.substr(hash + 1);
        text.resize(hash);
    }
    const std::size_t query = text.find('?');
    const std::size_t pathEnd = query == std::string::npos ? text.size() : query;
    for (std::size_t i = 0; i < pathEnd; ++i)
        if (text[i] == '\\') text[i] = '/';

    address.scheme = schemeOf(text);
    const std::string& scheme = address.scheme;
    if (scheme.size() == 1 && text.size() > 2 && text[2] == '/') {
        // A drive path, "C:/site/a.html": Windows browsers open it as a file.
        address.kind = LinkKind::Local;
        address.absolute = true;
        address.path = text.substr(0, pathEnd);
    } else if (scheme == "http" || scheme == "https" || (scheme.empty() && text.rfind("//", 0) == 0)) {
        // An address without a scheme takes the one of the page; sites are served over https.
        address.kind = LinkKind::Web;
        if (scheme.empty()) address.scheme = "https";
        address.path = percentEncoded(scheme.empty() ? "https:" + text : text, keptInRequest);
    } else if (scheme == "file") {
        address.kind = LinkKind::Local;
        address.absolute = true;
        address.path = fileUrlPath(std::string_view(text).substr(5, pathEnd - 5));
    } else if (!scheme.empty()) {
        address.kind = LinkKind::Other;
    } else {
        address.path = text.substr(0, pathEnd);
        address.kind = address.path.empty() ? LinkKind::SamePage : LinkKind::Local;
    }
    return address;
}

}  // namespace quillmap
