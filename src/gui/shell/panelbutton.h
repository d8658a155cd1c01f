#pragma once

// What a panel button of the main bar opens: a docked panel, a live chart, the chart link
// dialog or the ticker.
enum class PanelButton {
    WatchList,
    Toppers,
    Indices,
    World,
    LiveChart,
    Profile,
    ChartLink,
    Futures,
    Ticker
};
