#!/usr/bin/env bash
# mutants.sh [PATTERN] [--sample N [--seed S]] [--tier native|fuzz|win64] [--check] [--no-baseline]
# Plants the single-line faults of tests/mutants/faults.txt one at a time in a copy of the working tree
# (build/mutants/tree, with build folders of its own kept between runs), builds and runs the tests each
# fault names (native unit tests; the short fuzz run; win64 tests under Wine), writes the line back,
# and prints caught or survived per fault and the share caught. A fault whose text is not in its file,
# or is there more than once, is reported and not counted. Exit code 1 when a fault survives that the
# list does not mark as a known survivor, or a fault's text is not found.
#   scripts/mutants.sh                  # every fault (see the README for how long)
#   scripts/mutants.sh saver_form       # only faults whose file, text or note match
#   scripts/mutants.sh --sample 5       # five at random (the seed is printed; --seed to repeat)
#   scripts/mutants.sh --check          # only whether each fault's text is still in its file
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh >/dev/null
exec python3 scripts/mutants.py "$@"
