// The whole pipeline on any bytes the reader accepts: writing what was read and reading that
// again gives the same project and the same text, and building the menu from it gives the script
// or the generator's own refusal; a tree of the shape the window's commands make always builds.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "text/Error.h"
#include "generator/ScriptBuilder.h"
#include "project/ProjectData.h"
#include "project/ProjectWriter.h"

using namespace quillmap;

namespace {

void check(bool condition)
{
    if (!condition) std::abort();
}

std::string describe(const ItemTree& tree)
{
    std::string text;
    tree.forEach([&text](Node* n, int level) {
        const TMyRec* r = n->record();
        text += std::to_string(level) + '|' + n->caption + '|' + std::to_string(n->isDocument()) + '|' + r->URL + '|' +
                r->Target + '|' + r->OpenState + '|' + r->CustomImage + '\n';
    });
    return text;
}

bool isInteger(const std::string& text)
{
    try {
        toInteger(text);
        return true;
    } catch (const Error&) {
        return false;
    }
}

// One top item; only the top item and folders hold items; every document's target is a number.
bool madeByTheCommands(const ItemTree& tree)
{
    if (tree.topLevel().size() != 1) return false;
    bool ok = true;
    tree.forEach([&](Node* n, int level) {
        if (n->isDocument() && (!isInteger(n->record()->Target) || (level > 0 && n->childCount() > 0))) ok = false;
    });
    return ok;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    ProjectData first;
    ProjectDataTarget firstTarget(first);
    try {
        if (readProjectText(text, firstTarget) != ReadOutcome::Loaded) return 0;
    } catch (const Error&) {
        return 0;
    }

    const std::string written = projectText(first.tree, first.options);
    ProjectData second;
    ProjectDataTarget secondTarget(second);
    check(readProjectText(written, secondTarget) == ReadOutcome::Loaded);
    check(describe(second.tree) == describe(first.tree));
    check(second.options == first.options);
    check(projectText(second.tree, second.options) == written);

    if (first.tree.empty()) return 0;
    try {
        const Lines script = BuildScriptLines(first.tree, first.options);
        check(!script.empty());
    } catch (const Error&) {
        check(!madeByTheCommands(first.tree));
    }
    return 0;
}
