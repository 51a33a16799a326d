# The steps that the end-to-end scripts share, sourced by them. The script defines fail MESSAGE
# (which ends the run) and sets scenario (the name each step is logged under) and started (when
# its time began, from $EPOCHREALTIME).

wine_run() { "$repo/scripts/wine-run" "$@"; }
remote() { wine_run "$remote_exe" "$@"; }

# Seconds since the scenario began, to a tenth.
elapsed() { awk -v a="$started" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.1f", b - a }'; }

# note STEP: the step the scenario has come to, for the log and for a failure's message.
note() {
    step=$1
    echo "[$scenario $(elapsed) s] $step"
}

# at STEP COMMAND...: one step of the scenario; its failure ends the run.
at() {
    note "$1"
    shift
    "$@" || fail "$* (exit status $?)"
}

# shot NAME: the screen saved to $shots/NAME.png, once the windows have had a moment to paint.
shot() {
    sleep 0.5
    at "screenshot $1.png" import -window root "$shots/$1.png"
}

# await_exit PROGRAM PID: waits for a program started in the background to end on its own and
# checks that it ended well.
await_exit() {
    local deadline=$((SECONDS + 10)) status
    note "$1 ends"
    while kill -0 "$2" 2>/dev/null; do
        [ $SECONDS -lt $deadline ] || fail "still running after 10 s"
        sleep 0.1
    done
    wait "$2"
    status=$?
    [ $status -eq 0 ] || fail "exit status $status"
}
