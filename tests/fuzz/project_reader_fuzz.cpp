// Any bytes given as a project file must end in a result or a quillmap::Error: no crash, hang,
// other exception or unbounded memory. What was read must also be writable in the file's layout.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "text/Error.h"
#include "project/ProjectData.h"
#include "project/ProjectWriter.h"

using namespace quillmap;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    ProjectData project;
    ProjectDataTarget target(project);
    try {
        if (readProjectText(text, target) != ReadOutcome::Loaded) return 0;
    } catch (const Error&) {
        return 0;
    }
    project.tree.forEach([](Node* item, int) {
        if (!item->record()) __builtin_trap();
    });
    const std::size_t n = project.tree.size();
    const Lines lines = projectLines(project.tree, project.options);
    if (lines.size() != 2 + n + 4 * (n + 1) + 12 + (n + 1) + 1) __builtin_trap();
    return 0;
}
