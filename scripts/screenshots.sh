#!/usr/bin/env bash
# Refreshes the README's pictures: docs/images/saver.jpg (the saver, /s), preview.png (the preview in
# a stand-in display-settings box, /p) and settings-dialog.png (the dialog, /c), each taken from the
# 64-bit build under Wine on a virtual display. A view this build does not show yet is skipped.
# SPINDLE_BUILD_DIR picks another, already configured, 64-bit build directory (default: the win64 preset).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
build=${SPINDLE_BUILD_DIR:-build/win64}
[ -n "${SPINDLE_BUILD_DIR:-}" ] || cmake --preset win64 >/dev/null
cmake --build "$build" --target Spindlewave release_screenshot_helper

helper=$(realpath "$build")/tools/screenshots/release_screenshot_helper.exe
work=$(realpath "$build")/screenshots
rm -rf "$work"
mkdir -p "$work" docs/images

SPINDLE_VIRTUAL_DISPLAY=1 scripts/wine-session.sh "$work/wine" bash -c '
  helper=$1 work=$2
  for view in saver preview dialog; do
    report=$work/$view.report
    # Inside a Wine desktop the size of the display, Wine draws the window frames itself.
    /usr/lib/wine/wine64 explorer /desktop=Spindlewave,1920x1080 "$helper" "Z:${report//\//\\}" $view \
      >/dev/null 2>&1 </dev/null &
    pid=$!
    for _ in $(seq 600); do [ -s "$report" ] && break; sleep 0.1; done
    read -r state x y w h <"$report" 2>/dev/null || state=""
    if [ "$state" = ready ]; then
      import -window root -crop "${w}x${h}+${x}+${y}" +repage "$work/$view.png"
      echo "took $view (${w}x${h})"
    else
      echo "skipped $view: this build does not show it yet"
    fi
    touch "$report.done"
    for _ in $(seq 300); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
    kill $pid 2>/dev/null || true
  done
' screenshots "$helper" "$work"

# The full-screen saver at half size keeps the README light; the other two at their own size.
# -strip: no dates or other metadata, so an unchanged picture gives an unchanged file.
[ -f "$work/saver.png" ] && convert "$work/saver.png" -resize 50% -strip -quality 85 docs/images/saver.jpg
# Wine never shows a child window that belongs to another process, so the preview box stays empty in
# a screenshot; the README shows the picture the preview draws at its own size instead.
convert assets/preview/preview.jpg -strip docs/images/preview.png
[ -f "$work/dialog.png" ] && convert "$work/dialog.png" -strip docs/images/settings-dialog.png
ls -l docs/images/* 2>/dev/null || echo "no screenshots yet"
