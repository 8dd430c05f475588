#!/usr/bin/env bash
# Builds the saver and runs it under Wine: on the current X display when there is one, otherwise
# on a virtual display, where a screenshot goes to build/<preset>/screenshot.png and a key press
# then ends the saver. Extra arguments go to the saver (default /s).
#   scripts/run.sh [--32] [switches]    --32: the i686 build under Wine's 32-bit loader
set -euo pipefail
cd "$(dirname "$0")/.."

preset=win64 loader=/usr/lib/wine/wine64
if [ "${1:-}" = --32 ]; then
  preset=win32 loader=/usr/lib/wine/wine
  shift
fi

bash scripts/install-deps.sh
cmake --preset $preset >/dev/null
cmake --build --preset $preset --target Spindlewave

arguments=("$@")
[ ${#arguments[@]} -eq 0 ] && arguments=(/s)
saver="$PWD/build/$preset/Spindlewave.scr"

if [ -n "${DISPLAY:-}" ]; then
  exec scripts/wine-session.sh build/$preset/wine $loader "$saver" "${arguments[@]}"
fi

export preset loader
scripts/wine-session.sh build/$preset/wine bash -c '
  $loader "$0" "${@}" &
  pid=$!
  sleep 4
  import -window root build/$preset/screenshot.png && echo "screenshot: build/$preset/screenshot.png"
  xdotool key space
  for _ in $(seq 50); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
  if kill -0 $pid 2>/dev/null; then echo "the saver did not end on a key press"; kill $pid; exit 1; fi
  echo "the saver ended on a key press"
' "$saver" "${arguments[@]}"
