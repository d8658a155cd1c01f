#pragma once

#include "core/common/rgb.h"

#include <cstdint>
#include <string>

// A run of text with its drawing attributes, as the scrolling displays draw it. The attribute
// word keeps the colour in its low 24 bits (red in the low byte) and the style in three flags.
class StyledSegment
{
public:
    static constexpr std::uint32_t Bold = 0x1000000;
    static constexpr std::uint32_t Italic = 0x2000000;
    static constexpr std::uint32_t Underline = 0x4000000;
    // Stands for the system's button-face colour; replaced by it when stored.
    static constexpr std::uint32_t ButtonFace = 0xFFFFFFFF;

    StyledSegment();
    StyledSegment(std::string text, std::uint32_t attributes,
                  std::uint32_t background = ButtonFace);

    const std::string &text() const { return m_text; }
    std::uint32_t attributes() const { return m_attributes; }
    Rgb colour() const;
    bool bold() const { return (m_attributes & Bold) != 0; }
    bool italic() const { return (m_attributes & Italic) != 0; }
    bool underline() const { return (m_attributes & Underline) != 0; }
    std::uint32_t background() const { return m_background; }

    static std::uint32_t colourRef(Rgb c)
    {
        return c.r | (c.g << 8) | (static_cast<std::uint32_t>(c.b) << 16);
    }
    static Rgb fromColourRef(std::uint32_t ref);
    // The button-face colour the platform reports; the panels' colour by default.
    static void setButtonFace(std::uint32_t ref) { s_buttonFace = ref; }
    static std::uint32_t buttonFace() { return s_buttonFace; }

private:
    std::string m_text;
    std::uint32_t m_attributes = 0;
    std::uint32_t m_background;
    static std::uint32_t s_buttonFace;
};
