#include "text/LocalText.h"

#include <QList>
#include <algorithm>

namespace quillmap {

QString decodedText(std::string_view bytes, TextEncoding encoding)
{
    if (encoding == TextEncoding::Utf8) return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    const std::u32string codePoints = decodeText(bytes, encoding);
    return QString::fromUcs4(codePoints.data(), static_cast<qsizetype>(codePoints.size()));
}

std::optional<std::string> encodedText(const QString& text, TextEncoding encoding)
{
    if (encoding == TextEncoding::Utf8) return text.toStdString();
    const QList<uint> ucs4 = text.toUcs4();
    const std::u32string codePoints(ucs4.begin(), ucs4.end());
    std::string bytes;
    if (!encodeText(codePoints, encoding, bytes)) return std::nullopt;
    return bytes;
}

#ifndef _WIN32

namespace {
constexpr char16_t EscapedByteBase = 0xDC00;
}

QString fromFilePath(const std::filesystem::path& path)
{
    const std::string& bytes = path.native();
    QString name;
    name.reserve(static_cast<qsizetype>(bytes.size()));
    std::size_t i = 0;
    while (i < bytes.size()) {
        // The longest valid UTF-8 sequence at i (1 to 4 bytes), else one escaped byte.
        std::size_t length = 0;
        for (std::size_t n = 1; n <= 4 && i + n <= bytes.size(); ++n) {
            if (isValidUtf8(std::string_view(bytes).substr(i, n))) {
                length = n;
                break;
            }
        }
        if (length) {
            name += QString::fromUtf8(bytes.data() + i, static_cast<qsizetype>(length));
            i += length;
        } else {
            name += QChar(static_cast<char16_t>(EscapedByteBase + static_cast<unsigned char>(bytes[i])));
            ++i;
        }
    }
    return name;
}

std::filesystem::path toFilePath(const QString& name)
{
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(name.size()));
    qsizetype start = 0;
    const auto flush = [&](qsizetype end) {
        if (end > start) bytes += name.mid(start, end - start).toStdString();
    };
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t unit = name[i].unicode();
        if (unit >= EscapedByteBase + 0x80 && unit <= EscapedByteBase + 0xFF) {
            flush(i);
            bytes += static_cast<char>(unit - EscapedByteBase);
            start = i + 1;
        }
    }
    flush(name.size());
    return std::filesystem::path(bytes);
}

#else

QString fromFilePath(const std::filesystem::path& path) { return QString::fromStdWString(path.native()); }
std::filesystem::path toFilePath(const QString& name) { return std::filesystem::path(name.toStdWString()); }

#endif

QString fileNameOf(const QString& name)
{
    const qsizetype slash = std::max(name.lastIndexOf(QLatin1Char('/')), name.lastIndexOf(QLatin1Char('\\')));
    return name.mid(slash + 1);
}

}  // namespace quillmap
