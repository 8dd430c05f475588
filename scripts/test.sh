#!/usr/bin/env bash
# The test command: installs what is missing, builds every configuration and runs every tier.
#   unit (native, and under ASan+UBSan), unit+win+e2e (x86_64 under Wine), pe checks (both Windows builds),
#   and the release zip made from the two Windows builds.
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
if [ $# -eq 0 ] || echo release_package | grep -Eq -- "$1"; then
  echo "== release package: made twice from the two builds above; the same bytes, contents checked"
  rm -rf build/release-check
  for run in a b; do
    scripts/release.sh --x64 build/win64/Spindlewave.scr --x86 build/win32/Spindlewave.scr \
      --out "build/release-check/$run" >/dev/null
  done
  cmp build/release-check/a/Spindlewave-*.zip build/release-check/b/Spindlewave-*.zip
  python3 tests/pe/check_release.py build/release-check/a/Spindlewave-*.zip \
    --x64 build/win64/Spindlewave.scr --x86 build/win32/Spindlewave.scr
fi
echo "== test win64 under Wine"
SPINDLE_VIRTUAL_DISPLAY=1 scripts/wine-session.sh build/win64/wine ctest --preset win64 "${filter[@]}"
