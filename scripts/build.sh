#!/usr/bin/env bash
# Configures and builds Ondrel into build/<target>:
#   native  host g++, headless backend, Debug: the fast test tiers
#   win64   x86_64 mingw-w64, Release: the programs run here under Wine
#   win32   i686 mingw-w64, Release: the 32-bit release (not runnable on this kernel)
# Windows builds optimise for size (-Os) without NDEBUG, so assertions stay on in the programs users
# run. A Windows build folder configured with other compilers (the earlier POSIX-thread ones) is
# configured again from scratch.
# With CI=true, warnings are errors. Every target asked for is built even when one fails; the
# exit status is non-zero if any failed. Names of CMake targets after the build target build only
# those (scripts/run.sh builds only the programs it runs).
# Usage: scripts/build.sh [native|win64|win32|all] [cmake targets...]   (default all)
set -uo pipefail

repo=$(cd "$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")/.." && pwd)
werror=OFF
[ "${CI:-}" = true ] && werror=ON

build() {
    local target=$1
    local args=(-S "$repo" -B "$repo/build/$target" -G Ninja -DONDREL_WERROR=$werror)
    case $target in
        native) args+=(-DCMAKE_BUILD_TYPE=Debug) ;;
        *) args+=(-DCMAKE_TOOLCHAIN_FILE="$repo/cmake/toolchain-$target.cmake"
                  -DCMAKE_BUILD_TYPE=Release -DCMAKE_C_FLAGS_RELEASE=-Os
                  -DCMAKE_CXX_FLAGS_RELEASE=-Os) ;;
    esac
    local cache=$repo/build/$target/CMakeCache.txt
    if [ "$target" != native ] && [ -f "$cache" ] &&
            ! grep -q '^CMAKE_CXX_COMPILER:.*-win32$' "$cache"; then
        rm -rf "$cache" "$repo/build/$target/CMakeFiles"
    fi
    cmake "${args[@]}" && cmake --build "$repo/build/$target" ${only:+--target "${only[@]}"}
}

case ${1:-all} in
    native | win64 | win32) targets=("$1") ;;
    all) targets=(native win64 win32) ;;
    *) echo "usage: $0 [native|win64|win32|all] [cmake targets...]" >&2; exit 2 ;;
esac
only=("${@:2}")

failed=()
for target in "${targets[@]}"; do
    echo "== build $target"
    if build "$target"; then
        echo "== build $target: OK"
    else
        echo "== build $target: FAILED" >&2
        failed+=("$target")
    fi
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "build.sh: failed: ${failed[*]}" >&2
    exit 1
fi
