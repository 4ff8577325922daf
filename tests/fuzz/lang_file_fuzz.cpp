// Any bytes given as Lang.ini end in texts or in the program's own error, never a crash, and the
// texts handed to the windows keep the file's rules.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "text/Error.h"
#include "lang/WindowTexts.h"

using namespace quillmap;

namespace {

void check(bool condition)
{
    if (!condition) std::abort();
}

bool hasLineEndOrNul(const std::string& text) { return text.find_first_of(std::string("\r\n\0", 3)) != std::string::npos; }

// Runs one window's reading and checks it set exactly the texts before its first missing line.
template <class Target, class Order, class Apply>
void applyWindow(const LanguageFile& file, const Order& order, Apply apply)
{
    std::size_t set = 0;
    bool failed = false;
    try {
        apply(file, [&](Target target, int, const std::string& text) {
            ++set;
            if constexpr (std::is_same_v<Target, MainText>) {
                if (target == MainText::Memo1) {
                    for (std::size_t i = 0; i + 1 < text.size(); ++i)
                        check(!(text[i] == '\\' && (text[i + 1] == 'n' || text[i + 1] == 'N')));
                    return;
                }
            }
            check(!hasLineEndOrNul(text));
        });
    } catch (const Error&) {
        failed = true;
    }
    std::size_t expected = 0;
    while (expected < order.size() && static_cast<std::size_t>(order[expected].line) < file.lineCount()) ++expected;
    check(failed == (expected < order.size()));
    // The main window's later texts follow while the file has them.
    if constexpr (std::is_same_v<Target, MainText>) {
        if (!failed)
            for (const auto& step : MainWindowLaterTexts)
                if (static_cast<std::size_t>(step.line) < file.lineCount()) ++expected;
    }
    check(set == expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const LanguageFile file = LanguageFile::fromBytes(bytes);
    check(file.lineCount() <= size);
    for (std::size_t i = 0; i < file.lineCount(); ++i) check(!hasLineEndOrNul(file.line(i)));
    try {
        file.line(file.lineCount());
        check(false);
    } catch (const Error&) {
    }

    applyWindow<MainText>(file, MainWindowReadingOrder, applyMainWindowLanguage);
    applyWindow<ColorsText>(file, ColorsWindowReadingOrder, applyColorsWindowLanguage);
    applyWindow<PromptText>(file, PromptReadingOrder, applyPromptLanguage);
    return 0;
}
