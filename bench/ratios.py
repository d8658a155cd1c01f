#!/usr/bin/env python3
"""Reads Google Benchmark JSON and prints one 'NAME RATIO' line per figure: the median time of
a benchmark over the median of its baseline (the benchmark's name + 'Baseline') from the same run.
Absolute figures (benchmarks named '..._Absolute') are printed as 'NAME MILLISECONDS'."""
import json
import sys

FIGURES = {
    "futures_page_walk": "BM_FuturesPageWalk",
    "futures_junk_walk": "BM_FuturesJunkWalk",
    "parser": "BM_ParseLine",
    "formatter": "BM_FormatDisplay",
    "search": "BM_SearchKeystroke",
    "search_10x": "BM_SearchKeystroke10x",
    "search_store": "BM_CompanySearch",
    "watchlist_refresh": "BM_WatchListRefresh",
    "portfolio_refresh": "BM_PortfolioRefresh",
    "toppers_sweep": "BM_ToppersSweep",
    "livechart_tick": "BM_LiveChartTick",
    "ticker_step": "BM_TickerStep",
    "trade_import": "BM_TradeImport",
    "trade_rebuild": "BM_TradeRebuild",
}
# Figures that are a benchmark's counter, printed as they are: (benchmark, counter).
COUNTERS = {
    "toppers_ui_stall_ms": ("BM_ToppersSweep", "stall_ms"),
}

def medians(path):
    with open(path) as f:
        data = json.load(f)
    out, counters = {}, {}
    for b in data["benchmarks"]:
        if b.get("aggregate_name") == "median":
            # "BM_X/iterations:10/real_time" is BM_X.
            name = b["run_name"].split("/")[0]
            out[name] = b["real_time"] * {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b["time_unit"]]
            counters[name] = b
    return out, counters

def main():
    m, counters = medians(sys.argv[1])
    for figure, name in FIGURES.items():
        if name in m and name + "Baseline" in m:
            print(f"{figure} {m[name] / m[name + 'Baseline']:.2f}")
        if name + "_Absolute" in m:
            print(f"{figure}_median_ms {m[name + '_Absolute']:.3f}")
    for figure, (name, counter) in COUNTERS.items():
        if counter in counters.get(name, {}):
            print(f"{figure} {counters[name][counter]:.2f}")

if __name__ == "__main__":
    main()
