#include "gatewayconfig.h"

#include <charconv>
#include <cstdlib>

namespace {
std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}
} // namespace

bool parseSourceOrder(std::string_view text, std::vector<std::string> &order)
{
    std::vector<std::string> names;
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        const std::string_view name = trimmed(text.substr(0, comma));
        text.remove_prefix(comma == std::string_view::npos ? text.size() : comma + 1);
        if (name != "batch" && name != "chart" && name != "end-of-day")
            return false;
        names.emplace_back(name);
    }
    if (names.empty())
        return false;
    order = std::move(names);
    return true;
}

bool readGatewayConfig(std::string_view text, LiveSourceConfig &config, std::string &error)
{
    int lineNumber = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = trimmed(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++lineNumber;
        if (line.empty() || line.front() == '#')
            continue;
        const std::size_t eq = line.find('=');
        const std::string_view name = trimmed(line.substr(0, eq));
        const std::string_view value =
            eq == std::string_view::npos ? std::string_view() : trimmed(line.substr(eq + 1));
        bool good = eq != std::string_view::npos && !value.empty();
        if (!good) {
        } else if (name == "sources") {
            good = parseSourceOrder(value, config.order);
        } else if (name == "requests-per-minute") {
            int n = 0;
            const auto [stop, ec] = std::from_chars(value.data(), value.data() + value.size(), n);
            good = ec == std::errc() && stop == value.data() + value.size() && n > 0;
            config.requestsPerMinute = good ? n : config.requestsPerMinute;
        } else if (name == "proxy") {
            config.proxy = value;
        } else {
            std::string LiveSourceConfig::*url =
                name == "chart-url"        ? &LiveSourceConfig::chartBaseUrl
                : name == "batch-url"      ? &LiveSourceConfig::batchBaseUrl
                : name == "crumb-page-url" ? &LiveSourceConfig::crumbPageUrl
                : name == "nse-url"        ? &LiveSourceConfig::nseArchiveBaseUrl
                : name == "bse-url"        ? &LiveSourceConfig::bseBaseUrl
                                           : nullptr;
            std::string_view bare = value;
            while (bare.ends_with('/'))
                bare.remove_suffix(1);
            good = url && (bare.starts_with("http://") || bare.starts_with("https://"));
            if (good)
                config.*url = bare;
        }
        if (!good) {
            error = "line " + std::to_string(lineNumber) + ": " + std::string(line);
            return false;
        }
    }
    return true;
}

std::string defaultGatewayConfigPath()
{
    if (const char *xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        return std::string(xdg) + "/vantrel/gateway.conf";
    const char *home = std::getenv("HOME");
    return std::string(home ? home : ".") + "/.config/vantrel/gateway.conf";
}
