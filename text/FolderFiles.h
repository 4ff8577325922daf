#pragma once
// Writing a set of files into one folder as one step: all of them or none.
#include <filesystem>
#include <string>
#include <vector>

namespace quillmap {

struct FolderFile {
    std::string name;  // a plain file name in the folder, no folder part
    std::string text;
    // Only written where the folder has nothing of that name yet (a picture or page the user may
    // have made their own is kept).
    bool onlyIfMissing = false;
};

struct FolderFilesReport {
    std::vector<std::string> written;    // replaced or new
    std::vector<std::string> unchanged;  // already held exactly this text: not touched
    std::vector<std::string> kept;       // onlyIfMissing, and the name was taken
};

// Writes every file beside its name first, each created in the folder itself under a name
// nobody can guess, and renames them over their names only when all are written: a failure
// (a full disk, a refused name) leaves every old file as it was and no temporary file behind. A
// name is never opened for writing, so a link planted there is replaced, not followed; a file
// that already holds the text is left untouched. A replaced file keeps its mode (and, where the
// process may, its owner). The folder must exist. Throws quillmap::Error "Cannot create file %s"
// (with the reason) or "Stream write error. %s: <reason>".
FolderFilesReport writeFolderFiles(const std::filesystem::path& folder, const std::vector<FolderFile>& files);

}  // namespace quillmap
