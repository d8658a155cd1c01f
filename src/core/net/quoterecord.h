#pragma once

#include <cstdint>
#include <string>

// One parsed reply line of the quote service. Change and change percent are single
// precision and volume a 32-bit integer, as the service's consumers have always stored them.
struct QuoteRecord
{
    std::string symbol;
    double last = 0;
    std::string date;
    std::string time;
    float change = 0;
    float changePercent = 0; // filled by the consumer, never parsed
    double open = 0;
    double high = 0;
    double low = 0;
    std::int32_t volume = 0;
    double yearLow = 0;
    double yearHigh = 0;
    double previousLast = 0; // filled by the consumer, never parsed
};
