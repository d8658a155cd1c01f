#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Vantrel need.
# Only what is missing is installed; a machine that has everything is left alone.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config git clang-format
    qt6-base-dev libqt6opengl6-dev qt6-charts-dev libfontconfig-dev qt6-qpa-plugins libqt6sql6-sqlite libqt6sql6-odbc libgl-dev
    libcpp-httplib-dev libssl-dev zlib1g-dev ca-certificates libgtest-dev libgmock-dev libbenchmark-dev
    sqlite3 unixodbc unixodbc-dev libsqliteodbc locales clang libclang-rt-14-dev
    xvfb xauth x11-utils libx11-dev imagemagick faketime fonts-dejavu-core dbus-daemon dbus-bin
    dpkg-dev desktop-file-utils appstream help2man curl
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "Run as root (or install sudo) to install: ${missing[*]}" >&2; exit 1; }
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
