#pragma once

#include "instrument.h"

#include <span>

// The indices, currency and depositary receipts that the program's panels ask for by name.
struct FixedSymbol
{
    const char *symbol;
    const char *name;
    InstrumentKind kind;
    double level;
    double dailyVolatility;
    double marketWeight;
};

std::span<const FixedSymbol> fixedSymbols();
