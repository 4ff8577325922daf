#pragma once
// Folders and files the program keeps the user's work in (recovery copies, the per-user out
// folder) must be the user's alone: what another user owns or may write to could hold what that
// user planted there.
#include <filesystem>
#include <string>

namespace quillmap {

// Empty when path (links followed) belongs to the user who runs the program and nobody else may
// write to it; otherwise why not, to follow a path in a message ("it belongs to another user").
// On Windows the per-user folders are the user's own: always empty there.
std::string whyNotUsersOwn(const std::filesystem::path& path);

// Throws quillmap::Error naming folder and the reason unless whyNotUsersOwn(folder) is empty.
void requireUsersOwnFolder(const std::filesystem::path& folder);

}  // namespace quillmap
