#!/usr/bin/env bash
# Installs the Debian packages the build needs, only those that are missing.
# Used by run.sh and test.sh; safe to run again. Installing needs root: the
# script runs apt-get itself as root, through sudo otherwise, and where
# neither is possible it says so and lists the packages to install.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev qt6-serialport-dev libgl-dev
    xvfb xauth fonts-liberation
)
# Extra packages a caller asks for (e.g. the printing test's CUPS).
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if ! command -v apt-get >/dev/null; then
    echo "These packages are needed: ${missing[*]}" >&2
    echo "This is not a Debian system (no apt-get): install their equivalents by hand." >&2
    exit 1
fi
as_root=()
if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null; then
        echo "These Debian packages are missing: ${missing[*]}" >&2
        echo "Installing them needs root, and sudo is not installed. Either run this as" >&2
        echo "root, or install sudo (as root: apt-get install sudo; adduser $(id -un) sudo)," >&2
        echo "or install them yourself as root:" >&2
        echo "  apt-get install --no-install-recommends ${missing[*]}" >&2
        exit 1
    fi
    as_root=(sudo)
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
