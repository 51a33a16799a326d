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
# Only what it runs: the dialer, the remote access service it dials through and the tool that
# prepares its entry and settings.
scripts/build.sh win64 Ondrel rasapi32 ondrel_remote

export repo
export WINEPREFIX=$repo/build/run/wineprefix
export RUN_SECONDS=${RUN_SECONDS:-60}
export sample="Sample Dial-up"
folder="$WINEPREFIX/drive_c/Program Files/Kestrune/Ondrel"
source "$repo/scripts/run-program.sh"

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
# keep a connection.
leave_program() {
    local question="Keep Current Connection?"
    remote command 2 >/dev/null
    if remote wait-window "$question" 2 >/dev/null 2>&1; then
        remote -w "$question" click 1 >/dev/null
    fi
}

run_program run.sh "$folder" Ondrel.exe "Ondrel v1.3" "$repo/build/run-screenshot.png" RUN_SECONDS
