#pragma once

#include <string>
#include <string_view>
#include <vector>

class QueryString;

enum class ChartRange { Day, FiveDays, Month, ThreeMonths, SixMonths, Year, TwoYears };
enum class ChartType { Line, Bars, Candles };

// One item of the price overlays ("&p=") or the indicators ("&a="), with its periods.
struct ChartItem
{
    enum Kind {
        MovingAverage, // mN
        Ema,           // eN
        Bollinger,     // b
        Sar,           // p
        Splits,        // s
        VolumeOverlay, // v under the price
        Macd,          // m26-12-9
        Rsi,           // r14
        Mfi,           // f14
        Roc,           // p12
        SlowStoch,     // ss
        FastStoch,     // fs
        Volume,        // v
        VolumeAverage, // vm
        WilliamsR,     // w14
    };
    Kind kind;
    std::vector<int> periods;

    friend bool operator==(const ChartItem &, const ChartItem &) = default;
};

// What a chart request asks for. Values the service does not know fall back to the panel's
// initial choice, so a sloppy request still gets a picture.
struct ChartOptions
{
    std::string symbol;
    ChartRange range = ChartRange::Day;
    ChartType type = ChartType::Line;
    bool logScale = false;
    bool large = false;
    std::vector<ChartItem> overlays;   // each item once, in the order first asked for
    std::vector<ChartItem> indicators; // likewise
    std::vector<std::string> compare;  // symbols drawn against it as percent change

    static ChartOptions fromQuery(const QueryString &query);
};

// Items of a list such as ",m5,m5,e10,b"; unknown ones and repeats are dropped.
std::vector<ChartItem> parseOverlays(std::string_view list);
std::vector<ChartItem> parseIndicators(std::string_view list);

std::string_view rangeTitle(ChartRange range);
