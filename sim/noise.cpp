#include "noise.h"

#include <cmath>

namespace noise {

std::uint64_t mix(std::uint64_t x)
{
    // splitmix64's finaliser.
    x += 0x9e3779b97f4a7c15ULL;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}

std::uint64_t combine(std::uint64_t a, std::uint64_t b)
{
    return mix(a ^ mix(b));
}

std::uint64_t hashText(std::string_view text)
{
    std::uint64_t h = 0xcbf29ce484222325ULL; // FNV-1a, then mixed
    for (unsigned char c : text) {
        h ^= c;
        h *= 0x100000001b3ULL;
    }
    return mix(h);
}

double uniform(std::uint64_t hash)
{
    return static_cast<double>(hash >> 11) * 0x1.0p-53;
}

double normal(std::uint64_t hash)
{
    double sum = 0;
    for (int i = 0; i < 4; ++i)
        sum += static_cast<double>((hash >> (16 * i)) & 0xffff);
    // Four uniforms on [0, 65535]: mean 2 * 65535, variance 4 * 65536^2 / 12.
    return (sum - 2 * 65535.0) * (std::sqrt(3.0) / 65536.0);
}

namespace {
constexpr int Octaves = 8; // periods 1 .. 128 steps

std::int64_t floorDiv(std::int64_t a, std::int64_t b)
{
    return a >= 0 ? a / b : (a - b + 1) / b;
}
} // namespace

void addFractalWalk(std::uint64_t key, std::int64_t first, int count, double weight, double *out)
{
    // Value noise per octave, linearly interpolated between nodes; an octave of period P
    // carries amplitude sqrt(P), which gives a step variance of 2/P each: 4 summed over all
    // octaves, hence the halving.
    for (int octave = 0; octave < Octaves; ++octave) {
        const std::int64_t period = std::int64_t{1} << octave;
        const double amplitude = 0.5 * weight * std::sqrt(static_cast<double>(period));
        const std::uint64_t octaveKey = combine(key, static_cast<std::uint64_t>(octave));
        std::int64_t node = floorDiv(first, period);
        double v0 = normal(combine(octaveKey, static_cast<std::uint64_t>(node)));
        double v1 = normal(combine(octaveKey, static_cast<std::uint64_t>(node + 1)));
        for (int i = 0; i < count; ++i) {
            const std::int64_t step = first + i;
            if (floorDiv(step, period) != node) {
                node = floorDiv(step, period);
                v0 = v1;
                v1 = normal(combine(octaveKey, static_cast<std::uint64_t>(node + 1)));
            }
            const double t =
                static_cast<double>(step - node * period) / static_cast<double>(period);
            out[i] += amplitude * (v0 + (v1 - v0) * t);
        }
    }
}

} // namespace noise
