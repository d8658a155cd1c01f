#pragma once

#include "core/common/rgb.h"

#include <QLabel>

// A static text with a colour, weight and size of its own, changed at run time.
class ColourLabel : public QLabel
{
    Q_OBJECT
public:
    explicit ColourLabel(QWidget *parent = nullptr);

    void setTextColour(Rgb colour);
    void setBold(bool bold);
    // The font height in pixels.
    void setFontSize(int pixels);
    Rgb textColour() const { return m_colour; }

private:
    Rgb m_colour{0, 0, 0};
};
