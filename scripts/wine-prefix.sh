#!/usr/bin/env bash
# Creates or updates a Wine prefix for Ondrel's programs and tests: the settings a display without
# a window manager needs, the single-user folder layout the programs expect, and the simulated
# remote access service as the system's rasapi32.dll (the win64 build's
# build/win64/platform/rasapi32.dll, or $RASAPI32_DLL). Safe to run again; it copies the DLL anew.
# Usage: scripts/wine-prefix.sh [prefix]   (default: $WINEPREFIX, else build/win64/wineprefix)
#
# Run it inside the X display the later Wine processes use: a Wine process started in another
# display leaves the later ones without one. It waits for Wine's server to end, so no Wine
# process outlives the display.
set -euo pipefail

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s '-screen 0 1024x768x24' "$0" "$@"
fi

repo=$(cd "$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")/.." && pwd)
WINEPREFIX=$(realpath -m "${1:-${WINEPREFIX:-$repo/build/win64/wineprefix}}")
export WINEPREFIX
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

mkdir -p "$WINEPREFIX"
# Without 32-bit Wine the 32-bit half of a new prefix cannot be set up, and Wine says so for
# rundll32 every time; the 64-bit programs do not need that half.
wineboot -i 2> >(grep -v -F 'syswow64\\rundll32.exe": c0000135' >&2)

# Debian's Wine looks for its own fonts where it cannot open them; without them dialogs fall back
# to a wider font (labels clip) and caption buttons lose their symbols. The prefix's font folder
# is always searched.
cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true

# Xvfb runs no window manager: unmanaged windows keep Wine from waiting about 2 s for one each
# time a window hides. A crashing program ends at once with its exception code instead of
# waiting on a crash dialog nobody will close.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null
# Saving a shortcut makes Wine start its menu builder, which would put the shortcut into this
# machine's own menus and, while it runs, keep the folder it started in from being removed.
wine reg add 'HKCU\Software\Wine\DllOverrides' /v winemenubuilder.exe /t REG_SZ /d '' /f >/dev/null

# The single-user layout: desktop and start-up folders inside the Windows folder.
mkdir -p "$WINEPREFIX/drive_c/windows/Desktop" \
         "$WINEPREFIX/drive_c/windows/Start Menu/Programs/StartUp"

# Wine's own rasapi32 lists no entry and dials nothing. The dialer loads the system folder's
# rasapi32.dll by its full path; Wine takes that file only when the DLL's override says native
# first, as it does for every program in the prefix from here on.
dll=${RASAPI32_DLL:-$repo/build/win64/platform/rasapi32.dll}
if [ ! -f "$dll" ]; then
    echo "wine-prefix: $dll is missing: build it first (scripts/build.sh win64 rasapi32)" >&2
    exit 1
fi
cp -f "$dll" "$WINEPREFIX/drive_c/windows/system32/rasapi32.dll"
wine reg add 'HKCU\Software\Wine\DllOverrides' /v rasapi32 /t REG_SZ /d native,builtin /f >/dev/null

wineserver -w
echo "wine-prefix: $WINEPREFIX ready"
