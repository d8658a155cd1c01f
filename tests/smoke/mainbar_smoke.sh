#!/usr/bin/env bash
# Starts the real program on a virtual X display, as a user would (with its own simulator),
# waits for the main bar and checks that the screen shows the bar's background colour. Each
# wait is for its condition, with a ceiling far above what a loaded machine needs.
set -euo pipefail
bin=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
echo 0 >"$tmp/panel.txt"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    bin=$1 tmp=$2
    XDG_CONFIG_HOME="$tmp/config" "$bin" --no-splash --data-dir "$tmp/data" >"$tmp/out.log" 2>&1 &
    pid=$!
    for _ in $(seq 1 600); do
        xwininfo -root -tree >"$tmp/windows.txt" 2>&1 && grep -q "\"Vantrel\"" "$tmp/windows.txt" && break
        sleep 0.1
    done
    # Pixels of the bar background colour RGB(213,247,255) on the screen.
    for _ in $(seq 1 120); do
        grep -q "\"Vantrel\"" "$tmp/windows.txt" || break
        import -window root "$tmp/shot.png" 2>/dev/null && convert "$tmp/shot.png" -format %c histogram:info:- |
            awk "/\\(213,247,255\\)/ { gsub(\":\", \"\", \$1); n += \$1 } END { print n + 0 }" >"$tmp/panel.txt"
        [ "$(cat "$tmp/panel.txt")" -ge 5000 ] && break
        sleep 0.5
    done
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null || true
' _ "$bin" "$tmp"

grep -q '"Vantrel"' "$tmp/windows.txt" || { echo "the main bar never appeared"; cat "$tmp/out.log"; exit 1; }
panel=$(cat "$tmp/panel.txt")
echo "pixels of the bar's background colour: $panel"
[ "$panel" -ge 5000 ] || { echo "the bar's background colour is missing from the screen"; exit 1; }
