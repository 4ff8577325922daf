#include "generator/CaptionMarkup.h"

#include <algorithm>
#include <array>
#include <vector>

#include "text/TextEncoding.h"

namespace quillmap {

namespace {

enum class ElementKind { Keep, KeepVoid, DropTag, DropWithContent };

// Deeper nesting than this in one caption is only a way to make pages slow: its tags are dropped.
constexpr std::size_t MaxNesting = 32;

bool isAsciiAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }
bool isHexDigit(char c) { return isAsciiDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }
char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string lowered(std::string_view text)
{
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), lower);
    return result;
}

template <std::size_t N>
bool among(std::string_view name, const std::array<std::string_view, N>& names)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

ElementKind kindOf(std::string_view name)
{
    static constexpr std::array<std::string_view, 30> kept = {
        "b",   "i",   "u",    "s",   "em",  "strong", "small", "big",  "sub",  "sup",
        "span", "font", "code", "kbd", "samp", "var",  "tt",    "mark", "abbr", "cite",
        "q",   "del", "ins",  "dfn", "bdi", "bdo",    "time",  "strike", "nobr", "data"};
    static constexpr std::array<std::string_view, 3> voids = {"br", "wbr", "img"};
    // Elements whose content is script, styles, another document or form data, never caption text.
    static constexpr std::array<std::string_view, 17> withContent = {
        "script", "style",  "iframe", "noembed", "noframes", "noscript", "object", "applet", "template",
        "textarea", "title", "xmp",   "plaintext", "svg",    "math",     "select", "head"};
    if (among(name, kept)) return ElementKind::Keep;
    if (among(name, voids)) return ElementKind::KeepVoid;
    if (among(name, withContent)) return ElementKind::DropWithContent;
    return ElementKind::DropTag;
}

bool isAddressAttribute(std::string_view attribute) { return attribute == "src" || attribute == "cite"; }

bool allowedAttribute(std::string_view element, std::string_view attribute)
{
    static constexpr std::array<std::string_view, 5> everywhere = {"class", "id", "title", "lang", "dir"};
    if (among(attribute, everywhere)) return true;
    if (element == "font") return attribute == "color" || attribute == "face" || attribute == "size";
    if (element == "img")
        return attribute == "src" || attribute == "alt" || attribute == "width" || attribute == "height";
    if (element == "q" || element == "del" || element == "ins") return attribute == "cite" || attribute == "datetime";
    if (element == "time" || element == "data") return attribute == "datetime" || attribute == "value";
    return false;
}

// Length of the character reference at text[0] ('&'), or 0 when none starts there: a named one
// (&name;) or a decimal or hexadecimal one, always with its semicolon.
std::size_t referenceLength(std::string_view text)
{
    std::size_t i = 1;
    if (i < text.size() && text[i] == '#') {
        ++i;
        const bool hex = i < text.size() && (text[i] == 'x' || text[i] == 'X');
        if (hex) ++i;
        const std::size_t digits = i;
        while (i < text.size() && (hex ? isHexDigit(text[i]) : isAsciiDigit(text[i])) && i - digits < 8) ++i;
        if (i == digits) return 0;
    } else {
        if (i >= text.size() || !isAsciiAlpha(text[i])) return 0;
        while (i < text.size() && (isAsciiAlpha(text[i]) || isAsciiDigit(text[i])) && i < 40) ++i;
    }
    return i < text.size() && text[i] == ';' ? i + 1 : 0;
}

// Appends markup text or an attribute value: character references stay, everything else that is
// not plain text is escaped, control characters go (line breaks and tabs become blanks).
enum class Place { Text, Attribute };

// A character that needs no escaping: in text a double quote is one.
bool isPlainCharacter(char c, Place place)
{
    return c != '&' && c != '<' && c != '>' && (c != '"' || place == Place::Text) &&
           static_cast<unsigned char>(c) >= 0x20 && c != 0x7F;
}

