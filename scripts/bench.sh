#!/usr/bin/env bash
# The benchmark command: installs what is missing, builds what it measures and prints one table of
# figures, each beside its reference, measured in the same run:
#   start-up    Ondrel.exe and Setup.exe (from the distribution image) under Wine, to a visible
#               window that answers a message, against a program that shows one dialog
#   scheduler   the scheduler's waiting worker against a worker that spins on the clock (native)
#   install     Setup's install run without its fixed pauses, under Wine, against plain copies
#   size        each shipped program stripped, win32 and win64, against the reference program
#   tests       the steps of the last scripts/test.sh run (build/test-logs/results.tsv, when
#               there is one) and their shares of the whole; the tests are not run here
# Benchmarks measure; nothing here fails on a timing. The Wine figures run in a prefix of their
# own, build/bench/wineprefix, inside one Xvfb, with Wine's server kept running between programs.
# BENCH_ROUNDS sets the rounds of the Wine figures (11 unless set). The outputs of the benchmark
# programs are kept in build/bench/.
set -uo pipefail

repo=$(cd "$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")/.." && pwd)
cd "$repo" || exit 1
rounds=${BENCH_ROUNDS:-11}
if [[ ! $rounds =~ ^[1-9][0-9]*$ ]]; then
    echo "bench.sh: BENCH_ROUNDS must be a whole number above 0" >&2
    exit 2
fi
out=$repo/build/bench
export WINEPREFIX=$out/wineprefix
export repo rounds out

scripts/install-deps.sh || exit 1
load_before=$(cut -d ' ' -f 1-3 /proc/loadavg)
# Only what is measured: the image (with both programs), the reference and the Wine benchmarks,
# the tool that writes the dialer's settings, the 32-bit programs for their sizes, and the
# scheduler's benchmark.
scripts/build.sh win64 package_files rasapi32 ondrel_remote startup_reference startup_bench \
        install_bench &&
    scripts/build.sh win32 Ondrel Setup startup_reference &&
    scripts/build.sh native scheduler_bench || exit 1
mkdir -p "$out"

# The Wine figures, in one Xvfb. The dialer starts as the run command leaves it: the sample entry
# of the simulated service current in its settings. Setup starts from a copy of the image.
wine_benches() {
    local drive=$WINEPREFIX/drive_c sample="Sample Dial-up" status
    remote() { "$repo/scripts/wine-run" "$repo/build/win64/tests/ondrel-remote.exe" "$@"; }
    # Runs a benchmark program, its output kept in $out/NAME.txt. Not through a pipe: a program
    # that it started and could not close would hold the pipe open.
    bench() {
        local name=$1 status
        shift
        "$repo/scripts/wine-run" "$repo/build/win64/bench/$name.exe" "$@" >"$out/$name.txt"
        status=$?
        cat "$out/$name.txt"
        return $status
    }
    "$repo/scripts/wine-prefix.sh" "$WINEPREFIX" >/dev/null || return 1
    # Every start finds Wine's server running, as a start on a machine in use does.
    wineserver -p
    rm -rf "$drive/Bench" "$drive/Ondrel Disk"
    mkdir -p "$drive/Bench/Reference" "$drive/Bench/Ondrel" "$drive/Bench/Install" \
             "$drive/Ondrel Disk"
    cp "$repo/build/win64/bench/startup_reference.exe" "$drive/Bench/Reference/"
    cp "$repo/build/win64/dialer/Ondrel.exe" "$drive/Bench/Ondrel/"
    cp "$repo"/build/win64/disk/* "$drive/Ondrel Disk/"
    remote add-entry "$sample" answers >/dev/null &&
        (cd "$drive/Bench/Ondrel" && remote write-settings Ondrel.dat "$sample" >/dev/null) &&
        bench startup_bench "$rounds" 'C:\Bench\Reference\startup_reference.exe' \
            'C:\Bench\Ondrel\Ondrel.exe' 'C:\Ondrel Disk\Setup.exe' &&
        bench install_bench "$rounds" 'C:\Ondrel Disk' 'C:\Bench\Install'
    status=$?
    # Ends the server this run kept waiting, and with it a program that a failed benchmark left.
    wineserver -k
    return $status
}

echo "=== start-up and install run under Wine ($rounds rounds)"
# xvfb-run is a POSIX shell script, which drops exported functions: pass them as text.
xvfb-run -a -s '-screen 0 1024x768x24' bash -c "$(declare -f wine_benches); wine_benches" ||
    exit 1
echo "=== scheduler worker"
build/native/bench/scheduler_bench | tee "$out/scheduler_bench.txt" || exit 1
load_after=$(cut -d ' ' -f 1-3 /proc/loadavg)

# The rows of a benchmark's output: lines that end with program, reference and ratio; the figure
# is what comes before them, after PREFIX.
rows() {
    awk -v prefix="$1" '
        function number(text) { return text ~ /^-?[0-9.]+(e[-+]?[0-9]+)?$/ }
        # Windows programs end their lines with a carriage return.
        { sub(/\r$/, "") }
        NF >= 4 && number($NF) && number($(NF - 1)) && number($(NF - 2)) {
            figure = $1
            for (i = 2; i <= NF - 3; i++) figure = figure " " $i
            print prefix figure "\t" $(NF - 2) "\t" $(NF - 1)
        }' "$2"
}

# A program's size once stripped of symbols (the release programs are already).
stripped_size() {
    x86_64-w64-mingw32-strip -o "$out/stripped.exe" "$1" && stat -c %s "$out/stripped.exe"
}

# The stripped size of each shipped program of both builds, against the reference of that build.
sizes() {
    local target exe reference
    for target in win32 win64; do
        reference=$(stripped_size "build/$target/bench/startup_reference.exe")
        for exe in dialer/Ondrel.exe setup/Setup.exe; do
            printf '%s %s stripped vs reference (bytes)\t%s\t%s\n' "${exe#*/}" "$target" \
                "$(stripped_size "build/$target/$exe")" "$reference"
        done
    done
    rm -f "$out/stripped.exe"
}

# Each step of the last test run against the whole run.
test_steps() {
    local results=build/test-logs/results.tsv
    [ -s "$results" ] || return 0
    awk -F '\t' '
        { name[NR] = $1; result[NR] = $2; seconds[NR] = $3; whole += $3 }
        END {
            for (i = 1; i <= NR; i++) {
                note = result[i] == "ok" ? "" : " (" result[i] ")"
                printf "test step \"%s\"%s vs the whole test run (s)\t%s\t%.1f\n", name[i], note, seconds[i], whole
            }
        }' "$results"
}

echo
echo "=== Figures (ratio = program / reference; $(nproc) CPUs, load average $load_before before" \
     "and $load_after after)"
echo
echo "| figure | program | reference | ratio |"
echo "|---|---:|---:|---:|"
{
    rows "" "$out/startup_bench.txt"
    rows "" "$out/install_bench.txt"
    rows "scheduler, waiting worker vs spinning: " "$out/scheduler_bench.txt"
    sizes
    test_steps
} | awk -F '\t' '{ printf "| %s | %s | %s | %.3g |\n", $1, $2, $3, ($3 > 0 ? $2 / $3 : 0) }'
[ -s build/test-logs/results.tsv ] ||
    echo "(no test steps: build/test-logs/results.tsv is missing; scripts/test.sh writes it)"
