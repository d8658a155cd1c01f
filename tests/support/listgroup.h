#pragma once

#include "core/shell/quotegroup.h"

#include <string>
#include <vector>

// A view with a plain list of symbols: entries are matched by symbol, so a list that changes
// while a fetch is in flight still receives its own quotes.
class ListGroup : public QuoteGroup
{
public:
    explicit ListGroup(std::vector<std::string> list = {}) { setSymbols(std::move(list)); }
    void setSymbols(std::vector<std::string> list)
    {
        symbols = std::move(list);
        records.assign(symbols.size(), QuoteRecord{});
    }
    std::vector<std::string> quoteSymbols() const override { return symbols; }
    QuoteRecord *quoteTarget(std::size_t, const std::string &symbol) override
    {
        for (std::size_t i = 0; i < symbols.size(); ++i)
            if (symbols[i] == symbol)
                return &records[i];
        return nullptr;
    }
    void quotesArrived() override { ++arrivals; }

    std::vector<std::string> symbols;
    std::vector<QuoteRecord> records;
    int arrivals = 0;
};
