#pragma once

#include "core/common/clock.h"
#include "core/common/datafiles.h"
#include "core/common/saidonce.h"
#include "core/shell/indexboard.h"
#include "core/watch/watchlist.h"

#include <string>

// The four writers of the data files under the data root: end-of-day lines per date, an
// intraday bar per refresh for the indices and the NSE stocks, and the live snapshot of the
// latest interval. Each returns the message of what stopped it, or an empty text.
class DataLogger
{
public:
    static constexpr const char *NiftyEodOpen = "Problem occured in Opening Nifty EOD File";
    static constexpr const char *SensexEodOpen = "Problem occured in Opening Sensex EOD File";
    static constexpr const char *StockEodOpen = "Problem occured in Opening EOD File";
    static constexpr const char *NiftyEodRead = "Error in Reading Nifty EOD file";
    static constexpr const char *SensexEodRead = "Error in Reading Sensex EOD file";
    static constexpr const char *StockEodRead = "Error in Reading  EOD file";
    static constexpr const char *EodWrite =
        "SORRY!!!Some problem occured while writing data to EOD file";
    static constexpr const char *NiftyIntradayOpen =
        "Problem occured in Opening Nifty Intraday File";
    static constexpr const char *SensexIntradayOpen =
        "Problem occured in Opening Sensex Intraday File";
    static constexpr const char *IndexIntradayWrite =
        "SORRY!!!Some problem occured while writing data to NIFTY EOD file";
    static constexpr const char *StockIntradayOpen = "Problem occured in Opening Intraday File";
    static constexpr const char *StockIntradayWrite =
        "SORRY!!!Some problem occured while writing data to Intraday file";
    static constexpr const char *LiveOpen = "Problem occured in Opening LiveData File";
    static constexpr const char *LiveWrite =
        "SORRY!!!Some problem occurred while writing LIVE DATA file";

    DataLogger(DataFileSystem &files, const Clock &clock, std::string dataRoot);

    const std::string &dataRoot() const { return m_root; }
    // The three folders, made when missing.
    void makeFolders();

    // At a closed-market refresh: one line per file and quote date, NIFTY, SENSEX, then
    // every stock of either exchange.
    std::string writeEndOfDay(const WatchList &list, const IndexBoard &board);
    std::string writeIndexIntraday(const IndexBoard &board);
    // Records that are not sane quotes (isSaneQuote) are never written.
    std::string writeStockIntraday(const std::vector<WatchedStock> &stocks);
    std::string writeLive(const std::vector<WatchedStock> &stocks, const IndexBoard &board);

    std::string eodFile(const std::string &name) const;
    std::string intradayFile(const LocalTime &t, const std::string &name) const;
    std::string liveFile() const;

    // What the writers have told the user, so that a repeated failure is told once.
    SaidOnce &said() { return m_said; }

private:
    struct EodNames
    {
        const char *open;
        const char *read;
    };
    // False when the writer has to stop; the message is then in problem.
    bool appendEod(const std::string &name, const QuoteRecord &quote, EodNames messages,
                   std::string &problem);

    DataFileSystem &m_files;
    const Clock &m_clock;
    std::string m_root;
    SaidOnce m_said;
};
