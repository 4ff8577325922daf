#pragma once
#include <gumbo.h>

#include <string_view>

namespace quillmap {

// A page parsed with Gumbo. Gumbo allocates every node, text and vector on its own; pages are
// parsed many thousand times in an import or a link check, so a parse takes its memory from a
// block that the thread reuses and gives it back all at once. Only one ParsedPage may live in a
// thread at a time. Parse errors are not recorded.
class ParsedPage {
public:
    explicit ParsedPage(std::string_view utf8);
    ~ParsedPage();
    ParsedPage(const ParsedPage&) = delete;
    ParsedPage& operator=(const ParsedPage&) = delete;

    const GumboNode* root() const { return output_->root; }

private:
    GumboOptions options_ = kGumboDefaultOptions;
    GumboOutput* output_ = nullptr;
};

}  // namespace quillmap
