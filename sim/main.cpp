#include "simapp.h"
#include "simoptions.h"

#include <cstdio>

int main(int argc, char **argv)
{
    std::string error;
    std::optional<SimOptions> options = parseSimOptions(argc, argv, error);
    if (!options) {
        std::fprintf(stderr, "vantrel-sim: %s\n%s", error.c_str(), simUsage().c_str());
        return 2;
    }
    if (options->help) {
        std::fputs(simUsage().c_str(), stdout);
        return 0;
    }
    if (options->dataDir.empty())
        options->dataDir = defaultDataDir(argv[0]);
    return runSimulator(*options);
}
