#include "core/controls/exportname.h"

#include "core/common/blanktext.h"

#include <cstdio>

std::string defaultExportName(const LocalTime &t)
{
    const int hour = t.hour >= 13 ? t.hour - 12 : t.hour;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%02d-%02d-%d_%02d-%02d-%02d%s", t.day, t.month, t.year,
                  hour, t.minute, t.second, t.hour < 12 ? "AM" : "PM");
    return buffer;
}

ExportNameAnswer acceptExportName(const std::string &entered)
{
    const std::string_view name = trimBlanks(entered);
    if (std::string problem = exportfile::nameProblem(name); !problem.empty())
        return {{}, std::move(problem)};
    return {std::string(name), {}};
}
