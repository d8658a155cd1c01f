#include "tradeimport.h"

#include "core/trades/companynames.h"
#include "core/trades/importpreview.h"
#include "platform/store/companydatabase.h"
#include "platform/store/tradebookfile.h"

#include <cstdio>

namespace {
constexpr int Stored = 0;
constexpr int BadBroker = 2;
constexpr int NothingStored = 3;

int refuse(const std::string &why)
{
    std::fprintf(stderr, "vantrel: %s\nNothing was stored.\n", why.c_str());
    return NothingStored;
}
} // namespace

int runImportTrades(CompanyDatabase &database, const QString &file, const QString &brokerName)
{
    if (!database.isOpen())
        return refuse(database.connection().unavailableReason());
    long brokerId = 0;
    if (!brokerName.isEmpty()) {
        auto broker = database.brokers().findByName(brokerName.toStdString());
        if (!broker)
            return refuse(broker.error());
        if (!broker.value()) {
            std::fprintf(stderr, "vantrel: there is no broker named \"%s\"\n",
                         qPrintable(brokerName));
            return BadBroker;
        }
        brokerId = broker.value()->id;
    }

    const Tradebook book = readTradebookFile(file);
    if (!book.error.empty())
        return refuse(book.error);
    auto stored = database.trades().loadAll();
    if (!stored)
        return refuse(stored.error());
    ImportPreview preview = previewImport(book, stored.value(), brokerId);
    nameCompanies(database.companyList(), preview.toAdd);
    std::printf("%s", describePreview(preview).c_str());
    if (preview.toAdd.empty()) {
        std::printf("Nothing was stored.\n");
        return NothingStored;
    }
    std::vector<Trade> trades;
    trades.reserve(preview.toAdd.size());
    for (const TradebookRow &row : preview.toAdd)
        trades.push_back(row.trade);
    if (auto saved = database.trades().insertAll(trades); !saved)
        return refuse(saved.error());
    std::printf("Stored %zu new trades.\n", trades.size());
    return Stored;
}
