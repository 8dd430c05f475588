#!/usr/bin/env bash
# make-msi.sh ARCH VERSION SAVER OUT.msi
# Builds the Windows Installer package of one Spindlewave.scr (ARCH x64 or x86) with msitools'
# wixl. Reproducible: the product code comes from the architecture and version, the package code
# from those and the content, and every time from SOURCE_DATE_EPOCH (the last commit's when unset).
set -euo pipefail
[ $# -eq 4 ] || { echo "usage: $0 x64|x86 VERSION SAVER OUT.msi" >&2; exit 2; }
arch=$1 version=$2 saver=$3 out=$(realpath -m "$4")
case $arch in x64|x86) ;; *) echo "make-msi.sh: no architecture $arch" >&2; exit 2 ;; esac
here=$(cd "$(dirname "$0")" && pwd)
epoch=${SOURCE_DATE_EPOCH:-$(git -C "$here" log -1 --format=%ct 2>/dev/null || echo 1796083200)}

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$here/Spindlewave.wxs" "$stage/"
cp "$saver" "$stage/Spindlewave.scr"
cp "$here/../../assets/Spindlewave.ico" "$stage/"
# The cabinet keeps each file's time.
touch -d "@$epoch" "$stage"/*

# Name-based GUIDs in the project's own namespace.
guid() { /usr/bin/python3 -c 'import sys, uuid; print(str(uuid.uuid5(uuid.UUID("5BC9B765-D475-4D03-824A-1A85F681F6DD"), sys.argv[1])).upper())' "$1"; }
content=$(cd "$stage" && cat Spindlewave.wxs Spindlewave.scr Spindlewave.ico | sha256sum | cut -d' ' -f1)
product_code=$(guid "product $arch $version")
package_code=$(guid "package $arch $version $content")

(cd "$stage" && wixl -a "$arch" -D Arch="$arch" -D Version="$version" -D ProductCode="$product_code" \
   -D Saver=Spindlewave.scr -D Icon=Spindlewave.ico -o package.msi Spindlewave.wxs)
/usr/bin/python3 "$here/fix-summary.py" "$stage/package.msi" "$package_code" "$epoch"
mkdir -p "$(dirname "$out")"
mv "$stage/package.msi" "$out"
