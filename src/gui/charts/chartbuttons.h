#pragma once

// The option buttons of the chart panel: object name, caption, group and the value it sends.
enum class ChartGroup { Type, Scale, Range, Size, Average, Overlay, Indicator };

struct ChartButton
{
    const char *name;
    const char *caption;
    ChartGroup group;
    const char *value;
};

inline constexpr ChartButton ChartButtons[] = {
    {"typeBar", "Bar", ChartGroup::Type, "b"},
    {"typeLine", "Line", ChartGroup::Type, "l"},
    {"typeCandle", "Cdl", ChartGroup::Type, "c"},
    {"scaleLinear", "Linear", ChartGroup::Scale, "off"},
    {"scaleLog", "Log", ChartGroup::Scale, "on"},
    {"rangeOneDay", "1d", ChartGroup::Range, "1d"},
    {"rangeFiveDays", "5d", ChartGroup::Range, "5d"},
    {"rangeOneMonth", "1m", ChartGroup::Range, "1m"},
    {"rangeThreeMonths", "3m", ChartGroup::Range, "3m"},
    {"rangeSixMonths", "6m", ChartGroup::Range, "6m"},
    {"rangeOneYear", "1y", ChartGroup::Range, "1y"},
    {"rangeTwoYears", "2y", ChartGroup::Range, "2y"},
    {"sizeMedium", "M", ChartGroup::Size, "m"},
    {"sizeLarge", "L", ChartGroup::Size, "l"},
    {"averageFive", "5", ChartGroup::Average, ",m5"},
    {"averageTen", "10", ChartGroup::Average, ",m10"},
    {"averageTwenty", "20", ChartGroup::Average, ",m20"},
    {"averageFifty", "50", ChartGroup::Average, ",m50"},
    {"averageHundred", "100", ChartGroup::Average, ",m100"},
    {"averageTwoHundred", "200", ChartGroup::Average, ",m200"},
    {"emaFive", "5", ChartGroup::Average, ",e5"},
    {"emaTen", "10", ChartGroup::Average, ",e10"},
    {"emaTwenty", "20", ChartGroup::Average, ",e20"},
    {"emaFifty", "50", ChartGroup::Average, ",e50"},
    {"emaHundred", "100", ChartGroup::Average, ",e100"},
    {"emaTwoHundred", "200", ChartGroup::Average, ",e200"},
    {"overlayBollinger", "Bollinger Bands", ChartGroup::Overlay, ",b"},
    {"overlayParabolicSar", "Parabolic SAR", ChartGroup::Overlay, ",p"},
    {"overlaySplits", "Splits", ChartGroup::Overlay, ",s"},
    {"overlayVolume", "Volume", ChartGroup::Overlay, ",v"},
    {"indicatorMacd", "MACD", ChartGroup::Indicator, ",m26-12-9"},
    {"indicatorMfi", "MFI", ChartGroup::Indicator, ",f14"},
    {"indicatorRoc", "ROC", ChartGroup::Indicator, ",p12"},
    {"indicatorRsi", "RSI", ChartGroup::Indicator, ",r14"},
    {"indicatorSlowStochastic", "Slow Stoch", ChartGroup::Indicator, ",ss"},
    {"indicatorFastStochastic", "Fast Stoch", ChartGroup::Indicator, ",fs"},
    {"indicatorVolume", "Vol", ChartGroup::Indicator, ",v"},
    {"indicatorVolumeAverage", "Vol+MA", ChartGroup::Indicator, ",vm"},
    {"indicatorWilliams", "W%R", ChartGroup::Indicator, ",w14"},
};
