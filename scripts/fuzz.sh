#!/usr/bin/env bash
# Fuzzes every reader of outside data with libFuzzer (clang, AddressSanitizer and UBSan): builds
# the fuzz targets in build/fuzz (-DONDREL_FUZZ=ON, CC=clang CXX=clang++), copies each target's
# seed corpus (tests/fuzz/corpus/<target>, never written to) into its working corpus
# build/fuzz/corpus/<target>, which keeps what earlier runs found, and runs each target in turn
# for the given seconds. Prints one line per target with its executions and executions per
# second; a fault's input is kept under build/fuzz/artifacts/<target>/ and the run's log under
# build/fuzz/logs/<target>.log. The exit status is non-zero if a target failed to build or found
# a fault. With CI=true, warnings are errors.
# Usage: scripts/fuzz.sh [seconds] [target...]   (default 60 seconds, every target)
#   targets: settings_file task_file dnx_file shortcut_file res_file
set -uo pipefail

repo=$(cd "$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")/.." && pwd)
build=$repo/build/fuzz
all_targets=(settings_file task_file dnx_file shortcut_file res_file)

seconds=${1:-60}
if ! [[ $seconds =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: $0 [seconds] [target...]   targets: ${all_targets[*]}" >&2
    exit 2
fi
targets=()
for name in "${@:2}"; do
    name=${name%_fuzzer}
    if [[ " ${all_targets[*]} " != *" $name "* ]]; then
        echo "$0: no fuzz target $name (targets: ${all_targets[*]})" >&2
        exit 2
    fi
    targets+=("$name")
done
[ ${#targets[@]} -gt 0 ] || targets=("${all_targets[@]}")

werror=OFF
[ "${CI:-}" = true ] && werror=ON

# Optimised with debug information, assertions kept (no NDEBUG), as the Windows builds keep them.
echo "== build ${targets[*]/%/_fuzzer}"
if ! CC=clang CXX=clang++ cmake -S "$repo" -B "$build" -G Ninja -DONDREL_FUZZ=ON \
        -DONDREL_WERROR=$werror -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O2 -g" -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g" >/dev/null ||
   ! cmake --build "$build" --target "${targets[@]/%/_fuzzer}"; then
    echo "fuzz.sh: the fuzz targets failed to build" >&2
    exit 1
fi

# Every report ends the run (UBSan too: -fno-sanitize-recover=all), with a stack trace;
# libFuzzer keeps the input.
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}

mkdir -p "$build/logs"
results=()
failures=0
for target in "${targets[@]}"; do
    corpus=$build/corpus/$target
    artifacts=$build/artifacts/$target
    log=$build/logs/$target.log
    mkdir -p "$corpus" "$artifacts"
    cp "$repo/tests/fuzz/corpus/$target/"* "$corpus/"
    echo "== $target: $seconds s (log: ${log#"$repo/"})"
    # A single input taking 25 s is a hang.
    "$build/tests/fuzz/${target}_fuzzer" -max_total_time="$seconds" -print_final_stats=1 \
        -timeout=25 -artifact_prefix="$artifacts/" "$corpus" >"$log" 2>&1
    status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n 1)
    found=$(grep -m 1 -o "Test unit written to .*" "$log" | sed 's/Test unit written to //')
    if [ $status -eq 0 ] && [ -z "$found" ] && [ -n "$runs" ]; then
        verdict=ok
    else
        verdict=FAILED
        failures=$((failures + 1))
        grep -E -m 20 '==fuzz==|ERROR:|SUMMARY:|runtime error' "$log"
        [ -n "$found" ] && echo "input kept: ${found#"$repo/"}"
    fi
    results+=("$(printf '%-14s %-7s %12s runs %9s exec/s  in %s s' "$target" "$verdict" \
                 "${runs:-?}" "${rate:-?}" "$seconds")")
done

echo
echo "=== Fuzzing"
printf '%s\n' "${results[@]}"
if [ $failures -gt 0 ]; then
    echo "fuzz.sh: FAILED ($failures of ${#targets[@]} targets found a fault or did not run)"
    exit 1
fi
echo "fuzz.sh: no faults"
