#pragma once

#include "core/net/quoterecord.h"

#include <array>
#include <cstdint>
#include <string>

class Messenger;

// The six limits a stock must keep to be listed, as the panel's edits set them.
struct ToppersFilters
{
    float gainMax = 300;
    float gainMin = -100;
    float priceMax = 20000;
    float priceMin = 0;
    std::int32_t volumeMax = 1000000000;
    std::int32_t volumeMin = 0;

    // Both ends of each limit count; a stock without a price is never listed.
    bool passes(const QuoteRecord &quote) const;
};

namespace toppersfilter {
// The edits in the order they are read.
enum Field { GainMax, GainMin, PriceMax, PriceMin, VolumeMax, VolumeMin, Count };
using Texts = std::array<std::string, Count>;

// Takes the edits' texts in order. The first that is no number or out of its range is
// reported and it and every field after it keep the value they had; returns how many were
// taken.
int read(const Texts &texts, ToppersFilters &filters, Messenger &messenger);
// The limits as the edits show them.
Texts texts(const ToppersFilters &filters);
} // namespace toppersfilter
