// The file-reading layer: any bytes on disk come back exactly, split into lines that join back to
// the same text, in an encoding that decodes and encodes back to the same bytes (what opening and
// saving without an edit relies on), and a project or language file of them ends in a result or
// the program's own error.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "text/Error.h"
#include "text/TextEncoding.h"
#include "text/TextFile.h"
#include "lang/LanguageFile.h"
#include "project/ProjectData.h"

using namespace quillmap;

namespace {

void check(bool condition)
{
    if (!condition) std::abort();
}

const std::filesystem::path& scratchFile()
{
    static const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("quillmap_text_file_fuzz_" + std::to_string(::getpid()));
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    {
        std::ofstream out(scratchFile(), std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    check(readWholeFile(scratchFile()) == bytes);

    // Lines rejoined with CR LF split into the same lines.
    const Lines lines = splitLines(bytes);
    check(splitLines(joinLinesCrLf(lines)) == lines);

    const TextEncoding encoding = detectEncoding(bytes);
    std::string again;
    check(encodeText(decodeText(bytes, encoding), encoding, again));
    check(again == bytes);

    try {
        ProjectData project;
        readProjectData(scratchFile(), project);
        check(project.encoding == encoding || project.tree.empty());
    } catch (const Error&) {
    }
    try {
        LanguageFile::load(scratchFile());
    } catch (const Error&) {
        check(false);  // a regular file of any content is a language file
    }
    return 0;
}
