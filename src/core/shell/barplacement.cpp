#include "core/shell/barplacement.h"

ScreenPoint presetPosition(BarPreset preset, const ScreenRect &desktop, int taskbarHeight,
                           int barWidth, int barHeight)
{
    // Both halvings truncate separately, as the bar has always placed itself. The centre counts
    // from the screen's own left edge, so a screen right of another gets the bar on it, as the
    // ticker does.
    const int centreX = desktop.left + desktop.width() / 2 - barWidth / 2;
    const int rightX = desktop.right - barWidth;
    const int bottomY = desktop.bottom - taskbarHeight - barHeight;
    switch (preset) {
    case BarPreset::TopLeft:
        return {desktop.left, desktop.top};
    case BarPreset::TopRight:
        return {rightX, desktop.top};
    case BarPreset::BottomLeft:
        return {desktop.left, bottomY};
    case BarPreset::BottomRight:
        return {rightX, bottomY};
    case BarPreset::TopCenter:
        return {centreX, desktop.top};
    case BarPreset::BottomCenter:
        return {centreX, bottomY};
    }
    return {desktop.left, desktop.top};
}

ScreenPoint dockPosition(const ScreenRect &bar)
{
    return {bar.left, bar.bottom};
}

bool isInside(const ScreenRect &rect, ScreenPoint point)
{
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top &&
           point.y < rect.bottom;
}
