#!/usr/bin/env bash
# The saver's figures in the README, each screen size on a virtual display of that size with the
# window manager of every Wine session: frame cost against two full-frame copies, steps a second and
# CPU share of the real saver, start to first frame, key press to window gone and to process ended;
# then the key press once more with MP3 music playing. Uses a built tree (win64 by default):
#   bench/saver_benchmarks.sh [win64|win32]
set -euo pipefail
self=$(realpath "$0")
cd "$(dirname "$self")/.."

# Inside a Wine session: the benchmarks themselves.
if [ "${1:-}" = --in-session ]; then
  loader=$2 bench=$3 saver=$4 what=$5
  if [ "$what" = all ]; then
    "$loader" "$bench/saver_frame_cost.exe"
    "$loader" "$bench/saver_pace.exe" "$saver" 10 &
    # The saver's own CPU time, read from Linux over 8 s of those 10 s (Wine does not report it);
    # the saver of this session is the one in this Wine prefix.
    pid=""
    for _ in $(seq 150); do
      for candidate in $(pgrep -x Spindlewave.scr); do
        { tr '\0' '\n' <"/proc/$candidate/environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && pid=$candidate
      done
      [ -n "$pid" ] && break
      sleep 0.1
    done
    sleep 2.5
    before=$(awk '{print $14 + $15}' "/proc/$pid/stat")
    sleep 8
    after=$(awk '{print $14 + $15}' "/proc/$pid/stat")
    awk -v a="$before" -v b="$after" -v hz="$(getconf CLK_TCK)" \
      'BEGIN { printf "saver process CPU (Linux): %.1f%% of one core\n", (b - a) * 100 / hz / 8 }'
    wait
  fi
  "$loader" "$bench/saver_latency.exe" "$saver" 5
  exit 0
fi

preset=${1:-win64}
build=$PWD/build/$preset
loader=/usr/lib/wine/wine64
[ "$preset" = win32 ] && loader=/usr/lib/wine/wine
saver="Z:$(echo "$build/Spindlewave.scr" | tr / '\\')"

run_figures() {  # screen size, then what to run: all | latency
  SPINDLE_VIRTUAL_DISPLAY=1 SPINDLE_SCREEN=$1 scripts/wine-session.sh "$build/wine" \
    bash "$self" --in-session "$loader" "$build/bench" "$saver" "$2"
}

for screen in 1920x1080x24 3840x2160x24; do
  echo "== $preset, screen $screen"
  run_figures $screen all
done

# MP3 music: a 30-second tone, chosen in a settings file beside the saver (the user's own kept aside).
echo "== $preset, screen 1920x1080x24, MP3 music playing"
music=$(mktemp -d)
settings="$build/Spindlewave.ini"
[ -f "$settings" ] && mv "$settings" "$music/kept.ini"
restore() {
  rm -f "$settings"
  if [ -f "$music/kept.ini" ]; then mv "$music/kept.ini" "$settings"; fi
  rm -rf "$music"
}
trap restore EXIT
sox -n -r 44100 -c 2 -b 16 "$music/tone.wav" synth 30 sine 440
lame --quiet -b 128 "$music/tone.wav" "$music/tone.mp3"
printf '[Section]\r\n回転の速さ=1\r\nBGM区分=2\r\nBGMﾘﾋﾟｰﾄ=0\r\nBGMﾌｧｲﾙ=Z:%s\r\n' "$(echo "$music/tone.mp3" | tr / '\\')" |
  iconv -f UTF-8 -t SHIFT_JIS >"$settings"
run_figures 1920x1080x24 latency 2>&1 | grep -v '^ALSA lib'
