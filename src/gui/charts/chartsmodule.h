#pragma once

#include "gui/charts/chartbackend.h"

// Finds and loads the charts module once, beside the program or where it is installed.
class ChartsModule
{
public:
    // Null, with the loader's reason in error, when the module can't be had.
    static MakeChartBackend factory(QString *error);
};
