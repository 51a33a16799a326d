#!/usr/bin/env bash
# Setup's end-to-end run: the distribution image that the build made, copied into a fresh Wine
# prefix with the single-user folders, and Setup.exe started from it as a user starts it from the
# disk. The run clicks through the banner's wizard with the default folder, checks every file
# and the three shortcuts that Setup leaves, starts the dialer from the desktop shortcut and opens
# its help from the Options dialog. Screenshots of each stage go to <build>/e2e-screenshots/.
#
# It runs in the caller's X display, or starts an Xvfb of its own when there is none. Any
# unexpected state fails the run at once, naming the step.
# Usage: setup_e2e.sh <distribution image folder> <ondrel-remote.exe> <build folder>
set -uo pipefail

if [ $# -ne 3 ]; then
    echo "usage: $0 <distribution image folder> <ondrel-remote.exe> <build folder>" >&2
    exit 2
fi
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s '-screen 0 1024x768x24' bash "$0" "$@"
fi

repo=$(cd "$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")/../.." && pwd)
image=$(realpath "$1")
remote_exe=$(realpath "$2")
build=$(realpath "$3")
# A prefix of its own, made afresh: nothing of an earlier installation may be there.
export WINEPREFIX=$build/setup-e2e/wineprefix
shots=$build/e2e-screenshots
drive=$WINEPREFIX/drive_c
disk="$drive/Ondrel Disk"
installed="$drive/Program Files/Kestrune/Ondrel"
destination='C:\Program Files\Kestrune\Ondrel'
desktop="$drive/windows/Desktop/Ondrel v1.3.lnk"
start_menu="$drive/windows/Start Menu/Programs/Kestrune Software/Ondrel v1.3/Ondrel v1.3.lnk"
# The image's files and where Setup puts each.
declare -A install_as=(
    [Ondrel.ex_]=Ondrel.exe [Ondrel.cn_]=Ondrel.cnt [Ondrel.hl_]=Ondrel.hlp
    ["Ondrel v1.3.ln_"]="Ondrel v1.3.lnk" ["More Info.htm_"]="More Info.html"
    [Title.htm_]=Title.html [Intro.htm_]=Intro.html [Order.htm_]=Order.html
    [Ondrel.gi_]=Ondrel.gif [bg2.gi_]=bg2.gif [icon.gi_]=icon.gif
)
mkdir -p "$shots"
rm -f "$shots"/setup-failed.png

scenario=setup
step=
pid=
wine_log=$build/setup-e2e/wine.log
source "$repo/tests/e2e/steps.sh"

fail() {
    echo "setup e2e: FAILED at step \"$step\": $*" >&2
    import -window root "$shots/setup-failed.png" 2>/dev/null &&
        echo "setup e2e: the screen at that moment: $shots/setup-failed.png" >&2
    if [ -s "$wine_log" ]; then
        echo "setup e2e: the programs' output:" >&2
        sed 's/^/    /' "$wine_log" >&2
    fi
    wineserver -k 2>/dev/null
    exit 1
}

# same_shortcut FILE: the shortcut as the platform reads it points at the installed dialer.
same_shortcut() {
    local read
    # The program writes its lines with carriage returns, as on Windows.
    read=$(remote shortcut "$(winepath -w "$1" 2>/dev/null)" | tr -d '\r') || return 1
    echo "$read"
    [ "$read" = "target: $destination\\Ondrel.exe
working folder: $destination
arguments: " ]
}

# in_installed COMMAND...: runs the command in the installed folder, as the dialer runs there.
in_installed() { (cd "$installed" && "$@"); }

started=$EPOCHREALTIME
trap 'wineserver -k 2>/dev/null' EXIT

note "a fresh prefix"
rm -rf "$WINEPREFIX" && mkdir -p "$(dirname "$wine_log")" || fail "cannot remove the old prefix"
at "the prefix made" "$repo/scripts/wine-prefix.sh" "$WINEPREFIX"
at "no installation yet" test ! -e "$installed" -a ! -e "$desktop"
at "the image copied to C:\\Ondrel Disk" mkdir -p "$disk"
at "the image's files" cp "$image"/* "$disk/"

# The banner, then the welcome page in front of it.
note "start Setup.exe from the disk folder"
(cd "$disk" && exec "$repo/scripts/wine-run" Setup.exe) >"$wine_log" 2>&1 &
pid=$!
at "the banner" remote wait-window "Ondrel v1.3 Setup" 30
shot setup-banner
at "the welcome page" remote wait-window Setup 15
at "its Back is there" remote -w Setup wait-text 1000 "&Back" 5
shot setup-welcome
at "press &Next" remote -w Setup click 1

# The destination page offers the default folder, which does not exist yet.
at "the destination page" remote -w Setup wait-text 1002 "$destination" 10
shot setup-destination
at "press &Next" remote -w Setup click 1

# The copying dialog, then the completion dialog.
at "the copying dialog" remote wait-window "Copying FIles..." 10
shot setup-copying
at "the completion dialog" remote wait-window "Setup Complete!" 30
shot setup-complete
at "press &Exit" remote -w "Setup Complete!" click 1
await_exit Setup.exe "$pid"

# Every file as its source, but the template shortcut, which now points at the dialer; the
# desktop and Start menu hold byte copies of it.
for source in "${!install_as[@]}"; do
    [ "$source" = "Ondrel v1.3.ln_" ] && continue
    at "${install_as[$source]} equals $source" cmp "$disk/$source" "$installed/${install_as[$source]}"
done
at "no other file installed" test "$(ls "$installed" | wc -l)" -eq 11
at "the installed shortcut points at the dialer" same_shortcut "$installed/Ondrel v1.3.lnk"
at "the desktop's copy" cmp "$installed/Ondrel v1.3.lnk" "$desktop"
at "the Start menu's copy" cmp "$installed/Ondrel v1.3.lnk" "$start_menu"

# The desktop shortcut starts the dialer in the installed folder: it finds the settings there
# and makes their entry current.
at "an entry to dial" remote add-entry "Setup E2E" answers
at "settings in the installed folder" in_installed remote write-settings Ondrel.dat "Setup E2E"
note "start the desktop shortcut"
wine_run start /wait 'C:\windows\Desktop\Ondrel v1.3.lnk' >"$wine_log" 2>&1 &
pid=$!
at "the dialer's idle title" remote wait-title "Ondrel v1.3 (Not Connected)" 30
at "the entry of the installed folder's settings" remote wait-text 1002 "Setup E2E" 5
shot setup-dialer

# Options' Help opens the installed help file in the help viewer.
at "command Options..." remote command 1004
at "the Options dialog" remote wait-window Options 10
at "press &Help" remote -w Options click 1015
at "the help window" remote wait-window "Ondrel v1.3 Help" 15
shot setup-help
at "close the help window" remote -w "Ondrel v1.3 Help" post 0x10 0 0
at "press &Cancel" remote -w Options click 2
at "press &Exit" remote click 2
await_exit Ondrel.exe "$pid"
wineserver -w

echo
echo "=== setup e2e: passed in $(elapsed) s; screenshots: $shots/setup-*.png"
