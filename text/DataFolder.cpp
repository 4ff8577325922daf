#include "text/DataFolder.h"

#include <cstdlib>

namespace quillmap {

namespace fs = std::filesystem;

#ifdef _WIN32

fs::path quillmapDataFolder()
{
    const wchar_t* local = _wgetenv(L"LOCALAPPDATA");
    if (!local || !*local) return {};
    return fs::path(local) / L"Quillmap";
}

#else

fs::path quillmapDataFolder()
{
    // A relative XDG_DATA_HOME is invalid and is ignored, as the base directory rules say.
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data && *data == '/') return fs::path(data) / "quillmap";
    const char* home = std::getenv("HOME");
    if (!home || *home != '/') return {};
    return fs::path(home) / ".local" / "share" / "quillmap";
}

#endif

}  // namespace quillmap
