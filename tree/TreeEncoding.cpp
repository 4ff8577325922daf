#include "tree/TreeEncoding.h"

namespace quillmap {

namespace {

void recode(std::string& text, TextEncoding encoding)
{
    std::string utf8;
    encodeText(decodeText(text, encoding), TextEncoding::Utf8, utf8);
    text = std::move(utf8);
}

}  // namespace

void recodeTreeToUtf8(ItemTree& tree, TextEncoding encoding)
{
    if (encoding == TextEncoding::Utf8) return;
    tree.forEach([encoding](Node* item, int) {
        recode(item->caption, encoding);
        if (TMyRec* r = item->record())
            for (std::string* text : {&r->URL, &r->Target, &r->OpenState, &r->CustomImage}) recode(*text, encoding);
    });
}

}  // namespace quillmap
