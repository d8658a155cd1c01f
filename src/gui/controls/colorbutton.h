#pragma once

#include "core/common/rgb.h"

#include <QPushButton>

class QPainter;

// The push button every window uses: a flat face of its own colour, bevel rings drawn
// round it, and a caption that turns grey when the button is disabled.
class ColorButton : public QPushButton
{
    Q_OBJECT
public:
    struct Colours
    {
        Rgb text = colours::ButtonText;
        Rgb face = colours::Panel;
        Rgb disabled = colours::DisabledText;
        int bevel = 2;
    };

    explicit ColorButton(const QString &caption, QWidget *parent = nullptr);

    void setColours(const Colours &c);
    const Colours &colours() const { return m_colours; }
    void setFaceColour(Rgb face, bool repaintNow = true);

    struct State
    {
        bool focused = false;
        bool pressed = false;
        bool enabled = true;
    };
    // Draws a button of the given state into rect; the widget paints itself through this.
    static void paint(QPainter &painter, const QRect &rect, const QString &caption,
                      const Colours &c, const State &state);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Colours m_colours;
};