// Appends the run of plain characters at text[i] and returns where it ends.
std::size_t appendPlainRun(std::string& out, std::string_view text, std::size_t i, Place place)
{
    const std::size_t start = i;
    while (i < text.size() && isPlainCharacter(text[i], place)) ++i;
    out.append(text.data() + start, i - start);
    return i;
}

void appendEscaped(std::string& out, std::string_view text, Place place)
{
    for (std::size_t i = 0; (i = appendPlainRun(out, text, i, place)) < text.size(); ++i) {
        const char c = text[i];
        switch (c) {
        case '&':
            if (const std::size_t length = referenceLength(text.substr(i))) {
                out.append(text.substr(i, length));
                i += length - 1;
            } else {
                out += "&amp;";
            }
            break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\t':
        case '\n':
        case '\r': out += ' '; break;
        default: break;  // another control character
        }
    }
}

// The value of an attribute as the browser reads it, for the address check. Only numeric
// references and the five of XML are decoded; a value with any other reference is refused
// (false), since its meaning could hide a scheme.
bool decodeAttributeValue(std::string_view value, std::string& decoded)
{
    decoded.clear();
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '&') {
            decoded += value[i];
            continue;
        }
        const std::size_t length = referenceLength(value.substr(i));
        if (length == 0) return false;
        const std::string_view body = value.substr(i + 1, length - 2);
        if (body[0] == '#') {
            const bool hex = body.size() > 1 && (body[1] == 'x' || body[1] == 'X');
            char32_t c = 0;
            for (char digit : body.substr(hex ? 2 : 1)) {
                const unsigned d = isAsciiDigit(digit) ? unsigned(digit - '0') : unsigned(lower(digit) - 'a' + 10);
                c = std::min<char32_t>(c * (hex ? 16 : 10) + d, 0x110000);
            }
            appendUtf8(decoded, c == 0 ? 0xFFFD : c);  // a browser reads &#0; as U+FFFD too
        } else if (body == "amp") {
            decoded += '&';
        } else if (body == "lt") {
            decoded += '<';
        } else if (body == "gt") {
            decoded += '>';
        } else if (body == "quot") {
            decoded += '"';
        } else if (body == "apos") {
            decoded += '\'';
        } else {
            return false;
        }
        i += length - 1;
    }
    return true;
}

struct Attribute {
    std::string name;
    std::string_view value;
};

// Reads a tag from text[start] (just after its name) to its '>'. Returns the position after the
// '>', or npos when the tag never ends.
std::size_t readAttributes(std::string_view text, std::size_t i, std::vector<Attribute>& attributes)
{
    attributes.clear();
    for (;;) {
        while (i < text.size() && (isBlank(text[i]) || text[i] == '/')) ++i;
        if (i >= text.size()) return std::string_view::npos;
        if (text[i] == '>') return i + 1;
        const std::size_t nameStart = i++;
        while (i < text.size() && !isBlank(text[i]) && text[i] != '/' && text[i] != '>' && text[i] != '=') ++i;
        Attribute attribute{lowered(text.substr(nameStart, i - nameStart)), {}};
        std::size_t j = i;
        while (j < text.size() && isBlank(text[j])) ++j;
        if (j < text.size() && text[j] == '=') {
            i = j + 1;
            while (i < text.size() && isBlank(text[i])) ++i;
            if (i >= text.size()) return std::string_view::npos;
            if (text[i] == '"' || text[i] == '\'') {
                const std::size_t end = text.find(text[i], i + 1);
                if (end == std::string_view::npos) return std::string_view::npos;
                attribute.value = text.substr(i + 1, end - i - 1);
                i = end + 1;
            } else {
                const std::size_t valueStart = i;
                while (i < text.size() && !isBlank(text[i]) && text[i] != '>') ++i;
                attribute.value = text.substr(valueStart, i - valueStart);
            }
        }
        attributes.push_back(std::move(attribute));
    }
}

