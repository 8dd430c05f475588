#!/usr/bin/env bash
# Installs everything the build and the test tiers need on a fresh Debian machine. Idempotent.
# The 32-bit Wine loader (wine32:i386) runs the i686 build; it needs the i386 architecture.
set -euo pipefail

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo

packages=(
  cmake ninja-build g++ googletest clang libclang-rt-14-dev
  g++-mingw-w64-x86-64 g++-mingw-w64-i686 mingw-w64-tools binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
  wine64 xvfb xdotool x11-utils imagemagick fonts-ipafont-gothic locales openbox
  xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils
  sox lame libsox-fmt-mp3
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-ugly gstreamer1.0-libav
  xplanet-images zip unzip python3
  wixl msitools python3-olefile osslsigncode openssl   # the release's packages and signatures
)

# The 32-bit loader is only useful where the kernel runs i386 programs.
if bash "$(dirname "$0")/can-run-32bit.sh"; then
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
  fi
  # The 32-bit loader plays MP3 through 32-bit GStreamer.
  packages+=(wine32:i386 gstreamer1.0-plugins-base:i386 gstreamer1.0-plugins-good:i386
            gstreamer1.0-plugins-ugly:i386 gstreamer1.0-libav:i386)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Wine runs some tests as a Japanese system (ANSI code page 932).
if ! locale -a 2>/dev/null | grep -qi '^ja_JP.utf8$'; then
  $SUDO localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi
