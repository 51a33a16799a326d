#!/usr/bin/env bash
# The setup command: installs what is missing, builds the distribution image (Setup.exe and the
# eleven files it installs) and starts Setup under Wine from a copy of the image, C:\Ondrel Disk,
# in the prefix build/setup-run/wineprefix (the single-user layout). Each run starts from a fresh
# prefix, so Setup always meets a machine without Ondrel.
#
# With a DISPLAY Setup runs there, in the foreground: click through its wizard, and the installed
# dialer starts from the desktop shortcut (scripts/wine-run start 'C:\windows\Desktop\Ondrel
# v1.3.lnk' with that WINEPREFIX). Without one it runs in an Xvfb of its own: a few seconds after
# its welcome page appears, the screen is saved to build/setup-screenshot.png; Setup is then left
# through the welcome page's Exit after SETUP_SECONDS seconds from its start (default 10) unless it
# has ended by then. The exit status is Setup's.
set -euo pipefail

repo=$(cd "$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")/.." && pwd)
cd "$repo"
scripts/install-deps.sh
# Only what it runs: the image, which builds both programs, the remote access service the
# installed dialer dials through, and the tool that watches Setup.
scripts/build.sh win64 package_files rasapi32 ondrel_remote

export repo
export WINEPREFIX=$repo/build/setup-run/wineprefix
export SETUP_SECONDS=${SETUP_SECONDS:-10}
disk="$WINEPREFIX/drive_c/Ondrel Disk"
source "$repo/scripts/run-program.sh"

# A fresh prefix and the image copied into it.
prepare() {
    rm -rf "$WINEPREFIX"
    "$repo/scripts/wine-prefix.sh" "$WINEPREFIX"
    mkdir -p "$folder"
    cp "$repo"/build/win64/disk/* "$folder/"
    echo "setup.sh: C:\\Ondrel Disk\\Setup.exe in the Wine prefix $WINEPREFIX"
}

# Leaves Setup as a user would: the welcome page's Exit, then Exit in "Cancel Setup".
leave_program() {
    if remote -w Setup click 2 >/dev/null 2>&1 &&
            remote wait-window "Cancel Setup" 5 >/dev/null 2>&1; then
        remote -w "Cancel Setup" click 2 >/dev/null
    fi
}

# Unseen, the screenshot shows the banner with the welcome page in front of it.
run_program setup.sh "$disk" Setup.exe Setup "$repo/build/setup-screenshot.png" SETUP_SECONDS
