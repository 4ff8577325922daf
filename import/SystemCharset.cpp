#include "import/SystemCharset.h"

#include <iconv.h>

#include <array>
#include <cerrno>

namespace quillmap {

// iconv knows the IANA charset names pages use.
std::optional<std::string> convertWithSystem(std::string_view bytes, const char* from)
{
    iconv_t converter = iconv_open("UTF-8", from);
    if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    std::array<char, 4096> buffer;
    while (inLeft > 0) {
        char* outPtr = buffer.data();
        std::size_t outLeft = buffer.size();
        const std::size_t done = iconv(converter, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer.data(), buffer.size() - outLeft);
        if (done != static_cast<std::size_t>(-1)) continue;
        if (errno == E2BIG) continue;
        if (errno == EINVAL) break;  // an incomplete sequence at the end
        out += "\xEF\xBF\xBD";       // EILSEQ: one byte the charset does not allow
        ++in, --inLeft;
        iconv(converter, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(converter);
    return out;
}

}  // namespace quillmap
