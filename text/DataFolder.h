#pragma once
#include <filesystem>

namespace quillmap {

// The user's own folder for what Quillmap keeps between runs (recovery copies, ...):
// ${XDG_DATA_HOME:-$HOME/.local/share}/quillmap, %LOCALAPPDATA%\Quillmap on Windows. Empty when the
// environment names no such place. The folder is not created here.
std::filesystem::path quillmapDataFolder();

}  // namespace quillmap
