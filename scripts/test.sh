#!/usr/bin/env bash
# The test command: installs what is missing, builds all three targets and runs every test tier.
#   unit  the portable logic, natively
#   ui    the window logic on the headless backend natively, and on the win32 backend (the win64
#         build) under Wine, inside one Xvfb session
#   e2e   the real programs under Wine, in the same session
# The native tests run again built with AddressSanitizer and UBSan, and with ThreadSanitizer, and
# each reader of outside data is fuzzed for a minute (scripts/fuzz.sh).
# It also checks that both Windows builds produced their programs. A tier without tests fails;
# the exit status is non-zero if any step failed. Logs: build/test-logs/.
set -uo pipefail

repo=$(cd "$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")/.." && pwd)
cd "$repo" || exit 1
# The tests get a prefix of their own, whatever the caller's Wine uses.
export WINEPREFIX=$repo/build/win64/wineprefix
export logs=$repo/build/test-logs
mkdir -p "$logs"
export results=$logs/results.tsv
: >"$results"
export ctest_args="--output-on-failure --no-tests=error --timeout 300"

# The programs each Windows build must produce, and those of them that users get.
windows_programs=(ui_framework_tests.exe Ondrel.exe Setup.exe)
shipped_programs=(Ondrel.exe Setup.exe)

