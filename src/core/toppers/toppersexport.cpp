#include "core/toppers/toppersexport.h"

#include "core/net/displayformat.h"
#include "core/watch/logstamps.h"

#include <algorithm>

namespace toppersexport {
namespace {
std::string cell(const ToppersRow &row, int column)
{
    return exportfile::withoutCommas(toppersCellText(row, column));
}
} // namespace

std::string content(const std::vector<ToppersRow> &rows)
{
    using namespace topperscol;
    std::string out = std::string(Header) + '\n';
    for (const ToppersRow &row : rows) {
        // Worked back from the price and percentage as the list shows them.
        const double p = shown(row.price);
        const double change = shown(row.percent) * p * 0.01;
        out += cell(row, Name) + ',' + logstamp::price(p - change) + ',' + cell(row, Price) + ',' +
               logstamp::price(change) + ',' + cell(row, Percent);
        for (int column : {Volume, Turnover, Open, High, Low})
            out += ',' + cell(row, column);
        out += '\n';
    }
    return out;
}

std::string write(DataFileSystem &files, const std::string &folder, Exchange exchange,
                  const std::string &name, const std::vector<ToppersRow> &rows)
{
    return exportfile::write(files, folder, name, content(rows), Exported,
                             std::string(exchangeCode(exchange)) + "_");
}
} // namespace toppersexport
