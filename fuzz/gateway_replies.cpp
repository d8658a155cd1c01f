// What the live gateway's sources send back: chart and batch-quote JSON, the crumb, the zipped
// end-of-day file and the file itself. The first byte picks the reader. Whatever a reader takes
// is usable as it is: prices finite and above zero, counts not negative, a crumb a short plain
// token, and any one-file zip archive gives back the file it holds.
#include "property.h"
#include "replyreaders.h"

#include <zlib.h>

#include <algorithm>
#include <cmath>

namespace {
void price(const std::optional<double> &value)
{
    FUZZ_REQUIRE(!value || (std::isfinite(*value) && *value > 0));
}

void count(const std::optional<std::int64_t> &value)
{
    FUZZ_REQUIRE(!value || *value >= 0);
}

void chart(std::string_view body)
{
    ChartReply reply;
    const ReadResult read = readChartReply(body, reply);
    FUZZ_REQUIRE(read.ok || !read.error.empty());
    for (const auto &p : {reply.price, reply.previousClose, reply.dayHigh, reply.dayLow,
                          reply.yearHigh, reply.yearLow})
        price(p);
    count(reply.dayVolume);
    count(reply.marketTime);
    for (const ChartPoint &point : reply.points) {
        FUZZ_REQUIRE(point.time >= 0);
        for (const auto &p : {point.open, point.high, point.low, point.close})
            price(p);
        count(point.volume);
    }
}

void batch(std::string_view body)
{
    std::map<std::string, LiveQuote> quotes;
    const ReadResult read = readBatchQuotes(body, quotes);
    FUZZ_REQUIRE(read.ok || (!read.error.empty() && quotes.empty()));
    for (const auto &[symbol, q] : quotes) {
        FUZZ_REQUIRE(!symbol.empty() && q.symbol == symbol);
        for (const auto &p : {q.last, q.open, q.high, q.low, q.yearLow, q.yearHigh})
            price(p);
        FUZZ_REQUIRE(!q.change || (q.last && std::isfinite(*q.change)));
        count(q.volume);
        FUZZ_REQUIRE(q.date.empty() == q.time.empty());
    }
}

void crumb(std::string_view body)
{
    if (const auto token = readCrumb(body)) {
        FUZZ_REQUIRE(token->size() >= 5 && token->size() <= 32);
        FUZZ_REQUIRE(token->find_first_not_of("abcdefghijklmnopqrstuvwxyz"
                                              "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789./_-") ==
                     std::string::npos);
    }
}

void bhavcopy(std::string_view csv)
{
    Bhavcopy copy;
    const ReadResult read = readBhavcopy(csv, copy);
    FUZZ_REQUIRE(read.ok == !copy.rows.empty());
    FUZZ_REQUIRE(!read.ok || copy.day >= 0);
    for (const BhavRow &row : copy.rows) {
        for (const auto &p : {row.open, row.high, row.low, row.close, row.previousClose})
            price(p);
        count(row.volume);
    }
}

void anyZip(std::string_view zip)
{
    std::string file;
    if (readSingleFileZip(zip, file).ok)
        bhavcopy(file);
    else
        FUZZ_REQUIRE(file.empty());
}

void put(std::string &out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>(i < 4 ? value >> (8 * i) & 0xff : 0);
}

std::string deflated(std::string_view content)
{
    z_stream stream{};
    deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&stream, static_cast<uLong>(content.size())), '\0');
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(content.data()));
    stream.avail_in = static_cast<uInt>(content.size());
    stream.next_out = reinterpret_cast<Bytef *>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

// A one-file archive as a zip tool writes it, stored or deflated, with a name and a comment.
void builtZip(FuzzInput &in)
{
    const bool deflate = in.byte() & 1;
    const std::string name(in.text(in.byte() % 40));
    // A comment holding the end record's signature would be a second end record.
    std::string comment(in.text(in.byte() % 40));
    std::replace(comment.begin(), comment.end(), 'P', 'p');
    const std::string content(in.rest());
    const std::string packed = deflate ? deflated(content) : content;
    const auto crc = static_cast<std::uint32_t>(crc32(
        0L, reinterpret_cast<const Bytef *>(content.data()), static_cast<uInt>(content.size())));
    const auto fields = [&](std::string &out) {
        put(out, 20, 2);              // version needed
        put(out, 0, 2);               // flags
        put(out, deflate ? 8 : 0, 2); // method
        put(out, 0, 4);               // time and date
        put(out, crc, 4);
        put(out, static_cast<std::uint32_t>(packed.size()), 4);
        put(out, static_cast<std::uint32_t>(content.size()), 4);
        put(out, static_cast<std::uint32_t>(name.size()), 2);
        put(out, 0, 2); // extra field
    };
    std::string zip("PK\3\4", 4);
    fields(zip);
    zip += name + packed;
    const auto directory = static_cast<std::uint32_t>(zip.size());
    zip += std::string("PK\1\2", 4);
    put(zip, 20, 2); // made by
    fields(zip);
    put(zip, 0, 2 + 2 + 2 + 4); // comment, disk, attributes
    put(zip, 0, 4);             // local header at 0
    zip += name;
    const auto directorySize = static_cast<std::uint32_t>(zip.size()) - directory;
    zip += std::string("PK\5\6", 4);
    put(zip, 0, 4); // disks
    put(zip, 1, 2);
    put(zip, 1, 2);
    put(zip, directorySize, 4);
    put(zip, directory, 4);
    put(zip, static_cast<std::uint32_t>(comment.size()), 2);
    zip += comment;

    std::string file;
    FUZZ_REQUIRE(readSingleFileZip(zip, file).ok);
    FUZZ_REQUIRE(file == content);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput in(data, size);
    switch (in.byte() % 6) {
    case 0:
        chart(in.rest());
        break;
    case 1:
        batch(in.rest());
        break;
    case 2:
        crumb(in.rest());
        break;
    case 3:
        anyZip(in.rest());
        break;
    case 4:
        bhavcopy(in.rest());
        break;
    default:
        builtZip(in);
    }
    return 0;
}
