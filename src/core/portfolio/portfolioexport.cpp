#include "core/portfolio/portfolioexport.h"

#include "core/net/displayformat.h"
#include "core/watch/logstamps.h"

#include <algorithm>

namespace portfolioexport {
namespace {
// The total as the panel shows it, without the grouping commas.
std::string totalText(double value)
{
    return exportfile::withoutCommas(formatDisplay(value));
}

void appendSection(std::string &out, const char *opening, const HoldingList &list)
{
    if (list.rows.empty())
        return;
    out += opening;
    out += Header;
    out += '\n';
    for (const HoldingRow &row : list.rows) {
        out += row.companyName + ',' + row.exchange + ',' + std::to_string(row.quantity);
        for (double value :
             {row.averageCost, row.marketPrice, row.changePercent, row.costPlusCharges, row.youGet,
              row.netProfitLoss, row.netProfitLossPercent})
            out += ',' + logstamp::price(value);
        out += '\n';
    }
    out += "\nTotal Cost Price," + totalText(list.totals.valueAtCost);
    out += "\nOn selling all now you'll get," + totalText(list.totals.valueAtMarket);
    out += "\nNet Profit/Loss after deducting all Brokerage," + totalText(list.totals.unrealized);
}
} // namespace

std::string content(const HoldingList &delivery, const HoldingList &intraday)
{
    std::string out = Title;
    appendSection(out, "\n\nDELIVERY STOCKS\n\n", delivery);
    appendSection(out, "\n\nINTRADAY STOCKS\n\n", intraday);
    return out;
}

std::string write(DataFileSystem &files, const std::string &folder, const std::string &name,
                  const HoldingList &delivery, const HoldingList &intraday)
{
    return exportfile::write(files, folder, name, content(delivery, intraday), Exported);
}
} // namespace portfolioexport
