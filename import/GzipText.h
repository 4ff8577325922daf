#pragma once
#include <string>
#include <string_view>

namespace quillmap {

// Whether bytes begin like a gzip file (sitemap.xml.gz).
bool isGzip(std::string_view bytes);

// The content of a gzip file (every member, as gzip itself reads them). Throws quillmap::Error
// "%s is not a sitemap: ..." (with name) when the data is damaged or cut short, and when the
// content grows past MaxTextFileSize, so that a small file cannot fill the memory.
std::string gunzipText(std::string_view bytes, const std::string& name);

}  // namespace quillmap
