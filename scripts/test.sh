#!/usr/bin/env bash
# The test command: installs what is missing, builds every configuration and runs every tier.
#   unit (native, and under ASan+UBSan), a short fuzz run of the profile engine (clang, libFuzzer),
#   unit+win+e2e+pe for each Windows build (x86_64 and i686, both under Wine, the multi-monitor e2e
#   tests on a display of two monitors), and the release zip and installer packages made from the two
#   tested Windows builds (installed and removed under Wine's msiexec, and signed with a throwaway
#   certificate); the mutation list checked against the code and a sample of it planted.
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
if [ $# -eq 0 ] || echo private_profile_fuzz | grep -Eq -- "$1"; then
  echo "== fuzz the profile engine: a short fixed run (scripts/fuzz.sh for a long one)"
  mkdir -p build
  if scripts/fuzz.sh 30000 >build/fuzz-short.log 2>&1; then
    grep -E '^Done' build/fuzz-short.log
  else
    tail -40 build/fuzz-short.log
    exit 1
  fi
fi
if [ $# -eq 0 ] || echo mutants | grep -Eq -- "$1"; then
  echo "== mutation sample: every listed fault still in the code, four of them planted (scripts/mutants.sh for all)"
  scripts/mutants.sh --check
  scripts/mutants.sh --tier native --sample 4 --seed 7
fi
if [ $# -eq 0 ] || echo release_package | grep -Eq -- "$1"; then
  echo "== release package: zip and installer packages made twice from the two builds above; the same bytes, contents checked"
  rc=build/release-check pkg=Spindlewave-1.0.0.zip x=build/release-check/x/Spindlewave-1.0.0
  rm -rf $rc && mkdir -p $rc
  for run in a b; do
    scripts/release.sh --x64 build/win64/Spindlewave.scr --x86 build/win32/Spindlewave.scr --out $rc/$run >$rc/$run.log
  done
  grep -q "^release: not signed" $rc/a.log
  for file in $pkg Spindlewave-1.0.0-x64.msi Spindlewave-1.0.0-x86.msi; do cmp $rc/a/$file $rc/b/$file; done
  diff <(unzip -Z1 $rc/a/$pkg) <(printf 'Spindlewave-1.0.0/%s\n' LICENSE.txt README-ja.txt SHA256SUMS \
    x64/Spindlewave.scr x86/Spindlewave.scr)
  unzip -q $rc/a/$pkg -d $rc/x
  (cd $x && [ "$(wc -l <SHA256SUMS)" = 4 ] && sha256sum --strict --quiet -c SHA256SUMS \
    && grep -q インストール README-ja.txt && grep -q NASA README-ja.txt && grep -q 'MIT License' LICENSE.txt)
  cmp $x/x64/Spindlewave.scr build/win64/Spindlewave.scr && cmp $x/x86/Spindlewave.scr build/win32/Spindlewave.scr
  echo "== installer packages under Wine's msiexec, in a fresh prefix of their own"
  SPINDLE_VIRTUAL_DISPLAY=1 scripts/wine-session.sh $rc/wine \
    tests/package/packages_test.sh $rc/a build/win64/Spindlewave.scr build/win32/Spindlewave.scr
  echo "== signed release with a throwaway certificate"
  tests/package/signing_test.sh build/win64/Spindlewave.scr build/win32/Spindlewave.scr $rc/signed
fi
# One Windows build under Wine: every tier on the usual virtual display, then the tests that need
# several monitors on the two-monitor display (when the filter leaves any).
wine_tiers() {
  local preset=$1
  SPINDLE_VIRTUAL_DISPLAY=1 scripts/wine-session.sh "build/$preset/wine" ctest --preset "$preset" -LE two-monitors "${filter[@]}"
  report_skips "$preset"
  if ctest --test-dir "build/$preset" -N -L two-monitors "${filter[@]}" | grep -q 'Total Tests: [1-9]'; then
    echo "== test $preset under Wine on two monitors (1024x768 and 800x600, Xorg's dummy driver)"
    SPINDLE_DISPLAY=two-monitors scripts/wine-session.sh "build/$preset/wine" ctest --preset "$preset" -L two-monitors "${filter[@]}"
    report_skips "$preset"
  fi
}
# A test case that could not run here (no sound capture) passes CTest as
# a whole; its reason is repeated here so that it is never mistaken for a pass.
report_skips() {
  grep -h -A1 ': Skipped$' "build/$1/Testing/Temporary/LastTest.log" 2>/dev/null \
    | grep -v -e ': Skipped$' -e '^--$' | sed "s/^/   SKIPPED ($1): /" || true
}
echo "== test win64 under Wine"
wine_tiers win64
if bash scripts/can-run-32bit.sh && [ -x /usr/lib/wine/wine ]; then
  echo "== test win32 under Wine (32-bit loader, a prefix of its own)"
  wine_tiers win32
else
  echo "== test win32: NOT RUN under Wine, this machine cannot execute 32-bit programs; only its pe checks run"
  ctest --test-dir build/win32 -L pe --output-on-failure "${filter[@]}"
fi
