#pragma once

#include "core/common/rgb.h"

#include <optional>
#include <string>

// A run of text with its drawing attributes, as the scrolling band draws it. A segment with
// no background of its own is drawn on the band's button face.
struct StyledSegment
{
    std::string text;
    Rgb colour = colours::Black;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    std::optional<Rgb> background;
};
