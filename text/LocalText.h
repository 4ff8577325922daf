#pragma once
// The boundary between the window's texts and the core's texts, which are the bytes of the file
// they came from, and between the window's file names and the system's.
#include <QString>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "text/TextEncoding.h"

namespace quillmap {

// A text of a file in the given encoding, as the window shows it.
QString decodedText(std::string_view bytes, TextEncoding encoding);
// The text as bytes of the encoding; nothing when the 8-bit code page cannot hold one of its
// characters.
std::optional<std::string> encodedText(const QString& text, TextEncoding encoding);

// File names keep the system's bytes both ways: on POSIX a byte that is no part of valid UTF-8
// travels in the QString as the lone surrogate U+DC80 to U+DCFF (shown as a replacement mark).
QString fromFilePath(const std::filesystem::path& path);
std::filesystem::path toFilePath(const QString& name);

// The file-name part of a file name (after the last '/' or '\').
QString fileNameOf(const QString& name);

}  // namespace quillmap
