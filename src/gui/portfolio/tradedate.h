#pragma once

#include <QString>

class AppContext;

// Today as "YYYY-MM-DD" by the program's clock: the day a new lot or sale is entered on.
QString todayText(const AppContext &ctx);
