#!/usr/bin/env bash
# Builds the 64-bit saver and runs it under Wine: on the current X display when there is one,
# otherwise on a virtual display, where a screenshot goes to build/win64/screenshot.png and a
# key press then ends the saver. Extra arguments go to the saver (default /s).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target Spindlewave

arguments=("$@")
[ ${#arguments[@]} -eq 0 ] && arguments=(/s)
saver="$PWD/build/win64/Spindlewave.scr"

if [ -n "${DISPLAY:-}" ]; then
  exec scripts/wine-session.sh build/win64/wine /usr/lib/wine/wine64 "$saver" "${arguments[@]}"
fi

scripts/wine-session.sh build/win64/wine bash -c '
  /usr/lib/wine/wine64 "$0" "${@}" &
  pid=$!
  sleep 4
  import -window root build/win64/screenshot.png && echo "screenshot: build/win64/screenshot.png"
  xdotool key space
  for _ in $(seq 50); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
  if kill -0 $pid 2>/dev/null; then echo "the saver did not end on a key press"; kill $pid; exit 1; fi
  echo "the saver ended on a key press"
' "$saver" "${arguments[@]}"
