#!/usr/bin/env bash
# Installs the Debian 12 packages that building, testing and running Ondrel need. Run as root; asks
# nothing. When every package is already installed it does not touch apt at all, so the test and
# run commands can call it every time.
set -euo pipefail

packages=(
    cmake ninja-build g++ googletest            # native build and the test framework's sources
    g++-mingw-w64-i686-win32                    # the 32-bit release: Win32 threads, no POSIX layer
    g++-mingw-w64-x86-64-win32                  # the 64-bit build that runs under Wine
    wine64 wine                                 # 64-bit Wine only: this kernel runs no 32-bit code
    fonts-wine                                  # the dialog fonts; without them windows show no text
    libxrender1 libxrandr2 libxi6 libxcursor1   # X extensions Wine loads at run time (recommended,
    libxcomposite1 libxinerama1 libxfixes3      # so --no-install-recommends would leave them out)
    xvfb xauth xdotool x11-utils imagemagick    # a headless display, driving it, screenshots
    halibut                                     # builds the WinHelp file
    clang libclang-rt-14-dev                    # libFuzzer, for the fuzz targets of the file readers
    clang-format
    librapidcheck-dev                           # the event explorers: generated orders of events, shrunk
)

# One query for all: packages dpkg has never heard of are simply absent from its answer.
installed=$(dpkg-query -W -f='${Package} ${db:Status-Status}\n' "${packages[@]}" 2>/dev/null |
            awk '$2 == "installed" { print $1 }' || true)
missing=()
for package in "${packages[@]}"; do
    grep -qxF "$package" <<<"$installed" || missing+=("$package")
done

if [ ${#missing[@]} -eq 0 ]; then
    echo "install-deps: all ${#packages[@]} packages present"
    exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
    echo "install-deps: missing ${missing[*]}; run this script as root to install them" >&2
    exit 1
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update
apt-get install -y --no-install-recommends "${missing[@]}"
