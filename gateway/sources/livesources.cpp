#include "batchsource.h"
#include "chartsource.h"
#include "eodsource.h"

std::vector<std::unique_ptr<LiveSource>> makeLiveSources(const LiveSourceConfig &config)
{
    // One gate for all three: sources that share a host share its rate cap and back-off.
    auto gate = std::make_shared<HostGate>(config.requestsPerSecond, config.now);
    const std::chrono::milliseconds limit =
        config.fetchTimeLimit.count() > 0 ? config.fetchTimeLimit : HttpFetcher::DefaultTimeLimit;
    std::vector<std::unique_ptr<LiveSource>> sources;
    sources.push_back(std::make_unique<ChartSource>(config.chartBaseUrl, gate, limit));
    sources.push_back(
        std::make_unique<BatchSource>(config.batchBaseUrl, config.crumbPageUrl, gate, limit));
    sources.push_back(std::make_unique<EodSource>(config.nseArchiveBaseUrl, config.bseBaseUrl,
                                                  config.dataRoot, gate, limit));
    return sources;
}
