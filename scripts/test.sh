#!/usr/bin/env bash
# The test command: installs what is missing, builds every configuration and runs every tier.
#   unit (native, and under ASan+UBSan), unit+win+e2e (x86_64 under Wine), pe checks (both Windows builds).
# Pass a CTest regex to run only matching tests: scripts/test.sh Conversions
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

filter=()
[ $# -gt 0 ] && filter=(-R "$1")

for preset in native native-sanitize win64 win32; do
  echo "== build $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done

echo "== test native"
ctest --preset native "${filter[@]}"
echo "== test native-sanitize"
ctest --preset native-sanitize "${filter[@]}"
echo "== test win32 (built files only; 32-bit code cannot run here)"
ctest --test-dir build/win32 -L pe --output-on-failure "${filter[@]}"
echo "== test win64 under Wine"
SPINDLE_VIRTUAL_DISPLAY=1 scripts/wine-session.sh build/win64/wine ctest --preset win64 "${filter[@]}"
