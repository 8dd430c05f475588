#!/usr/bin/env bash
# wine-session.sh PREFIX_DIR COMMAND...
# Runs COMMAND with a private Wine prefix, a persistent wineserver, a display (the current one, or
# a virtual one with the openbox window manager, as every real desktop has one) and sound captured
# to a file instead of a device. Cleans up after.
#   SPINDLE_VIRTUAL_DISPLAY=1   use a virtual display even when DISPLAY is set
#   SPINDLE_SCREEN=WxHxD        the virtual display's size (default 1920x1080x24)
#   SPINDLE_DISPLAY=NAME        instead, an Xorg display with the monitors of scripts/xorg/NAME.conf
#                               (two-monitors: 1024x768 primary and 800x600 to its right;
#                               two-monitors-1080: two 1920x1080 side by side)
set -uo pipefail

prefix_dir=$(realpath -m "$1")
shift
mkdir -p "$prefix_dir"

export WINEPREFIX="$prefix_dir/prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

# Sound without hardware: everything Wine plays goes through ALSA's file plugin into a raw file.
export SPINDLE_SOUND_CAPTURE="$prefix_dir/sound-capture.raw"
cat >"$prefix_dir/asound.conf" <<ALSA
pcm.!default {
  type file
  slave.pcm "null"
  file "$SPINDLE_SOUND_CAPTURE"
  format "raw"
}
ctl.!default { type hw card 0 }
ALSA
export ALSA_CONFIG_PATH="/usr/share/alsa/alsa.conf:$prefix_dir/asound.conf"

server_pid="" wm_pid=""
if [ -z "${DISPLAY:-}" ] || [ -n "${SPINDLE_VIRTUAL_DISPLAY:-}" ] || [ -n "${SPINDLE_DISPLAY:-}" ]; then
  # The X server picks a free display number itself and writes it to the given descriptor.
  display_file="$prefix_dir/display.$$"
  rm -f "$display_file"
  if [ -n "${SPINDLE_DISPLAY:-}" ]; then
    # Several monitors: Xorg's dummy driver gives each its RandR output, which Wine lists as a monitor.
    config="$(cd "$(dirname "$0")" && pwd)/xorg/$SPINDLE_DISPLAY.conf"
    [ -f "$config" ] || { echo "wine-session.sh: no display $config" >&2; exit 2; }
    Xorg -displayfd 3 -config "$config" -noreset -nolisten tcp -novtswitch -sharevts \
      -logfile "$prefix_dir/xorg.log" 3>"$display_file" >/dev/null 2>&1 &
  else
    Xvfb -displayfd 3 -screen 0 "${SPINDLE_SCREEN:-1920x1080x24}" -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
  fi
  server_pid=$!
  for _ in $(seq 100); do
    [ -s "$display_file" ] && break
    sleep 0.1
  done
  export DISPLAY=":$(head -n1 "$display_file")"
  rm -f "$display_file"
  if [ -n "${SPINDLE_DISPLAY:-}" ]; then
    monitors=$(grep -c '^Section "Monitor"' "$config")
    for _ in $(seq 100); do
      [ "$(xrandr --listmonitors 2>/dev/null | head -n1)" = "Monitors: $monitors" ] && break
      sleep 0.05
    done
  fi
  # Without a window manager Wine waits about 2 s in DestroyWindow for one, so every window's end
  # would be slow. Ready once it has announced itself on the root window.
  openbox --sm-disable >/dev/null 2>&1 &
  wm_pid=$!
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.05
  done
fi

cleanup() {
  /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
  [ -n "$wm_pid" ] && kill "$wm_pid" >/dev/null 2>&1
  [ -n "$server_pid" ] && kill "$server_pid" >/dev/null 2>&1
  return 0
}
trap cleanup EXIT

# A prefix made before the 32-bit loader was installed has no syswow64 and cannot start PE32
# programs: make it again.
if [ -f "$WINEPREFIX/system.reg" ] && [ -x /usr/lib/wine/wine ] && [ ! -d "$WINEPREFIX/drive_c/windows/syswow64" ]; then
  /usr/lib/wine/wineserver -k >/dev/null 2>&1
  rm -rf "$WINEPREFIX" "$prefix_dir/fonts-substituted"
fi
# First start creates the prefix; then a persistent server and Wine's own services, started
# once with their output sent away, so each test process starts quickly and no service holds
# CTest's output pipes open.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1 </dev/null
  /usr/lib/wine/wineserver -w
fi
# Wine has no "ＭＳ Ｐゴシック"; the proportional IPA Gothic stands in for it, as the closest match.
if [ ! -f "$prefix_dir/fonts-substituted" ]; then
  LC_ALL=C.UTF-8 /usr/lib/wine/wine64 reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
    /v 'ＭＳ Ｐゴシック' /d 'IPAPGothic' /f >/dev/null 2>&1 </dev/null && touch "$prefix_dir/fonts-substituted"
fi
# Our users run Windows 10 and 11, where desktop composition is always on; Wine's default prefix
# reports Windows 7, where it is off and the frames take another path. (A test that wants the
# Windows 7 path names its own program under HKCU\Software\Wine\AppDefaults.)
if [ ! -f "$WINEPREFIX/.spindle-windows-10" ]; then
  /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine' /v Version /d win10 /f >/dev/null 2>&1 </dev/null \
    && touch "$WINEPREFIX/.spindle-windows-10"
fi
/usr/lib/wine/wineserver -p
/usr/lib/wine/wine64 cmd /c exit >/dev/null 2>&1 </dev/null

"$@"
