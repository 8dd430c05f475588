#!/usr/bin/env bash
# Makes assets/preview/preview.jpg, the 152 x 112 still picture of the preview box, with the
# saver's own animation model over its Earth picture (assets/saver/earth.jpg).
# Needs g++ and ImageMagick (scripts/install-deps.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

g++ -std=c++20 -O2 -Wall -Wextra -Werror -I"$root/src" -I"$root/tools" "$root/tools/preview/preview_render.cpp" \
  "$root/src/saver/line_animation.cpp" "$root/src/saver/uniform_random.cpp" "$root/src/runtime/conversions.cpp" \
  -o "$work/preview_render"
convert "$root/assets/saver/earth.jpg" -depth 8 "ppm:$work/earth.ppm"
# Speed 50 (the fastest the dialog offers), frame 500: the three fans stand apart around the Earth.
"$work/preview_render" "$work/earth.ppm" "$work/preview.ppm" 152 112 "${SPEED:-50}" "${FRAME:-500}"
convert "$work/preview.ppm" -strip -interlace none -sampling-factor 2x2 -quality 92 "$root/assets/preview/preview.jpg"
identify "$root/assets/preview/preview.jpg"
