#include "import/GzipText.h"

#include <zlib.h>

#include "text/Error.h"
#include "text/TextFile.h"

namespace quillmap {

bool isGzip(std::string_view bytes)
{
    return bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0x1F &&
           static_cast<unsigned char>(bytes[1]) == 0x8B;
}

std::string gunzipText(std::string_view bytes, const std::string& name)
{
    z_stream stream{};
    if (inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK) throw Error(name + " is not a sitemap: cannot unpack it");
    std::string text;
    char buffer[65536];
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream.avail_in = static_cast<uInt>(bytes.size());
    int status = Z_OK;
    while (status != Z_STREAM_END || stream.avail_in > 0) {
        if (status == Z_STREAM_END) inflateReset(&stream);  // the next member of the file
        stream.next_out = reinterpret_cast<Bytef*>(buffer);
        stream.avail_out = sizeof buffer;
        status = inflate(&stream, Z_NO_FLUSH);
        text.append(buffer, sizeof buffer - stream.avail_out);
        const bool stuck = status == Z_BUF_ERROR || (status == Z_OK && stream.avail_in == 0 &&
                                                     stream.avail_out != 0);
        if ((status != Z_OK && status != Z_STREAM_END) || stuck || text.size() > MaxTextFileSize) {
            inflateEnd(&stream);
            throw Error(name + (text.size() > MaxTextFileSize ? " is not a sitemap: it unpacks to more than 256 MB"
                                                               : " is not a sitemap: its gzip data is damaged"));
        }
    }
    inflateEnd(&stream);
    return text;
}

}  // namespace quillmap
