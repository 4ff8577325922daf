#include "cli/CommandLine.h"

namespace quillmap {

std::optional<int> parseCommandLine(const CommandLineSyntax& syntax, const std::vector<std::string>& arguments,
                                    std::ostream& out, std::ostream& err)
{
    const auto usageError = [&](const std::string& message) {
        if (!message.empty()) err << syntax.program << ": " << message << "\n";
        err << syntax.usage;
        return 2;
    };

    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (!optionsEnded && a == "--") {
            optionsEnded = true;
            continue;
        }
        if (optionsEnded) {
            if (!syntax.argument->empty()) return usageError(syntax.onlyOneArgument);
            *syntax.argument = a;
            continue;
        }
        if (a == "--help" || a == "-h") {
            out << syntax.usage;
            return 0;
        }
        if (a == "--version") {
            out << syntax.program << " " << syntax.version << "\n";
            return 0;
        }
        bool known = false;
        for (const auto& option : syntax.values) {
            if (a.rfind(option.name + "=", 0) == 0)
                *option.value = a.substr(option.name.size() + 1);
            else if (a == option.name)
                *option.value = i + 1 < arguments.size() ? arguments[++i] : std::string();
            else
                continue;
            // A missing value, or an empty one (an unset shell variable), must not quietly leave
            // the default in place.
            if (option.value->empty()) return usageError(option.name + " needs " + option.what);
            known = true;
            break;
        }
        for (const auto& flag : syntax.flags) {
            if (a != flag.name) continue;
            *flag.set = true;
            known = true;
        }
        if (known) continue;
        // "-" alone is an argument: the tools take it for standard input or output.
        if (a.size() > 1 && a[0] == '-') return usageError("unknown option " + a);
        if (!syntax.argument->empty()) return usageError(syntax.onlyOneArgument);
        *syntax.argument = a;
    }
    if (syntax.argument->empty() && !syntax.argumentOptional) return usageError("");
    return std::nullopt;
}

}  // namespace quillmap
