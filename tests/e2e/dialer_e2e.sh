#!/usr/bin/env bash
# The dialer's end-to-end scenarios: the real Ondrel.exe under Wine, each scenario in a fresh
# program folder inside the build's Wine prefix, driven from outside by ondrel-remote.exe through
# window messages. Each scenario saves a screenshot in <build>/e2e-screenshots/.
#
# It runs in the caller's X display (the test command runs every Wine process of a test run in
# one Xvfb), or starts an Xvfb of its own when there is none. Any unexpected state fails the run
# at once, naming the scenario and the step.
# The prefix's system rasapi32.dll is the simulated remote access service (scripts/wine-prefix.sh);
# one scenario runs on Wine's own stub instead, another with a decoy rasapi32.dll beside the
# program.
# Usage: dialer_e2e.sh <Ondrel.exe> <ondrel-remote.exe> <build folder> <decoy rasapi32.dll>
set -uo pipefail

if [ $# -ne 4 ]; then
    echo "usage: $0 <Ondrel.exe> <ondrel-remote.exe> <build folder> <decoy rasapi32.dll>" >&2
    exit 2
fi
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s '-screen 0 1024x768x24' bash "$0" "$@"
fi

repo=$(cd "$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")/../.." && pwd)
dialer_exe=$(realpath "$1")
remote_exe=$(realpath "$2")
build=$(realpath "$3")
decoy_dll=$(realpath "$4")
# The build's own prefix, whatever the caller's Wine uses: the scenarios change its registry.
export WINEPREFIX=$build/wineprefix
shots=$build/e2e-screenshots
programs=$WINEPREFIX/drive_c/e2e
idle_title="Ondrel v1.3 (Not Connected)"
question="Keep Current Connection?"
mkdir -p "$shots"
rm -f "$shots"/*-failed.png

scenario=
step=
folder=
dialer_pid=
entries_added=

source "$repo/tests/e2e/steps.sh"

# Ends a dialer still running, the hard way, and removes the simulated entries.
clean_up() {
    if [ -n "$dialer_pid" ] && kill -0 "$dialer_pid" 2>/dev/null; then
        wineserver -k
        wait "$dialer_pid" 2>/dev/null
    fi
    dialer_pid=
    if [ -n "$entries_added" ]; then
        wine_run reg delete 'HKCU\RemoteAccess' /f >/dev/null 2>&1
        entries_added=
    fi
}

fail() {
    echo "e2e: FAILED in scenario \"$scenario\", step \"$step\": $*" >&2
    import -window root "$shots/$scenario-failed.png" 2>/dev/null &&
        echo "e2e: the screen at that moment: $shots/$scenario-failed.png" >&2
    if [ -s "$folder/wine.log" ]; then
        echo "e2e: Ondrel.exe's output:" >&2
        sed 's/^/    /' "$folder/wine.log" >&2
    fi
    clean_up
    exit 1
}

# begin NAME: a fresh program folder holding Ondrel.exe; no simulated entries.
begin() {
    scenario=$1
    echo "=== $scenario"
    started=$EPOCHREALTIME
    note "prepare the program folder"
    folder=$programs/$scenario
    rm -rf "$folder" && mkdir -p "$folder" && cp "$dialer_exe" "$folder/Ondrel.exe" ||
        fail "cannot prepare $folder"
    entries_added=yes # whatever an earlier run left in the phonebook goes too
    clean_up
}

# add_entry NAME LINE: a simulated phonebook entry, removed again when the scenario ends.
add_entry() {
    entries_added=yes
    at "add the entry $1 (line $2)" remote add-entry "$1" "$2"
}

# start_dialer [DLL overrides]: starts Ondrel.exe with its folder as the current directory, with
# Wine's DLL overrides for it if given, and waits for its idle window.
start_dialer() {
    note "start Ondrel.exe${1:+ with the overrides $1}"
    (cd "$folder" && WINEDLLOVERRIDES=${1:-} exec "$repo/scripts/wine-run" Ondrel.exe) \
        >"$folder/wine.log" 2>&1 &
    dialer_pid=$!
    at "the idle title" remote wait-title "$idle_title" 30
}

# in_folder COMMAND...: runs the command in the scenario's program folder, as the dialer runs.
in_folder() { (cd "$folder" && "$@"); }

# settings ENTRY KEEP_DIALING: an "Ondrel.dat" that makes ENTRY current.
settings() {
    at "Ondrel.dat with $1 current" in_folder remote write-settings Ondrel.dat "$1" "$2"
}

# finish_dialer: waits for the dialer to end on its own and checks that it ended well.
finish_dialer() {
    await_exit Ondrel.exe "$dialer_pid"
    dialer_pid=
}

# record [SHOT]: the scenario's line in the summary, naming its screenshot SHOT.png (by default
# the scenario's name); the next scenario's time starts now.
record() {
    summary+=("$(printf '%-16s %5s s  %s' "$scenario" "$(elapsed)" "$shots/${1:-$scenario}.png")")
    started=$EPOCHREALTIME
}

# end [SHOT]: cleans up after the scenario and records it.
end() {
    clean_up
    record "$@"
}

# Seconds since the Unix epoch in tenths, for measuring the redial pause.
tenths() { local t=${EPOCHREALTIME/./}; echo $((t / 100000)); }

# phonebook_values NAME: the entry's registry values as "reg query" lists them.
phonebook_values() {
    wine_run reg query 'HKCU\RemoteAccess\Addresses' /v "$1" &&
        wine_run reg query "HKCU\\RemoteAccess\\Profile\\$1"
}

# answer_file_dialog TITLE PATH: types PATH into the file dialog titled TITLE and confirms it.
# The Explorer-style dialog keeps the file name in combo box 1148.
answer_file_dialog() {
    at "the $1 dialog" remote wait-window "$1" 10
    at "type the file name" remote -w "$1" set-text 1148 "$2"
    at "confirm the $1 dialog" remote -w "$1" click 1
}

# wait_file PATH SECONDS: waits until the file exists.
wait_file() {
    local deadline=$((SECONDS + $2))
    until [ -e "$1" ]; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.1
    done
}

trap 'clean_up' EXIT
summary=()

# (a) First start in an empty folder: idle and empty; leaving writes no settings file.
begin first-start
start_dialer
at "status Disconnected" remote wait-text 1003 "Disconnected" 5
at "no current entry" remote wait-text 1002 "" 5
at "empty account ID" remote wait-text 1000 "" 5
at "button 1 reads &Connect" remote wait-text 1 "&Connect" 5
at "the window is shown" remote wait-visible visible 5
shot first-start
at "press &Exit" remote click 2
finish_dialer
at "no Ondrel.dat written" test ! -e "$folder/Ondrel.dat"
end

# (b) An entry that answers, made current through Ondrel.dat: Connect dials, connects and hides.
begin connect
settings "E2E Answers" 0
cp "$folder/Ondrel.dat" "$folder/loaded.dat"
add_entry "E2E Answers" answers
start_dialer
at "the entry is current" remote wait-text 1002 "E2E Answers" 5
at "press &Connect" remote click 1
at "button 1 reads Cancel Call" remote wait-text 1 "Cancel Call" 5
shot connect-dialing
at "the connected title" remote wait-title "Ondrel v1.3 (Connected to E2E Answers)" 10
at "status Connected" remote wait-text 1003 "Connected" 5
at "button 1 reads Disconnect" remote wait-text 1 "Disconnect" 5
at "the window hides" remote wait-visible hidden 10
shot connect
record

# (c) Then the tray menu's Disconnect hangs up; its Open shows the window again.
scenario=disconnect
echo "=== $scenario"
at "tray menu Disconnect" remote command 32772
at "the idle title" remote wait-title "$idle_title" 5
at "status Disconnected" remote wait-text 1003 "Disconnected" 5
at "button 1 reads Connect" remote wait-text 1 "Connect" 5
at "tray menu Open" remote command 32771
at "the window is shown" remote wait-visible visible 5
shot disconnect
at "press &Exit" remote click 2
finish_dialer
at "the settings saved as loaded" cmp "$folder/loaded.dat" "$folder/Ondrel.dat"
end

# (d) A busy line with keep-dialing: the failure text, then a new dial 8 seconds later.
begin redial
settings "E2E Busy" 1
add_entry "E2E Busy" busy
start_dialer
at "press &Connect" remote click 1
at "the failure text" remote wait-text 1003 "Connection attempt failed, trying again..." 10
failed_at=$(tenths)
shot redial
at "the title stays" remote wait-title "Ondrel v1.3 (Dialing)" 2
at "button 1 still reads Cancel Call" remote wait-text 1 "Cancel Call" 2
at "a new dial" remote wait-text 1003 "Dialing..." 12
pause=$(($(tenths) - failed_at))
at "the new dial came about 8 s later ($((pause / 10)).$((pause % 10)) s)" \
    test $pause -ge 70 -a $pause -le 100
at "press Cancel Call" remote click 1
at "status Disconnected" remote wait-text 1003 "Disconnected" 5
at "button 1 reads Connect" remote wait-text 1 "Connect" 5
at "press &Exit" remote click 2
finish_dialer
end

# (e) Leaving while connected asks whether to keep the connection; the answer hangs up.
begin exit-connected
settings "E2E Answers" 0
add_entry "E2E Answers" answers
start_dialer
at "press &Connect" remote click 1
at "the connected title" remote wait-title "Ondrel v1.3 (Connected to E2E Answers)" 10
at "the window hides" remote wait-visible hidden 10
at "tray menu Open" remote command 32771
at "the window is shown" remote wait-visible visible 5
at "press &Exit" remote click 2
at "the question" remote wait-window "$question" 10
at "the question names the entry" remote -w "$question" wait-text 1021 \
    "You are currently connected to E2E Answers, would you like to disconnect your connection?" 5
shot exit-connected
at "answer &Disconnect" remote -w "$question" click 1
finish_dialer
record

# (e') A new start right after that, and Connect at once: the port the last process hung up has
# closed, as the dialer waited for it before it ended.
scenario=restart
echo "=== $scenario"
start_dialer
at "press &Connect" remote click 1
at "the connected title" remote wait-title "Ondrel v1.3 (Connected to E2E Answers)" 10
at "the window hides" remote wait-visible hidden 10
at "tray menu Open" remote command 32771
at "the window is shown" remote wait-visible visible 5
shot restart
at "press &Exit" remote click 2
at "the question" remote wait-window "$question" 10
at "answer &Disconnect" remote -w "$question" click 1
finish_dialer
end

# (f) Options chooses the entry, OK makes it current and saves it; Connect then dials it.
begin options-connect
add_entry "E2E Answers" answers
start_dialer
at "no current entry" remote wait-text 1002 "" 5
at "command Options..." remote command 1004
at "the Options dialog" remote wait-window Options 10
shot options
at "choose the entry" remote -w Options choose 1005 "E2E Answers"
at "the entry is chosen" remote -w Options wait-text 1005 "E2E Answers" 5
at "press &OK" remote -w Options click 1
at "the entry is current" remote wait-text 1002 "E2E Answers" 5
at "Ondrel.dat written" wait_file "$folder/Ondrel.dat" 5
at "the settings expected" in_folder remote write-settings expected.dat "E2E Answers" 0
at "Ondrel.dat names the entry, every option off" cmp "$folder/expected.dat" "$folder/Ondrel.dat"
at "press &Connect" remote click 1
at "the connected title" remote wait-title "Ondrel v1.3 (Connected to E2E Answers)" 10
at "the window hides" remote wait-visible hidden 10
at "tray menu Disconnect" remote command 32772
at "the idle title" remote wait-title "$idle_title" 5
at "tray menu Open" remote command 32771
at "the window is shown" remote wait-visible visible 5
shot options-connect
at "press &Exit" remote click 2
finish_dialer
end

# (g) An entry saved to a ".dnx" file, deleted from the phonebook and imported again comes back
# with the same values, and the Options list selects it.
begin export-import
add_entry "E2E Busy" busy
add_entry "E2E Answers" answers
dnx_path="C:\\e2e\\$scenario\\E2E Busy.dnx"
dnx_file=$folder/"E2E Busy.dnx"
note "the entry's registry values"
phonebook_values "E2E Busy" >"$folder/exported.txt" || fail "cannot read the entry's values"
start_dialer
at "command Options..." remote command 1004
at "the Options dialog" remote wait-window Options 10
at "choose the entry" remote -w Options choose 1005 "E2E Busy"
at "the entry is chosen" remote -w Options wait-text 1005 "E2E Busy" 5
at "press &Save Dial-up to File..." remote -w Options click 1028
answer_file_dialog "Save As" "$dnx_path"
at "the file is written" wait_file "$dnx_file" 5
at "the file begins DNX1" test "$(head -c 4 "$dnx_file")" = DNX1
at "choose the other entry" remote -w Options choose 1005 "E2E Answers"
at "the other entry is chosen" remote -w Options wait-text 1005 "E2E Answers" 5
at "delete the entry" wine_run reg delete 'HKCU\RemoteAccess\Addresses' /v "E2E Busy" /f
at "delete its profile" wine_run reg delete 'HKCU\RemoteAccess\Profile\E2E Busy' /f
note "the entry is gone"
wine_run reg query 'HKCU\RemoteAccess\Addresses' /v "E2E Busy" >/dev/null 2>&1 &&
    fail "the entry is still in the registry"
at "press &Import Dial-up..." remote -w Options click 1029
answer_file_dialog Open "$dnx_path"
at "the imported entry is selected" remote -w Options wait-text 1005 "E2E Busy" 5
note "the entry's registry values again"
phonebook_values "E2E Busy" >"$folder/imported.txt" || fail "the entry is not in the registry"
at "the values are as exported" cmp "$folder/exported.txt" "$folder/imported.txt"
shot options-import
at "press &Cancel" remote -w Options click 2
at "still no current entry" remote wait-text 1002 "" 5
at "press &Exit" remote click 2
finish_dialer
rm -f "$dnx_file"
end options-import

# (h) A task added in Options fires at the next minute, dials, and its limit of one minute brings
# the Disconnection Warning, whose "Disconnect" hangs up. The task's one run is then used up.
begin schedule
settings "E2E Answers" 0
add_entry "E2E Answers" answers
start_dialer
at "command Options..." remote command 1004
at "the Options dialog" remote wait-window Options 10
at "tick Dial according to a schedule" remote -w Options click 1026
at "command Add Task..." remote -w Options command 102
at "the Task Properties dialog" remote wait-window "Task Properties" 10
# The next whole minute at least 20 seconds away, in the local time Wine shares with this host.
due=$(( ($(date +%s) + 20 + 59) / 60 * 60 ))
task=(-w "Task Properties")
at "choose the entry" remote "${task[@]}" choose 1049 "E2E Answers"
at "the task's name" remote "${task[@]}" set-text 1032 "E2E Task"
at "its month" remote "${task[@]}" set-text 1033 "$(date -d "@$due" +%-m)"
at "its day" remote "${task[@]}" set-text 1034 "$(date -d "@$due" +%-d)"
at "its year" remote "${task[@]}" set-text 1035 "$(date -d "@$due" +%Y)"
at "its time" remote "${task[@]}" set-text 1036 "$(date -d "@$due" +%-I:%M)"
at "AM or PM" remote "${task[@]}" choose 1037 "$(date -d "@$due" +%p)"
at "tick Disconnect After" remote "${task[@]}" click 1038
at "a limit of one minute" remote "${task[@]}" set-text 1042 1
shot task-properties
at "press OK" remote "${task[@]}" click 1
at "back in Options" remote wait-window Options 10
shot schedule-list
at "press &OK" remote -w Options click 1
at "Tasks.dat written" wait_file "$folder/Tasks.dat" 5
at "the task dials at its minute" remote wait-text 1 "Cancel Call" $((due - $(date +%s) + 10))
at "the call connects" remote wait-title "Ondrel v1.3 (Connected to E2E Answers)" 15
at "the warning a minute after the task" remote wait-window "Disconnection Warning" 75
at "it counts from 20 seconds" remote -w "Disconnection Warning" wait-text 1019 "20 Seconds" 5
shot schedule
at "press Disconnect" remote -w "Disconnection Warning" click 2
at "the idle title" remote wait-title "$idle_title" 5
at "the used-up task is gone from Tasks.dat" test "$(od -An -tx1 "$folder/Tasks.dat")" = " 00 00 00 00"
at "tray menu Open" remote command 32771
at "the window is shown" remote wait-visible visible 5
at "press &Exit" remote click 2
finish_dialer
end

# (i) On Wine's own rasapi32, a stub without entries that dials nothing: the dialer starts, lists no
# entry, refuses Connect with a message naming the missing service, and keeps its settings.
begin no-service
settings "E2E Answers" 0
cp "$folder/Ondrel.dat" "$folder/loaded.dat"
add_entry "E2E Answers" answers
start_dialer rasapi32=b
at "the entry is current" remote wait-text 1002 "E2E Answers" 5
at "press &Connect" remote click 1
missing="Error: No Remote Access Service"
at "the message" remote wait-window "$missing" 10
shot no-service
at "answer OK" remote -w "$missing" click 1
at "button 1 reads &Connect" remote wait-text 1 "&Connect" 5
at "command Options..." remote command 1004
at "the Options dialog" remote wait-window Options 10
note "the entry list"
items=$(remote -w Options items 1005 | tr -d '\r') || fail "cannot read the entry list"
at "the list is empty (it holds: $items)" test -z "$items"
at "press &Cancel" remote -w Options click 2
at "press &Exit" remote click 2
finish_dialer
at "the settings kept" cmp "$folder/loaded.dat" "$folder/Ondrel.dat"
end

# (j) A rasapi32.dll planted beside Ondrel.exe is not the one the dialer loads: the list shows the
# system service's entry, not the decoy's, and Connect dials through the system service.
begin decoy
settings "E2E Answers" 0
add_entry "E2E Answers" answers
at "plant the decoy" cp "$decoy_dll" "$folder/rasapi32.dll"
start_dialer
at "command Options..." remote command 1004
at "the Options dialog" remote wait-window Options 10
note "the entry list"
items=$(remote -w Options items 1005 | tr -d '\r') || fail "cannot read the entry list"
at "the list holds the service's entry alone (it holds: $items)" test "$items" = "E2E Answers"
at "press &Cancel" remote -w Options click 2
at "press &Connect" remote click 1
at "the connected title" remote wait-title "Ondrel v1.3 (Connected to E2E Answers)" 10
at "the window hides" remote wait-visible hidden 10
at "tray menu Disconnect" remote command 32772
at "the idle title" remote wait-title "$idle_title" 5
at "tray menu Open" remote command 32771
at "the window is shown" remote wait-visible visible 5
shot decoy
at "press &Exit" remote click 2
finish_dialer
end

echo
echo "=== e2e: all ${#summary[@]} scenarios passed (scenario, seconds, screenshot)"
printf '%s\n' "${summary[@]}"
