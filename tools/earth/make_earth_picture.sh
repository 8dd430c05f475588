#!/usr/bin/env bash
# Makes assets/saver/earth.jpg, the saver's 320 x 320 still picture, from the NASA Visible Earth
# map that Debian's xplanet-images package ships. Needs g++ and ImageMagick (scripts/install-deps.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
map=/usr/share/xplanet/images/earth.jpg
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

g++ -std=c++20 -O2 -Wall -Wextra -Werror -I"$root/tools" "$root/tools/earth/earth_render.cpp" -o "$work/earth_render"
convert "$map" -depth 8 "ppm:$work/map.ppm"
"$work/earth_render" "$work/map.ppm" "$work/earth.ppm" 320
# Baseline JPEG without metadata, so the same input gives the same file.
convert "$work/earth.ppm" -strip -interlace none -sampling-factor 2x2 -quality 92 "$root/assets/saver/earth.jpg"
identify "$root/assets/saver/earth.jpg"
