#pragma once

#include "core/net/quoterecord.h"

#include <cstdint>
#include <string>

// How every list shows a figure the service did not give as a number.
inline constexpr const char *NotAvailableText = "N/A";

// The display form of value, a figure made from the record's fields (quotefield bits), or
// "N/A" when any of them was not available.
std::string quoteCellText(const QuoteRecord &record, std::uint16_t fields, double value);

// The same for a row that keeps the record's missing bits beside its own numbers.
std::string quoteCellText(std::uint16_t missing, std::uint16_t fields, double value);

// The same for quantities and volumes, without the decimals.
std::string quoteQuantityText(const QuoteRecord &record, std::uint16_t fields, double value);

// The change against the previous close: from the price and the change, so it is N/A when
// either is.
inline constexpr std::uint16_t PercentFields = quotefield::Last | quotefield::Change;
