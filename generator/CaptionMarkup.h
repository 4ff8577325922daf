#pragma once
#include <string>
#include <string_view>

namespace quillmap {

// Captions are markup, as in the script menu. Written into a static page, one caption's markup
// must not reach the entries around it nor bring script into the page. appendCaptionMarkup reads
// a UTF-8 caption the way a browser would read it alone and appends it as markup that is closed
// in itself:
// - text formatting elements (b, i, em, font, span, sub, img and the like) stay with their
//   harmless attributes (class, id, title, lang, dir, the colour and size of font, an image's
//   src, alt and size); event handlers, style attributes and addresses that run script go;
// - script, style, frames, forms and similar elements go with their content; any other element
//   (a link, a list, a table cell) goes without its tags, its text stays;
// - comments go; an unclosed comment or tag ends the caption, as it would in a page of its own;
// - every element left open is closed at the caption's end, and an end tag that closes nothing
//   of the caption's own is dropped;
// - text is escaped where it is not a character reference; control characters go.
// When plainText is given, the caption's text without markup, ready for an attribute value, is
// appended there.
void appendCaptionMarkup(std::string& out, std::string_view caption, std::string* plainText = nullptr);

// Appends text as the value of a double-quoted attribute: &, <, > and " become references and
// control characters go.
void appendAttributeText(std::string& out, std::string_view text);

// True for an address whose scheme runs script or carries a document of its own when followed
// (javascript:, vbscript:, data:), however it is written in case, blanks or control characters.
// The scheme is read as a browser reads it: after the blanks and control characters around the
// address and the tabs and line breaks inside it are gone.
bool isScriptAddress(std::string_view address);

// Appends an address as the value of a double-quoted attribute, read as isScriptAddress reads it,
// with the control characters left inside it as %XX: the browser then finds the very scheme that
// was checked, since no character of the address is dropped in between. Appends nothing and
// returns false for an address that runs script.
bool appendAddressAttribute(std::string& out, std::string_view address);

}  // namespace quillmap
