#!/usr/bin/env bash
# Builds the Debian package: scripts/package.sh [BUILD_DIR]
# Without a build folder it makes a Release build in build-release. Prints the package's path.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
dir=${1:-build-release}
if [ $# -eq 0 ]; then
    scripts/build.sh "$dir" -DCMAKE_BUILD_TYPE=Release >&2
fi
rm -f "$dir"/vantrel_*.deb
(cd "$dir" && cpack -G DEB >&2)
ls "$PWD/$dir"/vantrel_*_*.deb
