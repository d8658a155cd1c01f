#include "indiatime.h"
#include "replyreaders.h"

#include <charconv>
#include <cmath>

namespace {

constexpr std::string_view header =
    "TradDt,BizDt,Sgmt,Src,FinInstrmTp,FinInstrmId,ISIN,TckrSymb,SctySrs,XpryDt,"
    "FininstrmActlXpryDt,StrkPric,OptnTp,FinInstrmNm,OpnPric,HghPric,LwPric,ClsPric,LastPric,"
    "PrvsClsgPric,UndrlygPric,SttlmPric,OpnIntrst,ChngInOpnIntrst,TtlTradgVol,TtlTrfVal,"
    "TtlNbOfTxsExctd,SsnId,NewBrdLotQty,Rmks,Rsvd1,Rsvd2,Rsvd3,Rsvd4";

enum Column {
    TradDt = 0,
    FinInstrmTp = 4,
    FinInstrmId = 5,
    TckrSymb = 7,
    SctySrs = 8,
    OpnPric = 14,
    HghPric = 15,
    LwPric = 16,
    ClsPric = 17,
    PrvsClsgPric = 19,
    TtlTradgVol = 24,
    ColumnCount = 34
};

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '"'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '"' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

// The files carry no quoted commas (names use none), so a plain split serves.
std::vector<std::string_view> fields(std::string_view line)
{
    std::vector<std::string_view> out;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = line.find(',', start);
        out.push_back(trimmed(line.substr(start, comma - start)));
        if (comma == std::string_view::npos)
            return out;
        start = comma + 1;
    }
}

std::optional<double> price(std::string_view text)
{
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        !std::isfinite(value) || value <= 0)
        return std::nullopt;
    return value;
}

std::optional<std::int64_t> count(std::string_view text)
{
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || value < 0)
        return std::nullopt;
    // Some files write whole counts as "98100.00".
    if (end != text.data() + text.size() && !price(text))
        return std::nullopt;
    return value;
}

} // namespace

ReadResult readBhavcopy(std::string_view csv, Bhavcopy &out)
{
    out = Bhavcopy{};
    if (csv.size() > 64 * 1024 * 1024)
        return {false, false, "file too large"};
    if (csv.substr(0, 3) == "\xEF\xBB\xBF")
        csv.remove_prefix(3);
    const std::size_t firstEnd = csv.find('\n');
    if (trimmed(csv.substr(0, firstEnd)) != header)
        return {false, false, "end-of-day file with other columns"};
    std::size_t start = firstEnd == std::string_view::npos ? csv.size() : firstEnd + 1;
    while (start < csv.size()) {
        const std::size_t lineEnd = csv.find('\n', start);
        const std::string_view line = trimmed(csv.substr(start, lineEnd - start));
        start = lineEnd == std::string_view::npos ? csv.size() : lineEnd + 1;
        if (line.empty())
            continue;
        const std::vector<std::string_view> f = fields(line);
        if (f.size() != ColumnCount)
            return out = Bhavcopy{}, ReadResult{false, false, "end-of-day file with other columns"};
        const std::int64_t day = indiatime::parseIsoDate(std::string(f[TradDt]));
        if (day < 0 || (out.day >= 0 && day != out.day))
            return out = Bhavcopy{}, ReadResult{false, false, "end-of-day file with a bad date"};
        out.day = day;
        BhavRow row;
        row.symbol = f[TckrSymb];
        row.instrument = f[FinInstrmId];
        row.series = f[SctySrs];
        row.type = f[FinInstrmTp];
        row.open = price(f[OpnPric]);
        row.high = price(f[HghPric]);
        row.low = price(f[LwPric]);
        row.close = price(f[ClsPric]);
        row.previousClose = price(f[PrvsClsgPric]);
        row.volume = count(f[TtlTradgVol]);
        out.rows.push_back(std::move(row));
    }
    if (out.rows.empty())
        return {false, false, "empty end-of-day file"};
    return {true, false, {}};
}
