#include "replyreaders.h"

#include <zlib.h>

#include <cstdint>

namespace {

// The end-of-day CSV of a whole exchange is a few megabytes; more is not a bhavcopy.
constexpr std::uint32_t maxUnpackedBytes = 64 * 1024 * 1024;

std::uint32_t little(std::string_view data, std::size_t at, int bytes)
{
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(data[at + i]);
    return value;
}

bool inflateRaw(std::string_view packed, std::uint32_t size, std::string &out)
{
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK)
        return false;
    out.assign(size, '\0');
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(packed.data()));
    stream.avail_in = static_cast<uInt>(packed.size());
    stream.next_out = reinterpret_cast<Bytef *>(out.data());
    stream.avail_out = size;
    const int result = inflate(&stream, Z_FINISH);
    const bool whole = result == Z_STREAM_END && stream.total_out == size;
    inflateEnd(&stream);
    return whole;
}

} // namespace

ReadResult readSingleFileZip(std::string_view zip, std::string &file)
{
    file.clear();
    if (zip.size() > maxReplyBytes)
        return {false, false, "reply too large"};
    if (zip.size() < 22 || zip.substr(0, 4) != std::string_view("PK\3\4", 4))
        return {false, false, "not a zip archive"};
    // The end record sits in the last 64 KiB (its comment is at most that long).
    std::size_t end = std::string_view::npos;
    const std::size_t lowest = zip.size() > 65557 ? zip.size() - 65557 : 0;
    for (std::size_t at = zip.size() - 22 + 1; at-- > lowest;)
        if (zip.substr(at, 4) == std::string_view("PK\5\6", 4)) {
            end = at;
            break;
        }
    if (end == std::string_view::npos)
        return {false, false, "zip archive without a directory"};
    if (little(zip, end + 10, 2) != 1)
        return {false, false, "zip archive does not hold one file"};
    const std::size_t entry = little(zip, end + 16, 4);
    if (entry + 46 > zip.size() || zip.substr(entry, 4) != std::string_view("PK\1\2", 4))
        return {false, false, "damaged zip archive"};
    const std::uint32_t method = little(zip, entry + 10, 2);
    const std::uint32_t crc = little(zip, entry + 16, 4);
    const std::uint32_t packedSize = little(zip, entry + 20, 4);
    const std::uint32_t size = little(zip, entry + 24, 4);
    const std::size_t local = little(zip, entry + 42, 4);
    if (local + 30 > zip.size() || zip.substr(local, 4) != std::string_view("PK\3\4", 4))
        return {false, false, "damaged zip archive"};
    const std::size_t data = local + 30 + little(zip, local + 26, 2) + little(zip, local + 28, 2);
    if (data > zip.size() || packedSize > zip.size() - data)
        return {false, false, "damaged zip archive"};
    if (size > maxUnpackedBytes)
        return {false, false, "zip archive too large"};
    const std::string_view packed = zip.substr(data, packedSize);
    if (method == 0 && packedSize == size)
        file.assign(packed);
    else if (method != 8 || !inflateRaw(packed, size, file))
        return file.clear(), ReadResult{false, false, "damaged zip archive"};
    if (crc32(0L, reinterpret_cast<const Bytef *>(file.data()), static_cast<uInt>(file.size())) !=
        crc) {
        file.clear();
        return {false, false, "damaged zip archive"};
    }
    return {true, false, {}};
}
