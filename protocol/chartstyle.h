#pragma once

#include <QColor>
#include <QFont>

// The simulator's chart look: the program's panel blue round a white plot, thin lines,
// green for a rising bar and red for a falling one. Sizes follow the requested chart size.
struct ChartStyle
{
    explicit ChartStyle(bool large);

    int width;
    int mainHeight;  // title, legend, price plot and its date labels
    int studyHeight; // each indicator panel under it
    int axisWidth;   // price labels right of the plots
    int margin;
    QFont font;
    QFont titleFont;

    static inline const QColor Background{213, 247, 255};
    static inline const QColor Plot{255, 255, 255};
    static inline const QColor Frame{110, 130, 140};
    static inline const QColor Grid{225, 232, 236};
    static inline const QColor Text{30, 30, 30};
    static inline const QColor Faint{110, 110, 110};
    static inline const QColor Price{0, 60, 160};
    static inline const QColor Up{0, 150, 0};
    static inline const QColor Down{210, 0, 0};
    static inline const QColor Wick{60, 60, 60};
    static inline const QColor VolumeShade{150, 165, 180, 130};
    static inline const QColor Band{90, 90, 210};
    static inline const QColor BandFill{90, 90, 210, 28};
    static inline const QColor Sar{150, 0, 150};
    static inline const QColor Second{220, 80, 0}; // an indicator's second line

    // Colours of averages in the order asked for, and of compared symbols.
    static QColor average(std::size_t index);
    static QColor compared(std::size_t index);
};
