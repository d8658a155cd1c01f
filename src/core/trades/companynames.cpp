#include "core/trades/companynames.h"

#include <unordered_map>

void nameCompanies(CompanyListStore &companies, std::vector<TradebookRow> &rows)
{
    std::unordered_map<std::string, std::string> names;
    for (Exchange exchange : {Exchange::Nse, Exchange::Bse})
        if (auto listed = companies.listedOn(exchange))
            for (const CompanyRow &company : listed.value())
                names.emplace(std::string(exchangeCode(exchange)) + '|' + company.symbol(exchange),
                              company.name);
    for (TradebookRow &row : rows)
        if (const auto name = names.find(row.trade.exchange + '|' + row.trade.symbol);
            name != names.end())
            row.trade.companyName = name->second;
}
