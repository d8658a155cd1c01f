#include "core/watch/datalogger.h"

#include "core/common/markethours.h"
#include "core/net/displayformat.h"
#include "core/net/quotesanity.h"
#include "core/watch/logstamps.h"

#include <algorithm>

namespace {
using Result = DataFileSystem::Result;

// One bar: open = previous, close = current, high and low the larger and smaller of the two
// as written.
std::string intervalLine(const std::string &name, const std::string &date, const std::string &time,
                         double previous, double current, const std::string &volume)
{
    using logstamp::price;
    const bool rising = shown(current) > shown(previous);
    const double high = rising ? current : previous;
    const double low = rising ? previous : current;
    return name + ',' + date + ',' + time + ',' + price(previous) + ',' + price(high) + ',' +
           price(low) + ',' + price(current) + ',' + volume + '\n';
}

std::string eodLine(const std::string &name, const QuoteRecord &q)
{
    using logstamp::price;
    return name + ',' + q.date + ',' + price(q.open) + ',' + price(q.high) + ',' + price(q.low) +
           ',' + price(q.last) + ',' + std::to_string(static_cast<long>(q.volume)) + '\n';
}

std::string indexLine(const char *name, const LocalTime &t, bool sensexIntraday,
                      const IndexBoard &board, IndexBoard::Slot slot)
{
    return intervalLine(name, logstamp::date(t),
                        sensexIntraday ? logstamp::timeMinus15(t) : logstamp::time(t),
                        board.previousPrice(slot), board.slot(slot).last, "0");
}

std::string stockLine(const WatchedStock &stock, const LocalTime &t)
{
    const PreviousValues &p = stock.previous;
    const std::string increase =
        p.taken > 0 ? std::to_string(static_cast<long>(stock.quote.volume) - p.volume) : "0";
    return intervalLine(stock.entry.symbol, logstamp::date(t), logstamp::time(t), p.price,
                        stock.quote.last, increase);
}
} // namespace

DataLogger::DataLogger(DataFileSystem &files, const Clock &clock, std::string dataRoot)
    : m_files(files), m_clock(clock), m_root(std::move(dataRoot))
{
}

void DataLogger::makeFolders()
{
    for (const char *folder : {"/EODData", "/IntraDay", "/LiveData"})
        m_files.makeFolders(m_root + folder);
}

std::string DataLogger::eodFile(const std::string &name) const
{
    return m_root + "/EODData/" + name + ".txt";
}

std::string DataLogger::intradayFile(const LocalTime &t, const std::string &name) const
{
    return m_root + "/IntraDay/" + logstamp::dateFolder(t) + "/" + name + ".txt";
}

std::string DataLogger::liveFile() const
{
    return m_root + "/LiveData/LiveData.txt";
}

bool DataLogger::appendEod(const std::string &name, const QuoteRecord &quote, EodNames messages,
                           std::string &problem)
{
    const std::string file = eodFile(name);
    std::string content;
    switch (m_files.readAll(file, content)) {
    case Result::Done:
        break;
    case Result::OpenFailed:
        problem = messages.open;
        return false;
    default:
        problem = messages.read;
        return false;
    }
    // The lines are searched as one text; an empty date counts as found, so a stock without
    // a quote yet writes nothing.
    content.erase(std::remove_if(content.begin(), content.end(),
                                 [](char c) { return c == '\n' || c == '\r'; }),
                  content.end());
    // Every figure of the line must have come as a number: a close of 0.00 beside a real open
    // would stand for the day, as the file takes one line per date.
    constexpr std::uint16_t EodFields = quotefield::Last | quotefield::Open | quotefield::High |
                                        quotefield::Low | quotefield::Volume;
    if (!isSaneQuote(quote) || !quote.has(EodFields) ||
        content.find(quote.date) != std::string::npos)
        return true;
    if (m_files.append(file, eodLine(name, quote)) != Result::Done) {
        problem = EodWrite;
        return false;
    }
    return true;
}

std::string DataLogger::writeEndOfDay(const WatchList &list, const IndexBoard &board)
{
    // Never while the market is open: the day's line would carry a price that still moves.
    if (markethours::Logging.contains(m_clock.now()))
        return {};
    m_files.makeFolders(m_root + "/EODData");
    std::string problem;
    if (!appendEod("NIFTY", board.slot(IndexBoard::Nifty), {NiftyEodOpen, NiftyEodRead}, problem) ||
        !appendEod("SENSEX", board.slot(IndexBoard::Sensex), {SensexEodOpen, SensexEodRead},
                   problem))
        return problem;
    for (const WatchedStock &stock : list.stocks())
        if (!appendEod(stock.entry.symbol, stock.quote, {StockEodOpen, StockEodRead}, problem))
            return problem;
    return {};
}

std::string DataLogger::writeIndexIntraday(const IndexBoard &board)
{
    const LocalTime folderTime = m_clock.now();
    m_files.makeFolders(m_root + "/IntraDay/" + logstamp::dateFolder(folderTime));
    const struct
    {
        const char *name;
        IndexBoard::Slot slot;
        const char *openMessage;
    } indices[] = {{"NIFTY", IndexBoard::Nifty, NiftyIntradayOpen},
                   {"SENSEX", IndexBoard::Sensex, SensexIntradayOpen}};
    for (const auto &index : indices) {
        const LocalTime t = m_clock.now();
        const std::string line =
            board.previousPrice(index.slot) > 0 && isSaneQuote(board.slot(index.slot))
                ? indexLine(index.name, t, index.slot == IndexBoard::Sensex, board, index.slot)
                : "";
        switch (m_files.append(intradayFile(folderTime, index.name), line)) {
        case Result::Done:
            break;
        case Result::OpenFailed:
            return index.openMessage;
        default:
            return IndexIntradayWrite;
        }
    }
    return {};
}

std::string DataLogger::writeStockIntraday(const std::vector<WatchedStock> &stocks)
{
    const LocalTime folderTime = m_clock.now();
    m_files.makeFolders(m_root + "/IntraDay/" + logstamp::dateFolder(folderTime));
    for (const WatchedStock &stock : stocks) {
        if (!stock.isNse() || stock.previous.taken <= 0 || !isSaneQuote(stock.quote) ||
            !stock.quote.has(quotefield::Volume))
            continue;
        // The file is made even when there is no bar yet.
        const std::string line = stock.previous.price != 0 ? stockLine(stock, m_clock.now()) : "";
        switch (m_files.append(intradayFile(folderTime, stock.entry.symbol), line)) {
        case Result::Done:
            break;
        case Result::OpenFailed:
            return StockIntradayOpen;
        default:
            return StockIntradayWrite;
        }
    }
    return {};
}

std::string DataLogger::writeLive(const std::vector<WatchedStock> &stocks, const IndexBoard &board)
{
    std::string content;
    if (board.previousPrice(IndexBoard::Nifty) != 0 && isSaneQuote(board.slot(IndexBoard::Nifty)))
        content += indexLine("NIFTY", m_clock.now(), false, board, IndexBoard::Nifty);
    for (const WatchedStock &stock : stocks)
        if (stock.isNse() && stock.previous.price != 0 && isSaneQuote(stock.quote) &&
            stock.quote.has(quotefield::Volume))
            content += stockLine(stock, m_clock.now());
    m_files.makeFolders(m_root + "/LiveData");
    switch (m_files.replace(liveFile(), content)) {
    case Result::Done:
        return {};
    case Result::OpenFailed:
        return LiveOpen;
    default:
        return LiveWrite;
    }
}
