#!/usr/bin/env bash
# The run command: installs what is missing, builds the dialer and starts it under Wine,
# in the prefix build/run/wineprefix (the single-user layout), from its program folder
# C:\Program Files\Kestrune\Ondrel there, with a sample entry of the simulated remote access
# service, "Sample Dial-up", whose line answers. The prefix is the run's own: the tests expect an
# empty phonebook in theirs (build/win64/wineprefix), and the e2e tests empty it.
#
# With a DISPLAY the dialer runs there, in the foreground. Without one it runs in an Xvfb of its
# own: a few seconds after it starts, the screen is saved to build/run-screenshot.png; the dialer
# is then ended after RUN_SECONDS seconds from its start (default 60) unless it has ended by then.
# The exit status is the dialer's.
set -euo pipefail

repo=$(cd "$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")/.." && pwd)
cd "$repo"
scripts/install-deps.sh
# Only what it runs: the dialer and the tool that prepares its entry and settings.
scripts/build.sh win64 Ondrel ondrel_remote

export repo
export WINEPREFIX=$repo/build/run/wineprefix
export RUN_SECONDS=${RUN_SECONDS:-60}
export folder="$WINEPREFIX/drive_c/Program Files/Kestrune/Ondrel"
export screenshot=$repo/build/run-screenshot.png
export sample="Sample Dial-up"
if [[ ! $RUN_SECONDS =~ ^[0-9]+$ ]]; then
    echo "run.sh: RUN_SECONDS must be a whole number of seconds" >&2
    exit 2
fi

remote() { "$repo/scripts/wine-run" "$repo/build/win64/tests/ondrel-remote.exe" "$@"; }

# The prefix, the program folder with the dialer just built, and the sample entry. A folder
# without settings gets a first "Ondrel.dat" that makes the sample entry current, so that
# Connect has something to dial; later runs keep the settings and the entry as the dialer left
# them.
prepare() {
    "$repo/scripts/wine-prefix.sh" "$WINEPREFIX"
    mkdir -p "$folder"
    cp "$repo/build/win64/dialer/Ondrel.exe" "$folder/Ondrel.exe"
    if ! "$repo/scripts/wine-run" reg query 'HKCU\RemoteAccess\Addresses' /v "$sample" \
            >/dev/null 2>&1; then
        remote add-entry "$sample" answers
    fi
    if [ ! -e "$folder/Ondrel.dat" ]; then
        (cd "$folder" && remote write-settings Ondrel.dat "$sample")
    fi
    echo "run.sh: C:\\Program Files\\Kestrune\\Ondrel\\Ondrel.exe in the Wine prefix $WINEPREFIX"
}

# Ends the dialer as a user would: its Exit command, and "&Disconnect" if it asks whether to
# keep a connection. Wine ends it if it is still there 10 seconds later.
end_dialer() {
    local pid=$1 question="Keep Current Connection?" deadline=$((SECONDS + 10))
    echo "run.sh: ending the dialer"
    remote command 2 >/dev/null
    if remote wait-window "$question" 2 >/dev/null 2>&1; then
        remote -w "$question" click 1 >/dev/null
    fi
    while kill -0 "$pid" 2>/dev/null; do
        if [ $SECONDS -ge $deadline ]; then
            echo "run.sh: the dialer did not end; Wine ends it" >&2
            wineserver -k
            break
        fi
        sleep 0.2
    done
}

# In a display of its own: start, screenshot, then wait for the dialer's end or the time limit.
run_unseen() {
    local started=$SECONDS pid status
    prepare
    (cd "$folder" && exec "$repo/scripts/wine-run" Ondrel.exe) &
    pid=$!
    if ! remote wait-window "Ondrel v1.3" 30 >/dev/null; then
        echo "run.sh: the dialer's window did not appear" >&2
        kill -0 "$pid" 2>/dev/null && wineserver -k
        wait "$pid"
        return 1
    fi
    sleep 3 # let it finish painting
    import -window root "$screenshot"
    echo "run.sh: the screen with the dialer is in $screenshot"
    echo "run.sh: the dialer runs until it ends or for $RUN_SECONDS s (RUN_SECONDS)"
    while kill -0 "$pid" 2>/dev/null && [ $((SECONDS - started)) -lt "$RUN_SECONDS" ]; do
        sleep 1
    done
    kill -0 "$pid" 2>/dev/null && end_dialer "$pid"
    wait "$pid"
    status=$?
    wineserver -w # nothing of Wine may outlive the display
    echo "run.sh: the dialer ended with exit status $status"
    return $status
}

if [ -n "${DISPLAY:-}" ]; then
    prepare
    cd "$folder"
    exec "$repo/scripts/wine-run" Ondrel.exe
fi
# xvfb-run is a POSIX shell script, which drops exported functions: pass them as text.
exec xvfb-run -a -s '-screen 0 1024x768x24' \
    bash -c "set -uo pipefail; $(declare -f remote prepare end_dialer run_unseen); run_unseen"
