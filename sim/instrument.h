#pragma once

#include <cstdint>
#include <string>

enum class InstrumentKind { Index, Currency, Stock, Adr };

// The few stocks that have the kind of day a scan's default limits are there to keep out.
enum class Oddity {
    None,
    Dear,    // priced above 20000
    Soaring, // more than four times the last close
    Heavy,   // above a billion shares traded
};

// One quotable symbol and the character of its simulated price.
struct Instrument
{
    std::string symbol;   // as quoted: "RELIANCE.NS", "500325.BO", "^NSEI"
    std::string name;     // company or index name
    std::string exchange; // "NSE" or "BSE" for listed stocks, else empty
    InstrumentKind kind = InstrumentKind::Stock;
    double level = 100;         // the price it wanders around
    double dailyVolatility = 0; // standard deviation of one day's log return
    double marketWeight = 0;    // how much of its walk is the Indian market's, 0 .. 1
    double tick = 0.01;         // price step
    double dailyVolume = 0;     // typical shares a day; 0 where no volume is reported
    std::uint64_t walkKey = 0;  // shared by a company's two listings, so they move together
    bool secondListing = false; // the BSE listing: drifts a little from the shared walk
    Oddity oddity = Oddity::None;
};
