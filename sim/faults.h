#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The ways the simulated service can misbehave, for testing how the program copes.
enum class FaultKind {
    None,
    Http500,  // answers HTTP 500
    Drop,     // promises more than it sends, then closes the connection
    Short,    // fewer lines than symbols asked for
    Garbage,  // lines of junk
    Hang,     // holds the connection without answering
    Trickle,  // sends the header, then the reply one byte at a time, slowly
    LongLine, // one line of a megabyte, with no comma in it
    Price,    // every line as usual but with the price field replaced by a garbled one
};

std::optional<FaultKind> parseFaultKind(std::string_view name);
std::string_view faultName(FaultKind kind);

// Junk of every kind a parser must survive: binary bytes, a huge line, fields without
// commas, stray quotes. One line per line asked for, each line ending in "\r\n".
std::string garbageBody(std::size_t lines, std::uint64_t key);

// The line with its second field (the price, in a quote line) replaced by text.
std::string withPrice(std::string_view line, std::string_view text);

// One line of LongLineBytes digits and dots, ending in "\r\n".
inline constexpr std::size_t LongLineBytes = 1 << 20;
std::string longLineBody();
