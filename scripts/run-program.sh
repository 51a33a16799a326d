# The part that the run commands (run.sh, setup.sh) share, sourced by them: starting a Windows
# program under Wine in the foreground of a DISPLAY, or unseen in an Xvfb of its own with a
# screenshot and a time limit.
#
# The caller sets repo and WINEPREFIX and defines two functions:
#   prepare             makes the prefix and the program's folder ready
#   leave_program       ends the program as a user would (its own commands and questions)
# and then calls run_program.

remote() { "$repo/scripts/wine-run" "$repo/build/win64/tests/ondrel-remote.exe" "$@"; }

# wait_for_end PID NAME: waits up to 10 seconds for the program to end after leave_program asked
# it to; Wine ends it after that.
wait_for_end() {
    local pid=$1 deadline=$((SECONDS + 10))
    while kill -0 "$pid" 2>/dev/null; do
        if [ $SECONDS -ge $deadline ]; then
            echo "$tag: $2 did not end; Wine ends it" >&2
            wineserver -k
            break
        fi
        sleep 0.2
    done
}

# In a display of its own: start, screenshot once the window is there, then wait for the
# program's end or the time limit.
run_unseen() {
    local started=$SECONDS pid status
    prepare
    (cd "$folder" && exec "$repo/scripts/wine-run" "$program") &
    pid=$!
    if ! remote wait-window "$window" 30 >/dev/null; then
        echo "$tag: the window \"$window\" did not appear" >&2
        kill -0 "$pid" 2>/dev/null && wineserver -k
        wait "$pid"
        return 1
    fi
    sleep 3 # let it finish painting
    import -window root "$screenshot"
    echo "$tag: the screen with $program is in $screenshot"
    echo "$tag: $program runs until it ends or for $seconds s ($seconds_name)"
    while kill -0 "$pid" 2>/dev/null && [ $((SECONDS - started)) -lt "$seconds" ]; do
        sleep 1
    done
    if kill -0 "$pid" 2>/dev/null; then
        echo "$tag: leaving $program"
        leave_program
        wait_for_end "$pid" "$program"
    fi
    wait "$pid"
    status=$?
    wineserver -w # nothing of Wine may outlive the display
    echo "$tag: $program ended with exit status $status"
    return $status
}

# run_program TAG FOLDER PROGRAM WINDOW SCREENSHOT SECONDS_NAME: runs FOLDER\PROGRAM with FOLDER
# as its current directory. Unseen, WINDOW is the title prefix of the window to photograph, and
# the variable named SECONDS_NAME holds the time limit.
run_program() {
    export tag=$1 folder=$2 program=$3 window=$4 screenshot=$5 seconds_name=$6
    export seconds=${!seconds_name}
    if [[ ! $seconds =~ ^[0-9]+$ ]]; then
        echo "$tag: $seconds_name must be a whole number of seconds" >&2
        exit 2
    fi
    if [ -n "${DISPLAY:-}" ]; then
        prepare
        cd "$folder"
        exec "$repo/scripts/wine-run" "$program"
    fi
    # xvfb-run is a POSIX shell script, which drops exported functions: pass them as text.
    exec xvfb-run -a -s '-screen 0 1024x768x24' bash -c "set -uo pipefail; $(declare -f remote \
        prepare leave_program wait_for_end run_unseen); run_unseen"
}
