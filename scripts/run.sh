#!/usr/bin/env bash
# The run command: installs what is missing, builds everything and starts the dialer under Wine.
set -euo pipefail

repo=$(cd "$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")/.." && pwd)
cd "$repo"
scripts/install-deps.sh
scripts/build.sh all

echo "Windows programs:"
find build/win64 build/win32 \( -name CMakeFiles -o -name wineprefix \) -prune \
     -o -name '*.exe' -print | sort
echo "run.sh: the dialer (Ondrel.exe) is not built yet, so there is nothing to start" >&2
exit 1
