#include "batchsource.h"
#include "chartsource.h"
#include "eodsource.h"

std::vector<std::unique_ptr<LiveSource>> makeLiveSources(const LiveSourceConfig &config)
{
    // One gate for all: sources that share a host share its budget.
    auto gate =
        std::make_shared<HostGate>(config.requestsPerSecond, config.requestsPerMinute, config.now);
    const std::chrono::milliseconds limit =
        config.fetchTimeLimit.count() > 0 ? config.fetchTimeLimit : HttpFetcher::DefaultTimeLimit;
    setFetchProxy(config.proxy);
    std::vector<std::unique_ptr<LiveSource>> sources;
    for (const std::string &name : config.order) {
        if (name == "chart")
            sources.push_back(std::make_unique<ChartSource>(config.chartBaseUrl, gate, limit));
        else if (name == "batch")
            sources.push_back(std::make_unique<BatchSource>(config.batchBaseUrl,
                                                            config.crumbPageUrl, gate, limit));
        else if (name == "end-of-day")
            sources.push_back(std::make_unique<EodSource>(config.nseArchiveBaseUrl,
                                                          config.bseBaseUrl, config.dataRoot, gate,
                                                          config.calendar, limit));
    }
    return sources;
}