// Position just after the end tag </name ...> at or after from, or npos when there is none.
std::size_t afterEndTag(std::string_view text, std::size_t from, std::string_view name)
{
    for (std::size_t i = text.find("</", from); i != std::string_view::npos; i = text.find("</", i + 2)) {
        const std::size_t after = i + 2 + name.size();
        if (after > text.size() || lowered(text.substr(i + 2, name.size())) != name) continue;
        if (after < text.size() && !isBlank(text[after]) && text[after] != '/' && text[after] != '>') continue;
        const std::size_t close = text.find('>', after);
        return close == std::string_view::npos ? close : close + 1;
    }
    return std::string_view::npos;
}

std::size_t tagNameEnd(std::string_view text, std::size_t i)
{
    while (i < text.size() && !isBlank(text[i]) && text[i] != '/' && text[i] != '>') ++i;
    return i;
}

class CaptionWriter {
public:
    CaptionWriter(std::string& out, std::string* plainText) : out_(out), plainText_(plainText) {}

    void write(std::string_view text)
    {
        std::size_t i = 0;
        while (i < text.size()) {
            const std::size_t lt = text.find('<', i);
            appendText(text.substr(i, lt == std::string_view::npos ? std::string_view::npos : lt - i));
            if (lt == std::string_view::npos) break;
            i = markupAt(text, lt);
        }
        while (!open_.empty()) closeTop();
    }

private:
    void appendText(std::string_view text)
    {
        appendEscaped(out_, text, Place::Text);
        if (plainText_) appendEscaped(*plainText_, text, Place::Attribute);
    }

    // Handles the markup at text[i] == '<'; returns where the text goes on (its end when the
    // markup never ends).
    std::size_t markupAt(std::string_view text, std::size_t i)
    {
        const std::size_t npos = std::string_view::npos;
        const auto next = [&](std::size_t k) { return k < text.size() ? text[k] : '\0'; };
        if (isAsciiAlpha(next(i + 1))) {
            const std::size_t nameEnd = tagNameEnd(text, i + 1);
            const std::string name = lowered(text.substr(i + 1, nameEnd - i - 1));
            const std::size_t end = readAttributes(text, nameEnd, attributes_);
            if (end == npos) return text.size();
            startTag(name);
            if (kindOf(name) != ElementKind::DropWithContent) return end;
            const std::size_t after = afterEndTag(text, end, name);
            return after == npos ? text.size() : after;
        }
        if (text.substr(i, 4) == "<!--") {
            // "<!-->" and "<!--->" are empty comments.
            if (next(i + 4) == '>') return i + 5;
            if (next(i + 4) == '-' && next(i + 5) == '>') return i + 6;
            const std::size_t end = text.find("-->", i + 4);
            return end == npos ? text.size() : end + 3;
        }
        if (next(i + 1) == '/' && isAsciiAlpha(next(i + 2))) {
            const std::size_t nameEnd = tagNameEnd(text, i + 2);
            const std::size_t end = text.find('>', nameEnd);
            if (end == npos) return text.size();
            endTag(lowered(text.substr(i + 2, nameEnd - i - 2)));
            return end + 1;
        }
        if (next(i + 1) == '/' || next(i + 1) == '!' || next(i + 1) == '?') {
            const std::size_t end = text.find('>', i + 1);
            return end == npos ? text.size() : end + 1;
        }
        appendText("<");
        return i + 1;
    }

