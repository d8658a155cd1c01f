#pragma once

#include "core/common/rgb.h"

#include <vector>

// The rings a colour button draws round its face, outermost first. Each ring is a one-pixel
// frame: top and left edges in one colour, bottom and right in the other.
struct BevelRing
{
    Rgb topLeft;
    Rgb bottomRight;
};

// width < 0 draws the pressed bevel: highlight and shadow swap, and with two or more rings
// the innermost ring's bottom and right edges are near-black.
std::vector<BevelRing> bevelRings(int width);
