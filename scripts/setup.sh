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
# Only what it runs: the image, which builds both programs, and the tool that watches Setup.
scripts/build.sh win64 package_files ondrel_remote

export repo
export WINEPREFIX=$repo/build/setup-run/wineprefix
export SETUP_SECONDS=${SETUP_SECONDS:-10}
export disk="$WINEPREFIX/drive_c/Ondrel Disk"
export screenshot=$repo/build/setup-screenshot.png
if [[ ! $SETUP_SECONDS =~ ^[0-9]+$ ]]; then
    echo "setup.sh: SETUP_SECONDS must be a whole number of seconds" >&2
    exit 2
fi

remote() { "$repo/scripts/wine-run" "$repo/build/win64/tests/ondrel-remote.exe" "$@"; }

# A fresh prefix and the image copied into it.
prepare() {
    rm -rf "$WINEPREFIX"
    "$repo/scripts/wine-prefix.sh" "$WINEPREFIX"
    mkdir -p "$disk"
    cp "$repo"/build/win64/disk/* "$disk/"
    echo "setup.sh: C:\\Ondrel Disk\\Setup.exe in the Wine prefix $WINEPREFIX"
}

# Leaves Setup as a user would: the welcome page's Exit, then Exit in "Cancel Setup". Wine ends
# it if it is still there 10 seconds later.
end_setup() {
    local pid=$1 deadline=$((SECONDS + 10))
    echo "setup.sh: leaving Setup"
    if remote -w Setup click 2 >/dev/null 2>&1 &&
            remote wait-window "Cancel Setup" 5 >/dev/null 2>&1; then
        remote -w "Cancel Setup" click 2 >/dev/null
    fi
    while kill -0 "$pid" 2>/dev/null; do
        if [ $SECONDS -ge $deadline ]; then
            echo "setup.sh: Setup did not end; Wine ends it" >&2
            wineserver -k
            break
        fi
        sleep 0.2
    done
}

# In a display of its own: start, screenshot, then wait for Setup's end or the time limit.
run_unseen() {
    local started=$SECONDS pid status
    prepare
    (cd "$disk" && exec "$repo/scripts/wine-run" Setup.exe) &
    pid=$!
    if ! remote wait-window Setup 30 >/dev/null; then
        echo "setup.sh: Setup's welcome page did not appear" >&2
        kill -0 "$pid" 2>/dev/null && wineserver -k
        wait "$pid"
        return 1
    fi
    sleep 3 # let the banner finish sliding in
    import -window root "$screenshot"
    echo "setup.sh: the screen with Setup is in $screenshot"
    echo "setup.sh: Setup runs until it ends or for $SETUP_SECONDS s (SETUP_SECONDS)"
    while kill -0 "$pid" 2>/dev/null && [ $((SECONDS - started)) -lt "$SETUP_SECONDS" ]; do
        sleep 1
    done
    kill -0 "$pid" 2>/dev/null && end_setup "$pid"
    wait "$pid"
    status=$?
    wineserver -w # nothing of Wine may outlive the display
    echo "setup.sh: Setup ended with exit status $status"
    return $status
}

if [ -n "${DISPLAY:-}" ]; then
    prepare
    cd "$disk"
    exec "$repo/scripts/wine-run" Setup.exe
fi
# xvfb-run is a POSIX shell script, which drops exported functions: pass them as text.
exec xvfb-run -a -s '-screen 0 1024x768x24' \
    bash -c "set -uo pipefail; $(declare -f remote prepare end_setup run_unseen); run_unseen"
