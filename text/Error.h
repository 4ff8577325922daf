#pragma once
#include <stdexcept>
#include <string>

namespace quillmap {

// An error raised inside a file, conversion or registry operation. It ends the operation at once;
// the window code shows its text in the general error report.
class Error : public std::runtime_error {
public:
    explicit Error(const std::string& text) : std::runtime_error(text) {}
};

// "'%s' is not a valid integer value"
[[noreturn]] void throwNotAnInteger(const std::string& text);

// Reads a whole text as a decimal integer (optional sign, no blanks), as the project reader and the
// Properties panel do; anything else throws the integer error.
int toInteger(const std::string& text);

}  // namespace quillmap
