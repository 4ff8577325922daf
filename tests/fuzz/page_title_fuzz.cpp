// Any bytes given as the start of a page must give a title or none, never a crash or hang; the
// caption made of it must hold no line break and open no markup.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "import/CaptionText.h"
#include "import/PageTitle.h"

using namespace quillmap;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const TitleScan scan = scanPageTitle(bytes, size % 2 == 0);
    if (!scan.title) return 0;
    for (const TextEncoding encoding : {TextEncoding::Utf8, TextEncoding::CodePage}) {
        const std::string caption = captionText(*scan.title, encoding);
        for (std::size_t i = 0; i < caption.size(); ++i) {
            if (caption[i] == '\r' || caption[i] == '\n') __builtin_trap();
            const char next = i + 1 < caption.size() ? caption[i + 1] : ' ';
            if (caption[i] == '<' && ((next | 0x20) >= 'a' && (next | 0x20) <= 'z')) __builtin_trap();
        }
        if (encoding == TextEncoding::Utf8 && !isValidUtf8(caption)) __builtin_trap();
    }
    return 0;
}
