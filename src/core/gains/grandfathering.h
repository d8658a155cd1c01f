#pragma once

#include "core/gains/lotsale.h"

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <string>

// The highest traded price per share on 31 January 2018, by symbol, as the user gave it.
// It is in none of our data, so a missing one is asked for, never guessed.
using Jan2018Values = std::map<std::string, double, std::less<>>;

// Shares bought before this day count from the higher of their cost and the lower of their
// 31 January 2018 value and the sale price, for long-term sales taxed from April 2018 on.
inline constexpr std::chrono::year_month_day GrandfatheringCutOff{std::chrono::year{2018} /
                                                                  std::chrono::February / 1};

bool needsJan2018Value(const LotSale &sale);

// The cost the gain is taken from; no value when the sale needs a 31 January 2018 value the
// user has not given (a value that is not a positive finite number counts as not given).
std::optional<double> costForGain(const LotSale &sale, const Jan2018Values &values);
