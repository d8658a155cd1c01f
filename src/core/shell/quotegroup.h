#pragma once

#include "core/net/quoterecord.h"

#include <cstddef>
#include <string>
#include <vector>

// A view whose quotes ride on the main refresh: it names its symbols when a request is built
// and receives the reply lines of exactly those symbols.
class QuoteGroup
{
public:
    virtual ~QuoteGroup() = default;

    // The quote symbols, in the view's own order, as they go into the request.
    virtual std::vector<std::string> quoteSymbols() const = 0;

    // The record the reply line for symbol (requested at position index) is parsed into, or
    // nullptr when that entry has gone since the request was made.
    virtual QuoteRecord *quoteTarget(std::size_t index, const std::string &symbol) = 0;

    // Every line of the group has been parsed.
    virtual void quotesArrived() = 0;
};
