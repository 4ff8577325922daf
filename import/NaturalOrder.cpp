#include "import/NaturalOrder.h"

namespace quillmap {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
char folded(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Compares the digit runs starting at a[i] and b[j] by value and moves both past them. Leading
// zeros do not count, so any length of run compares without overflow.
int compareNumbers(std::string_view a, std::size_t& i, std::string_view b, std::size_t& j)
{
    const auto skipRun = [](std::string_view s, std::size_t& k, std::size_t& firstSignificant) {
        while (k < s.size() && s[k] == '0') ++k;
        firstSignificant = k;
        while (k < s.size() && isDigit(s[k])) ++k;
    };
    std::size_t aStart, bStart;
    skipRun(a, i, aStart);
    skipRun(b, j, bStart);
    const std::string_view aDigits = a.substr(aStart, i - aStart);
    const std::string_view bDigits = b.substr(bStart, j - bStart);
    if (aDigits.size() != bDigits.size()) return aDigits.size() < bDigits.size() ? -1 : 1;
    const int c = aDigits.compare(bDigits);
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

}  // namespace

bool naturalLess(std::string_view a, std::string_view b)
{
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            if (const int c = compareNumbers(a, i, b, j)) return c < 0;
            continue;
        }
        const char x = folded(a[i]), y = folded(b[j]);
        if (x != y) return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
        ++i, ++j;
    }
    if (i < a.size() || j < b.size()) return j < b.size();
    return a < b;
}

}  // namespace quillmap
