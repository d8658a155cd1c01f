#!/usr/bin/env bash
# Checks a built Debian package as a desktop would see it: scripts/check-package.sh DEB
# The menu entry and metainfo validate, the file list is complete, the dependencies were found,
# and the programs run from the unpacked prefix, away from the build tree.
set -euo pipefail
deb=$(readlink -f "$1")
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail() { echo "package: $*" >&2; exit 1; }

dpkg-deb -x "$deb" "$root"
files=$(dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|')
for f in /usr/bin/vantrel /usr/bin/vantrel-sim /usr/bin/vantrel-gateway /usr/bin/vantrel-chartbook \
    /usr/share/applications/org.vantrel.Vantrel.desktop \
    /usr/share/metainfo/org.vantrel.Vantrel.metainfo.xml \
    /usr/share/icons/hicolor/scalable/apps/org.vantrel.Vantrel.svg \
    /usr/share/icons/hicolor/48x48/apps/org.vantrel.Vantrel.png \
    /usr/share/icons/hicolor/256x256/apps/org.vantrel.Vantrel.png \
    /usr/share/dbus-1/interfaces/org.vantrel.ChartBridge1.xml \
    /usr/share/man/man1/vantrel.1.gz /usr/share/man/man1/vantrel-gateway.1.gz \
    /usr/share/man/man1/vantrel-chartbook.1.gz /usr/share/vantrel/data/companylist.csv; do
    grep -qx "$f" <<<"$files" || fail "$f is missing from the package"
done
stray=$(grep -E '^/(usr/)?(include|lib/cmake)|/tests?/|_test$' <<<"$files" || true)
[ -z "$stray" ] || fail "files that do not belong in it: $stray"

desktop-file-validate "$root/usr/share/applications/org.vantrel.Vantrel.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.vantrel.Vantrel.metainfo.xml" >/dev/null
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6core6 libqt6widgets6 libqt6charts6 libqt6sql6 libqt6dbus6 libc6 qt6-qpa-plugins; do
    grep -q "$lib" <<<"$depends" || fail "Depends lacks $lib: $depends"
done
zcat "$root/usr/share/man/man1/vantrel.1.gz" | sed 's/\\-/-/g' | grep -q -- '--data-dir' || fail "vantrel.1 lacks the options"

# The installed programs, run from the unpacked prefix with the build tree out of reach.
for p in vantrel vantrel-sim vantrel-gateway vantrel-chartbook; do
    if readelf -d "$root/usr/bin/$p" | grep -qE 'R(UN)?PATH'; then fail "$p carries a library path"; fi
done
version=$(cd / && QT_QPA_PLATFORM=offscreen "$root/usr/bin/vantrel" --version)
grep -qx 'Vantrel Pro [0-9.]*' <<<"$version" || fail "vantrel --version said: $version"
# The bar module is found where it is installed: a run without windows goes through it.
(cd / && "$root/usr/bin/vantrel" --init-db --data-dir "$root/data" >"$root/initdb.out" 2>&1) ||
    fail "the installed vantrel --init-db failed: $(cat "$root/initdb.out")"
sim_out=$root/sim.out
(cd / && exec "$root/usr/bin/vantrel-sim" --port 0 >"$sim_out" 2>"$root/sim.err") &
sim=$!
for _ in $(seq 50); do [ -s "$sim_out" ] && break; sleep 0.1; done
port=$(head -n1 "$sim_out")
quote=$(curl -s "http://127.0.0.1:$port/d/quotes.csv?s=INFY.NS&f=sl1" || true)
kill "$sim"; wait "$sim" 2>/dev/null || true
grep -q '^"INFY.NS",[0-9]' <<<"$quote" || fail "the installed simulator did not answer a quote: $quote"
echo "package ok: $(basename "$deb"), $(wc -l <<<"$files") entries"
