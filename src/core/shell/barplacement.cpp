#include "core/shell/barplacement.h"

ScreenPoint presetPosition(BarPreset preset, const ScreenRect &desktop, int taskbarHeight,
                           int barWidth, int barHeight)
{
    // Both halvings truncate separately, and the centre ignores the desktop's left edge,
    // exactly as the bar has always placed itself.
    const int centreX = desktop.width() / 2 - barWidth / 2;
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
