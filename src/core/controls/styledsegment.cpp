#include "core/controls/styledsegment.h"

std::uint32_t StyledSegment::s_buttonFace = 0xF0F0F0;

StyledSegment::StyledSegment() : m_background(s_buttonFace) {}

StyledSegment::StyledSegment(std::string text, std::uint32_t attributes, std::uint32_t background)
    : m_text(std::move(text)), m_attributes(attributes),
      m_background(background == ButtonFace ? s_buttonFace : background)
{
}

Rgb StyledSegment::colour() const
{
    return fromColourRef(m_attributes & 0xFFFFFF);
}

Rgb StyledSegment::fromColourRef(std::uint32_t ref)
{
    return Rgb{static_cast<std::uint8_t>(ref & 0xFF), static_cast<std::uint8_t>((ref >> 8) & 0xFF),
               static_cast<std::uint8_t>((ref >> 16) & 0xFF)};
}
