#pragma once

#include "chartbars.h"
#include "chartoptions.h"
#include "marketmodel.h"

#include <cstdint>

// The bars of one range of the simulated market's chart of an instrument, as of a time.
ChartSeries chartSeries(const MarketModel &model, const Instrument &instrument, ChartRange range,
                        std::int64_t time);
