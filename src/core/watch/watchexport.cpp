#include "core/watch/watchexport.h"

#include "core/net/displayformat.h"
#include "core/watch/logstamps.h"

#include <algorithm>

namespace watchexport {
namespace {
// A comma inside a name would split the field.
std::string withoutCommas(std::string text)
{
    text.erase(std::remove(text.begin(), text.end(), ','), text.end());
    return text;
}
} // namespace

std::string content(const std::vector<WatchedStock> &stocks)
{
    using namespace watchcol;
    std::string out = std::string(Header) + '\n';
    for (const WatchedStock &stock : stocks) {
        const QuoteRecord &q = stock.quote;
        out += withoutCommas(stock.entry.companyName) + ',' + withoutCommas(stock.entry.exchange) +
               ',' + logstamp::price(shown(q.last) - shown(q.change));
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
    files.makeFolders(folder);
    const std::string path = folder + "/" + name + ".csv";
    switch (files.replace(path, content(stocks))) {
    case DataFileSystem::Result::Done:
        return Exported + path;
    case DataFileSystem::Result::OpenFailed:
        return OpenFailed;
    default:
        return WriteFailed;
    }
}
} // namespace watchexport
