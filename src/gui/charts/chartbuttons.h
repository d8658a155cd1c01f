#pragma once

// The option buttons of the chart panel: control id, caption, group and the value it sends.
enum class ChartGroup { Type, Scale, Range, Size, Average, Overlay, Indicator };

struct ChartButton
{
    int id;
    const char *caption;
    ChartGroup group;
    const char *value;
};

inline constexpr ChartButton ChartButtons[] = {
    {1038, "Bar", ChartGroup::Type, "b"},
    {1039, "Line", ChartGroup::Type, "l"},
    {1040, "Cdl", ChartGroup::Type, "c"},
    {1041, "Linear", ChartGroup::Scale, "off"},
    {1042, "Log", ChartGroup::Scale, "on"},
    {1027, "1d", ChartGroup::Range, "1d"},
    {1029, "5d", ChartGroup::Range, "5d"},
    {1035, "1m", ChartGroup::Range, "1m"},
    {1032, "3m", ChartGroup::Range, "3m"},
    {1033, "6m", ChartGroup::Range, "6m"},
    {1034, "1y", ChartGroup::Range, "1y"},
    {1043, "2y", ChartGroup::Range, "2y"},
    {1044, "M", ChartGroup::Size, "m"},
    {1045, "L", ChartGroup::Size, "l"},
    {1028, "5", ChartGroup::Average, ",m5"},
    {1030, "10", ChartGroup::Average, ",m10"},
    {1049, "20", ChartGroup::Average, ",m20"},
    {1036, "50", ChartGroup::Average, ",m50"},
    {1046, "100", ChartGroup::Average, ",m100"},
    {1047, "200", ChartGroup::Average, ",m200"},
    {1031, "5", ChartGroup::Average, ",e5"},
    {1048, "10", ChartGroup::Average, ",e10"},
    {1053, "20", ChartGroup::Average, ",e20"},
    {1050, "50", ChartGroup::Average, ",e50"},
    {1051, "100", ChartGroup::Average, ",e100"},
    {1052, "200", ChartGroup::Average, ",e200"},
    {1063, "Bollinger Bands", ChartGroup::Overlay, ",b"},
    {1064, "Parabolic SAR", ChartGroup::Overlay, ",p"},
    {1065, "Splits", ChartGroup::Overlay, ",s"},
    {1066, "Volume", ChartGroup::Overlay, ",v"},
    {1054, "MACD", ChartGroup::Indicator, ",m26-12-9"},
    {1055, "MFI", ChartGroup::Indicator, ",f14"},
    {1056, "ROC", ChartGroup::Indicator, ",p12"},
    {1057, "RSI", ChartGroup::Indicator, ",r14"},
    {1058, "Slow Stoch", ChartGroup::Indicator, ",ss"},
    {1059, "Fast Stoch", ChartGroup::Indicator, ",fs"},
    {1060, "Vol", ChartGroup::Indicator, ",v"},
    {1061, "Vol+MA", ChartGroup::Indicator, ",vm"},
    {1062, "W%R", ChartGroup::Indicator, ",w14"},
};