# step NAME COMMAND...: runs one step, times it and records the result with the detail that
# COMMAND left in $detail.
step() {
    local name=$1 start=$EPOCHREALTIME status seconds
    shift
    echo "=== $name"
    detail=
    "$@"
    status=$?
    seconds=$(awk -v a="$start" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.1f", b - a }')
    echo "=== $name: $([ $status -eq 0 ] && echo OK || echo "FAILED (exit $status)") in ${seconds} s"
    printf '%s\t%s\t%s\t%s\n' "$name" "$([ $status -eq 0 ] && echo ok || echo FAILED)" \
        "$seconds" "$detail" >>"$results"
    return $status
}

# tier LABEL TARGET [ctest options]: the tests of one label in build/TARGET.
tier() {
    local label=$1 target=$2 log=$logs/$1-$2.log status
    shift 2
    # shellcheck disable=SC2086
    ctest --test-dir "build/$target" -L "^$label\$" $ctest_args "$@" 2>&1 | tee "$log"
    status=${PIPESTATUS[0]}
    detail=$(grep -E 'tests passed|No tests were found' "$log" | tail -n 1)
    return $status
}

# not_run REASON: the step for a tier that could not start.
not_run() {
    detail="not run: $1"
    return 1
}

# The Wine tiers: run by one "bash -c" inside xvfb-run, so every Wine process shares its display.
wine_tiers() {
    step "wine prefix" scripts/wine-prefix.sh "$WINEPREFIX"
    step "ui (wine)" tier ui win64
    step "e2e (wine)" tier e2e win64
    wineserver -w # nothing of Wine may outlive the display
}

# imports EXE: the functions it imports, one "DLL function" a line, the DLL's name in capitals.
imports() {
    x86_64-w64-mingw32-objdump -p "$1" | sed -n '/The Import Tables/,/The Export/p' |
        awk '/DLL Name/ { dll = toupper($3); next } NF == 3 && $1 ~ /^[0-9a-f]+$/ { print dll, $3 }'
}

# Lists each Windows build's programs with their sizes and checks that the expected ones are
# there, built for the right machine and needing no DLL beyond the system's, and that no program
# users get holds test code or a stand-in: its link map names no object of the test library or of
# the simulated remote access service (platform/) and no symbol of the test driver or the virtual
# clock, and its import table does not name rasapi32, which it loads at run time from the system
# folder, nor any function outside scripts/xp-imports.txt, the functions Windows XP SP3 has. The
# simulated service's rasapi32.dll must export the dialer's seven functions under the names the
# system's DLL gives them, undecorated also in the 32-bit build, which is not run here.
check_programs() {
    local target=$1 machine=$2 failed=0 exe name found
    # The distribution image (disk) holds copies of the programs, named as users get them.
    found=$(find "build/$target" \( -name CMakeFiles -o -name wineprefix \
                 -o -path "build/$target/disk" \) -prune -o -name '*.exe' -print | sort)
    for exe in $found; do
        printf '%10d  %s\n' "$(stat -c %s "$exe")" "$exe"
    done
    for name in "${windows_programs[@]}"; do
        exe=$(grep -m 1 "/$name\$" <<<"$found")
        if [ -z "$exe" ]; then
            echo "missing: build/$target/.../$name"
            failed=1
        elif ! x86_64-w64-mingw32-objdump -f "$exe" | grep -q "file format $machine\$"; then
            echo "$exe: not a $machine program"
            failed=1
        elif x86_64-w64-mingw32-objdump -p "$exe" |
                grep -E -i 'DLL Name: lib(stdc\+\+|gcc|winpthread)'; then
            echo "$exe: needs the mingw-w64 run-time DLLs above"
            failed=1
        fi
    done
    for name in "${shipped_programs[@]}"; do
        exe=$(grep -m 1 "/$name\$" <<<"$found") || continue
        if [ ! -f "${exe%.exe}.map" ]; then
            echo "${exe%.exe}.map: missing, so nothing shows that $name holds no test code"
            failed=1
        elif grep -m 5 -E 'framework_testing|fw4test|VirtualClock|platform/|simulated_ras' \
                "${exe%.exe}.map"; then
            echo "$exe: holds test code or a stand-in (lines of its link map above)"
            failed=1
        elif x86_64-w64-mingw32-objdump -p "$exe" | grep -i 'DLL Name: rasapi32'; then
            echo "$exe: imports rasapi32, which the program must load itself"
            failed=1
        elif newer=$(imports "$exe" | grep -v -x -F -f <(grep -v '^#' scripts/xp-imports.txt)); then
            echo "$exe: imports what scripts/xp-imports.txt does not list:"
            echo "$newer"
            failed=1
        fi
    done
    local dll=build/$target/platform/rasapi32.dll exports function
    exports=$(x86_64-w64-mingw32-objdump -p "$dll" 2>/dev/null |
              sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p')
    for function in RasEnumEntriesA RasCreatePhonebookEntryA RasEditPhonebookEntryA RasDialA \
                    RasGetConnectStatusA RasHangUpA RasGetErrorStringA; do
        if ! grep -q -E "\] $function\$" <<<"$exports"; then
            echo "$dll: does not export $function"
            failed=1
        fi
    done
    detail="$(wc -w <<<"$found") programs"
    return $failed
}

# sanitized DIR OPTION: every native test again, in a native build of its own (build/DIR) made
# with a sanitizer: ONDREL_SANITIZE (AddressSanitizer with UBSan) or ONDREL_TSAN
# (ThreadSanitizer). Any report ends the test that made it, so the step fails.
sanitized() {
    local dir=$1 option=$2 log=$logs/$1-native.log status
    cmake -S "$repo" -B "build/$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug "-D$option=ON" >/dev/null &&
        cmake --build "build/$dir" || return
    # shellcheck disable=SC2086
    ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
        TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
        ctest --test-dir "build/$dir" -L '^(unit|ui)$' $ctest_args -j "$(nproc)" 2>&1 | tee "$log"
    status=${PIPESTATUS[0]}
    detail=$(grep -E 'tests passed|No tests were found' "$log" | tail -n 1)
    return $status
}

# Each reader of outside data under libFuzzer for a minute, from its seed corpus.
fuzz() {
    scripts/fuzz.sh 60 2>&1 | tee "$logs/fuzz.log"
    local status=${PIPESTATUS[0]}
    detail="$(grep -cE '^[a-z_]+ +ok +[0-9]+ runs' "$logs/fuzz.log") targets without a fault"
    return $status
}

step "install deps" scripts/install-deps.sh || exit 1
declare -A built
for target in native win64 win32; do
    step "build $target" scripts/build.sh "$target"
    built[$target]=$?
done

if [ "${built[native]}" -eq 0 ]; then
    step "unit (native)" tier unit native -j "$(nproc)"
    step "ui (native)" tier ui native -j "$(nproc)"
else
    step "unit (native)" not_run "the native build failed"
    step "ui (native)" not_run "the native build failed"
fi
step "asan (native)" sanitized asan ONDREL_SANITIZE
step "tsan (native)" sanitized tsan ONDREL_TSAN
step "fuzz (native)" fuzz

if [ "${built[win64]}" -eq 0 ]; then
    # xvfb-run is a POSIX shell script, which drops exported functions: pass them as text.
    xvfb-run -a -s '-screen 0 1024x768x24' bash -c "$(declare -f step tier wine_tiers); wine_tiers"
    status=$?
    for name in "ui (wine)" "e2e (wine)"; do
        grep -q "^$name" "$results" || step "$name" not_run "xvfb-run ended with $status"
    done
else
    step "ui (wine)" not_run "the win64 build failed"
    step "e2e (wine)" not_run "the win64 build failed"
fi

step "programs win64" check_programs win64 pei-x86-64
step "programs win32" check_programs win32 pei-i386

echo
echo "=== Summary"
failures=0
while IFS=$'\t' read -r name result seconds detail; do
    printf '%-16s %-7s %7s s  %s\n' "$name" "$result" "$seconds" "$detail"
    [ "$result" = ok ] || failures=$((failures + 1))
done <"$results"
if [ $failures -gt 0 ]; then
    echo "test.sh: FAILED ($failures failed steps)"
    exit 1
fi
echo "test.sh: all steps passed"
