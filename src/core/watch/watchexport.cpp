#include "core/watch/watchexport.h"

#include "core/net/displayformat.h"
#include "core/watch/logstamps.h"

#include <algorithm>

namespace watchexport {
std::string content(const std::vector<WatchedStock> &stocks)
{
    using namespace watchcol;
    std::string out = std::string(Header) + '\n';
    for (const WatchedStock &stock : stocks) {
        const QuoteRecord &q = stock.quote;
        out += exportfile::withoutCommas(stock.entry.companyName) + ',' +
               exportfile::withoutCommas(stock.entry.exchange) + ',' +
               logstamp::price(shown(q.last) - shown(q.change));
        for (int column : {Price, Change, Percent})
            out += ',' + logstamp::price(watchCellNumber(stock, column));
        out += ',' + std::to_string(q.volume);
        for (int column : {Open, High, Low})
            out += ',' + logstamp::price(watchCellNumber(stock, column));
        out += '\n';
    }
    return out;
}

std::string write(DataFileSystem &files, const std::string &folder, const std::string &name,
                  const std::vector<WatchedStock> &stocks)
{
    return exportfile::write(files, folder, name, content(stocks), Exported);
}
} // namespace watchexport
