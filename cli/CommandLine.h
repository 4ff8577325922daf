#pragma once
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace quillmap {

// What a command-line program accepts: options with a value ("--name VALUE" or "--name=VALUE"),
// flags, and exactly one plain argument ("-" included), or at most one where it is optional. --help (-h) and --version are always
// understood; after "--" every argument is a plain one, so a file named "-x" can be given.
struct CommandLineSyntax {
    struct ValueOption {
        std::string name;   // "--out"
        std::string what;   // what the value is, for the message when it is missing: "a folder"
        std::string* value;  // an empty value is refused like a missing one
    };
    struct Flag {
        std::string name;
        bool* set;
    };

    std::string program;  // "quillmap-build"
    std::string version;
    const char* usage = "";
    std::vector<ValueOption> values;
    std::vector<Flag> flags;
    std::string* argument = nullptr;
    std::string onlyOneArgument;  // the message when a second plain argument comes
    bool argumentOptional = false;
};

// Fills the syntax's targets from the arguments. The result is empty when the program is to go on,
// else its exit status: 0 after the help or version text went to out, 2 after a usage error went
// to err.
std::optional<int> parseCommandLine(const CommandLineSyntax& syntax, const std::vector<std::string>& arguments,
                                    std::ostream& out, std::ostream& err);

}  // namespace quillmap
