#pragma once

#include <cstdint>
#include <string_view>

// Counter-based randomness: every random number of the market is a pure function of the
// seed, a symbol and a position, so any day of any symbol can be computed on its own, in
// any order and on any thread, and comes out the same every time.
namespace noise {

std::uint64_t mix(std::uint64_t x);
std::uint64_t combine(std::uint64_t a, std::uint64_t b);
std::uint64_t hashText(std::string_view text);

// In [0, 1).
double uniform(std::uint64_t hash);
// Zero mean, unit variance, bounded by about 3.5: a sum of four uniforms, cheap and free of
// the wild outliers that would make a simulated price jump absurdly.
double normal(std::uint64_t hash);

// Adds a fractal walk over integer steps first .. first + count - 1 to out. One step moves it
// by about one standard deviation, while over hundreds of steps it stays within about seven of
// its mean: a random walk that never wanders off to implausible levels. Costs a few
// operations per step, whatever the step numbers are.
void addFractalWalk(std::uint64_t key, std::int64_t first, int count, double weight, double *out);

} // namespace noise
