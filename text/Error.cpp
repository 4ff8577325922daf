#include "text/Error.h"

namespace quillmap {

void throwNotAnInteger(const std::string& text)
{
    std::string message = "'";
    message += text;
    message += "' is not a valid integer value";
    throw Error(message);
}

int toInteger(const std::string& text)
{
    std::size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
        negative = text[pos] == '-';
        ++pos;
    }
    if (pos == text.size()) throwNotAnInteger(text);
    long long value = 0;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c < '0' || c > '9') throwNotAnInteger(text);
        value = value * 10 + (c - '0');
        if (value > 2147483648LL) throwNotAnInteger(text);
    }
    if (negative) value = -value;
    if (value > 2147483647LL) throwNotAnInteger(text);
    return static_cast<int>(value);
}

}  // namespace quillmap
