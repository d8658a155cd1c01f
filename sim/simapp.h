#pragma once

#include "simoptions.h"

// Runs the simulator until SIGTERM or SIGINT: prints the bound port alone on the first line
// of standard output, serves, and stops promptly. Returns the process exit code.
int runSimulator(const SimOptions &options);
