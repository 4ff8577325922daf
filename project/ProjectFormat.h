#pragma once
// The fixed lines of a .qmp project file. Every comparison with them is exact: case-sensitive,
// whole line, no trimming.
#include <cstddef>

namespace quillmap::project_format {

inline constexpr const char* Header = "Quillmap Project File";
inline constexpr const char* VersionWritten = "2000";
// Files from this version on need a newer program.
inline constexpr int FirstRefusedVersion = 2100;
// Files older than this have no auto-close line.
inline constexpr int FirstVersionWithAutoClose = 2000;

inline constexpr const char* ImagesMarker = "/---- * QMAP IMGs * ----/";
inline constexpr const char* LinksMarker = "/---- * QMAP URLs * ----/";
inline constexpr const char* TargetsMarker = "/---- * QMAP Trgts * ----/";
inline constexpr const char* OpenFoldersMarker = "/---- * QMAP OpenFolders * ----/";
inline constexpr const char* OptionsMarker = "/---- * QMAP Opt * ----/";
inline constexpr const char* CustomImagesMarker = "/---- * QMAP Cust IMG * ----/";
inline constexpr const char* EndMarker = "/---- *END IMG* ----/";
// A project with a site has its site after the end marker, where readers of earlier versions
// stop: the site folder, the menu folder, whether Build writes into marked pages, the start page.
inline constexpr const char* SiteMarker = "/---- * QMAP Site * ----/";
inline constexpr const char* WritePagesOn = "WRITE_PAGES_YES";
inline constexpr const char* WritePagesOff = "WRITE_PAGES_NO";

inline constexpr const char* TextLinksOn = "Use_TextLinks";
inline constexpr const char* TextLinksOff = "NO_TextLinks";
inline constexpr const char* AutoCloseOn = "AUTO_CLOSE_YES";
inline constexpr const char* AutoCloseOff = "AUTO_CLOSE_NO";

}  // namespace quillmap::project_format
