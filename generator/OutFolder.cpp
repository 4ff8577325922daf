#include "generator/OutFolder.h"

#include <cstdlib>
#include <string>
#include <system_error>

#include "text/DataFolder.h"
#include "text/Error.h"
#include "text/TextFile.h"
#include "text/UnguessableName.h"
#include "text/UsersOwn.h"
#include "generator/ShippedFiles.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace quillmap {

namespace fs = std::filesystem;

namespace {

bool isFolder(const fs::path& path)
{
    std::error_code ec;
    return fs::is_directory(path, ec);
}

fs::path probeName(const fs::path& folder) { return folder / (".quillmap-probe-" + unguessableName()); }

}  // namespace

fs::path programDataFolder(const fs::path& executableFolder)
{
    if (isFolder(executableFolder / "out")) return executableFolder;
    const fs::path installed = executableFolder.parent_path() / "share" / "quillmap";
    if (isFolder(installed / "out")) return installed;
    return executableFolder;
}

fs::path perUserDataFolder()
{
    const fs::path folder = quillmapDataFolder();
#ifdef _WIN32
    if (folder.empty()) throw Error("Cannot find the per-user data folder: LOCALAPPDATA is not set");
#else
    if (folder.empty()) throw Error("Cannot find the per-user data folder: neither XDG_DATA_HOME nor HOME is set");
#endif
    return folder;
}

bool folderWritable(const fs::path& folder)
{
    const fs::path probe = probeName(folder);
#ifdef _WIN32
    const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
#else
    const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    ::close(fd);
    ::unlink(probe.c_str());
    return true;
#endif
}

bool installedByInstaller(const fs::path& programFolder)
{
    std::error_code ec;
    return fs::is_regular_file(programFolder / InstallerUninstallerName, ec);
}

fs::path resolveOutFolder(const fs::path& shippedOut, const fs::path& perUserOut, const std::vector<std::string>& folders)
{
    // Without a shipped folder there is nothing to copy: the build then reports the missing file.
    if (!isFolder(shippedOut)) return shippedOut;
    if (folderWritable(shippedOut) && !installedByInstaller(shippedOut.parent_path())) return shippedOut;
    std::error_code ec;
    // Made for the user alone to write, whatever the umask lets the group do.
    if (fs::create_directories(perUserOut, ec))
        fs::permissions(perUserOut, fs::perms::group_write | fs::perms::others_write, fs::perm_options::remove, ec);
    if (ec) throw Error("Cannot create folder " + pathText(perUserOut) + ": " + ec.message());
    if (!isFolder(perUserOut)) throw Error("Cannot create folder " + pathText(perUserOut) + ": it is no folder");
    requireUsersOwnFolder(perUserOut);
    addMissingShippedFiles(pathText(shippedOut), pathText(perUserOut), folders);
    return perUserOut;
}

fs::path resolveOutFolder(const fs::path& shippedOut, const std::vector<std::string>& folders)
{
    return resolveOutFolder(shippedOut, perUserDataFolder() / "out", folders);
}

}  // namespace quillmap
