#pragma once

// Where the main bar goes for each right-click preset. The desktop rectangle is the whole
// screen; the taskbar height is subtracted for the bottom presets wherever the taskbar is.
struct ScreenRect
{
    int left = 0;
    int top = 0;
    int right = 0;  // exclusive
    int bottom = 0; // exclusive
    int width() const { return right - left; }
    int height() const { return bottom - top; }
};

struct ScreenPoint
{
    int x = 0;
    int y = 0;
    friend bool operator==(const ScreenPoint &, const ScreenPoint &) = default;
};

// The values are the menu command ids the presets have always had.
enum class BarPreset {
    TopLeft = 12345,
    TopRight = 12346,
    BottomLeft = 12347,
    BottomRight = 12348,
    TopCenter = 12349,
    BottomCenter = 12350,
};

ScreenPoint presetPosition(BarPreset preset, const ScreenRect &desktop, int taskbarHeight,
                           int barWidth, int barHeight);

// Docked panels hang from the bar: their top-left corner on the bar's bottom-left corner.
ScreenPoint dockPosition(const ScreenRect &bar);

// The right-click menu appears only for points inside the client area (screen coordinates).
bool isInside(const ScreenRect &rect, ScreenPoint point);
