#pragma once
#include <filesystem>
#include <string>
#include <vector>

namespace quillmap {

// The folder that holds the program's data (out/, Help/, Projects/, Lang.ini): the executable's own
// folder for an unpacked program, <prefix>/share/quillmap/ beside <prefix>/bin/ for an installed
// one. The executable's folder is taken whenever it holds an out folder, else the installed
// folder when that holds one; with neither, the executable's folder (whose missing files are then
// reported where they are needed).
std::filesystem::path programDataFolder(const std::filesystem::path& executableFolder);

// The user's own folder for what the program writes: ${XDG_DATA_HOME:-$HOME/.local/share}/quillmap
// (XDG_DATA_HOME only when it is an absolute path), %LOCALAPPDATA%\Quillmap on Windows. Throws
// quillmap::Error when the environment names no such place.
std::filesystem::path perUserDataFolder();

// Whether a new file can be made in folder: tried by making (and removing) one, since neither
// permission bits nor access() tell the truth about read-only mounts, ACLs or a root user.
bool folderWritable(const std::filesystem::path& folder);

// Whether the program in programFolder was put there by the Windows installer: its uninstaller
// (InstallerUninstallerName, beside the executables) deletes the folder with the program, so
// nothing of the user's may be kept there.
inline constexpr const char* InstallerUninstallerName = "uninstall.exe";
bool installedByInstaller(const std::filesystem::path& programFolder);

// Where a build without a named folder writes the menu: the shipped out folder while it can be
// written and the installer did not put it there (a portable program works as it always did), or
// when it is missing, else perUserOut. The per-user folder is
// made on first use with the files at the top of the shipped folder (the test page, the tree
// images), and every later call adds those that are missing there without replacing any of the
// user's; of the shipped subfolders only those named in `folders` are added (the sample site, for
// a build whose links lead into it: see linkedShippedFolders). Throws quillmap::Error saying what
// could not be written and why; a per-user folder that fails half-way is reported, never passed by,
// and one that is not the user's own (another user's, or one others can write to) is refused.
std::filesystem::path resolveOutFolder(const std::filesystem::path& shippedOut,
                                       const std::filesystem::path& perUserOut,
                                       const std::vector<std::string>& folders = {});
// The same with the per-user folder of the environment: perUserDataFolder() + "out".
std::filesystem::path resolveOutFolder(const std::filesystem::path& shippedOut,
                                       const std::vector<std::string>& folders = {});

}  // namespace quillmap