    void startTag(const std::string& name)
    {
        const ElementKind kind = kindOf(name);
        if (kind != ElementKind::Keep && kind != ElementKind::KeepVoid) return;
        if (open_.size() >= MaxNesting) return;
        out_ += '<';
        out_ += name;
        bool hasAlt = false;
        for (const Attribute& attribute : attributes_) {
            if (!allowedAttribute(name, attribute.name)) continue;
            if (isAddressAttribute(attribute.name)) {
                if (!decodeAttributeValue(attribute.value, decoded_)) continue;
                const std::size_t start = out_.size();
                out_ += ' ' + attribute.name + "=\"";
                if (!appendAddressAttribute(out_, decoded_)) {
                    out_.resize(start);
                    continue;
                }
            } else {
                out_ += ' ' + attribute.name + "=\"";
                appendEscaped(out_, attribute.value, Place::Attribute);
            }
            out_ += '"';
            hasAlt = hasAlt || attribute.name == "alt";
        }
        if (name == "img" && !hasAlt) out_ += " alt=\"\"";
        out_ += '>';
        if (kind == ElementKind::Keep) open_.push_back(name);
    }

    void endTag(const std::string& name)
    {
        const auto found = std::find(open_.rbegin(), open_.rend(), name);
        if (found == open_.rend()) return;
        const std::size_t keep = static_cast<std::size_t>(open_.rend() - found) - 1;
        while (open_.size() > keep) closeTop();
    }

    void closeTop()
    {
        out_ += "</" + open_.back() + '>';
        open_.pop_back();
    }

    std::string& out_;
    std::string* plainText_;
    std::vector<std::string> open_;
    std::vector<Attribute> attributes_;
    std::string decoded_;
};

}  // namespace

void appendCaptionMarkup(std::string& out, std::string_view caption, std::string* plainText)
{
    // Most captions hold no markup: their text only needs escaping.
    if (caption.find('<') == std::string_view::npos) {
        appendEscaped(out, caption, Place::Text);
        if (plainText) appendEscaped(*plainText, caption, Place::Attribute);
        return;
    }
    CaptionWriter(out, plainText).write(caption);
}

void appendAttributeText(std::string& out, std::string_view text)
{
    for (std::size_t i = 0; (i = appendPlainRun(out, text, i, Place::Attribute)) < text.size(); ++i) {
        switch (text[i]) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: break;  // a control character
        }
    }
}

namespace {

// The address as a browser's URL parser takes it: without the blanks and C0 controls around it,
// without tabs and line breaks anywhere, and with every other control character as %XX, as the
// parser escapes it in a path, query or fragment.
void appendBrowserAddress(std::string& out, std::string_view address)
{
    const auto outer = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
    while (!address.empty() && outer(address.front())) address.remove_prefix(1);
    while (!address.empty() && outer(address.back())) address.remove_suffix(1);
    static constexpr char Hex[] = "0123456789ABCDEF";
    for (const char c : address) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\t' || c == '\n' || c == '\r') continue;
        if (byte < 0x20 || byte == 0x7F) {
            out += '%';
            out += Hex[byte >> 4];
            out += Hex[byte & 15];
        } else {
            out += c;
        }
    }
}

// Whether an address read by appendBrowserAddress starts with a scheme that runs script: the
// letters, digits, '+', '-' and '.' before the first colon, starting with a letter.
bool startsWithScriptScheme(std::string_view address)
{
    std::string scheme;
    for (const char c : address) {
        if (c == ':') return scheme == "javascript" || scheme == "vbscript" || scheme == "data";
        if (!isAsciiAlpha(c) && !(!scheme.empty() && (isAsciiDigit(c) || c == '+' || c == '-' || c == '.'))) return false;
        if (scheme.size() == 10) return false;  // longer than any scheme that runs script
        scheme += lower(c);
    }
    return false;  // no scheme: an address relative to the page
}

}  // namespace

bool isScriptAddress(std::string_view address)
{
    std::string read;
    appendBrowserAddress(read, address);
    return startsWithScriptScheme(read);
}

bool appendAddressAttribute(std::string& out, std::string_view address)
{
    std::string read;
    appendBrowserAddress(read, address);
    if (startsWithScriptScheme(read)) return false;
    appendAttributeText(out, read);
    return true;
}

}  // namespace quillmap
