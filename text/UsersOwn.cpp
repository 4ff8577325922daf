#include "text/UsersOwn.h"

#include <cerrno>
#include <cstring>

#include "text/Error.h"
#include "text/TextFile.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quillmap {

#ifdef _WIN32

std::string whyNotUsersOwn(const std::filesystem::path&) { return {}; }

#else

std::string whyNotUsersOwn(const std::filesystem::path& path)
{
    struct stat status;
    if (::stat(path.c_str(), &status) != 0) return std::string("it cannot be examined: ") + std::strerror(errno);
    if (status.st_uid != ::geteuid()) return "it belongs to another user";
    if (status.st_mode & (S_IWGRP | S_IWOTH)) return "other users can write to it";
    return {};
}

#endif

void requireUsersOwnFolder(const std::filesystem::path& folder)
{
    const std::string why = whyNotUsersOwn(folder);
    if (!why.empty()) throw Error("The folder " + pathText(folder) + " is not used: " + why);
}

}  // namespace quillmap
