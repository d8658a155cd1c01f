#!/usr/bin/env python3
"""Reads Google Benchmark JSON and prints one 'NAME RATIO' line per figure: the median time of
a benchmark over the median of its baseline (the benchmark's name + 'Baseline') from the same run.
Absolute figures (benchmarks named '..._Absolute') are printed as 'NAME MILLISECONDS'."""
import json
import sys

FIGURES = {
    "parser": "BM_ParseLine",
    "formatter": "BM_FormatDisplay",
    "search": "BM_CompanySearch",
    "watchlist_refresh": "BM_WatchListRefresh",
    "portfolio_refresh": "BM_PortfolioRefresh",
    "livechart_tick": "BM_LiveChartTick",
    "ticker_step": "BM_TickerStep",
}

def medians(path):
    with open(path) as f:
        data = json.load(f)
    out = {}
    for b in data["benchmarks"]:
        if b.get("aggregate_name") == "median":
            out[b["run_name"]] = b["real_time"] * {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b["time_unit"]]
    return out

def main():
    m = medians(sys.argv[1])
    for figure, name in FIGURES.items():
        if name in m and name + "Baseline" in m:
            print(f"{figure} {m[name] / m[name + 'Baseline']:.2f}")
        if name + "_Absolute" in m:
            print(f"{figure}_median_ms {m[name + '_Absolute']:.3f}")

if __name__ == "__main__":
    main()
