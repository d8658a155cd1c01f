#!/usr/bin/env bash
# Regenerates the simulator-derived seeds of fuzz/corpus/ from real replies of a built
# vantrel-sim (fixed seed and clock, so the files come out the same every time).
# Usage: scripts/dev/fuzz-seeds.sh [BUILD_DIR]   (default build; needs curl)
set -euo pipefail
cd "$(dirname "$0")/../.."
sim=${1:-build}/bin/vantrel-sim
corpus=fuzz/corpus
work=$(mktemp -d)
trap 'kill "$simpid" 2>/dev/null || true; rm -rf "$work"' EXIT

"$sim" --seed 7 --clock 2026-12-04T09:20:00 --access-log "$work/access.log" >"$work/port" &
simpid=$!
for _ in $(seq 50); do
    [ -s "$work/port" ] && break
    sleep 0.1
done
base=http://127.0.0.1:$(head -1 "$work/port")
# Whole replies first: a pipe cut short by head would fail the script.
get() {
    curl -s --max-time 10 "$base$1" >"$work/reply" || true
    cat "$work/reply"
}
control() { get "/sim/control?$1" >/dev/null; }

for dir in quote_lines futures_pages chart_data live_files bridge_texts query_strings; do
    rm -rf "${corpus:?}/$dir/sim-"*
    mkdir -p "$corpus/$dir"
done

symbols="RELIANCE.NS,TCS.NS,M%26M.NS,^NSEI,^BSESN,USDINR=X,500325.BO,NOSUCH.NS"
full=sl1d1t1c1ohgvjk
# A quote line seed starts with the count of fields the program asks for.
quoteSeeds() { # PREFIX-BYTE NAME
    local n=0
    while IFS= read -r line; do
        n=$((n + 1))
        { printf "$1"; printf '%s' "$line"; } >"$corpus/quote_lines/sim-$2-$n"
    done
}
get "/d/quotes.csv?s=$symbols&f=$full" | quoteSeeds '\x0b' full
get "/d/quotes.csv?s=RELIANCE.NS,^NSEI&f=sl1d1t1c1ohgv" | quoteSeeds '\x09' short
get "/d/quotes.csv?s=RELIANCE.NS&f=w" | quoteSeeds '\x01' range
for fault in garbage short; do
    control "fault=$fault&fault-path=/d/quotes.csv"
    get "/d/quotes.csv?s=$symbols&f=$full" >/dev/null
    head -3 "$work/reply" | quoteSeeds '\x0b' "$fault"
    control "fault=none"
done

# The intraday and snapshot lines the watch list writes, from the quotes of a running day.
live=$corpus/live_files/sim-day
printf '\x01\x00' >"$live"
feed=""
for step in $(seq 12); do
    control "advance=600"
    get "/d/quotes.csv?s=^NSEI,RELIANCE.NS,TCS.NS&f=$full" | tr -d '"\r' |
        awk -F, -v t="$step" '{ printf "%s,12/04/2026,%02d:%02d:00,%s,%s,%s,%s,%s\n",
            ($1 == "^NSEI" ? "NIFTY" : substr($1, 1, index($1, ".") - 1)),
            9 + int((t * 10 + 20) / 60), (t * 10 + 20) % 60, $2 - $5, $7, $8, $2, $9 }' >>"$live"
done
head -c 300 "$live" | tail -c +3 | { printf '\x00\x40'; cat; } >"$corpus/live_files/sim-cut"

# Feed cycles and the stock list as the program hands them to the charting program.
get "/d/quotes.csv?s=RELIANCE.NS,TCS.NS,INFY.NS&f=$full" | tr -d '"\r' |
    awk -F, '{ printf "%s%s,%.2f,%.2f,%d,", (NR > 1 ? "*" : ""), substr($1, 1, index($1, ".") - 1),
        $2 - $5, $2, NR * 100 }' >"$corpus/bridge_texts/sim-feed"
printf 'RELIANCE,TCS,INFY,NIFTY,SENSEX,' >"$corpus/bridge_texts/sim-stocklist"

# Chart data: the header block and the first bars keep the seeds small.
chart() {
    get "/instrument/1.0/$1/chartdata;type=quote;range=$2/csv/" >/dev/null
    head -"$3" "$work/reply"
}
{ printf '\x00'; chart RELIANCE.NS 1d 40; } >"$corpus/chart_data/sim-1d"
{ printf '\x01'; chart %5ENSEI 5d 45; } >"$corpus/chart_data/sim-5d"
{ printf '\x00'; chart NOSUCH.NS 1d 40; } >"$corpus/chart_data/sim-unknown"

get "/marketinfo/fo/fomwatchsymbol.jsp?key=RELIANCE&Fut_Opt=Futures" >"$corpus/futures_pages/sim-contract"
get "/marketinfo/fo/fomwatchsymbol.jsp?key=NOSUCH&Fut_Opt=Futures" >"$corpus/futures_pages/sim-unknown"
get "/content/fo/fo_markettoday.htm" >"$corpus/futures_pages/sim-stats"
get "/lookup?s=Reliance+Industries" >"$corpus/futures_pages/sim-lookup"

get "/z?s=RELIANCE.NS&t=1d&q=l&l=on&z=m&p=m50,m200" >/dev/null
n=0
sort -u "$work/access.log" | grep -v /sim/control | while IFS= read -r target; do
    n=$((n + 1))
    printf '%s' "$target" >"$corpus/query_strings/sim-$n"
done
# The gateway's readers: the recorded source replies, each behind the byte that picks its reader.
fixtures=tests/fixtures/live
rm -rf "$corpus/gateway_replies/fixture-"*
mkdir -p "$corpus/gateway_replies"
gateway() { # BYTE FILE
    { printf "$1"; cat "$fixtures/$2"; } >"$corpus/gateway_replies/fixture-$2"
}
for f in "$fixtures"/chart_*.json; do gateway '\x00' "$(basename "$f")"; done
for f in "$fixtures"/batch_*.json; do gateway '\x01' "$(basename "$f")"; done
for f in "$fixtures"/crumb_*.txt; do gateway '\x02' "$(basename "$f")"; done
for f in "$fixtures"/*.zip; do gateway '\x03' "$(basename "$f")"; done
for f in "$fixtures"/bhav_*.csv; do gateway '\x04' "$(basename "$f")"; done
{ printf '\x05\x01\x0cBhavCopy.csv\x00'; cat "$fixtures/bhav_nse_20250620.csv"; } \
    >"$corpus/gateway_replies/fixture-built-zip"

# The shipped company list: its head and a slice from the middle.
rm -rf "$corpus/company_lists/data-"*
mkdir -p "$corpus/company_lists"
head -30 data/companylist.csv >"$corpus/company_lists/data-head"
{ head -1 data/companylist.csv; sed -n 1000,1030p data/companylist.csv; } \
    >"$corpus/company_lists/data-middle"
du -sh "$corpus"
