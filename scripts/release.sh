#!/usr/bin/env bash
# The release command: builds both Windows configurations and writes to dist/
#   Spindlewave-<version>.zip       x64/ and x86/ Spindlewave.scr, the Japanese user guide, the licence
#                                   and SHA256SUMS;
#   Spindlewave-<version>-x64.msi   Windows Installer packages that put Spindlewave.scr into System32
#   Spindlewave-<version>-x86.msi   per machine (scripts/msi/);
# each with a .sha256 file. Reproducible: the same sources give the same bytes (fixed times, sorted
# names, no extra fields, package codes from the content).
# With SPINDLE_SIGN_CERT and SPINDLE_SIGN_KEY (PEM files) both .scr files and both packages are
# Authenticode-signed (SHA-256, osslsigncode) with the same fixed time, so a signed release is
# reproducible too.
#
#   scripts/release.sh                      clean product builds in build/release-x64, build/release-x86
#   scripts/release.sh --out DIR            write to DIR instead of dist/
#   scripts/release.sh --x64 F --x86 F      package already built files (the test command does this)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

out=dist
scr_x64=""
scr_x86=""
while [ $# -gt 0 ]; do
  case $1 in
    --out) out=$2; shift 2 ;;
    --x64) scr_x64=$2; shift 2 ;;
    --x86) scr_x86=$2; shift 2 ;;
    *) echo "usage: $0 [--out DIR] [--x64 FILE --x86 FILE]" >&2; exit 2 ;;
  esac
done
if { [ -n "$scr_x64" ] && [ -z "$scr_x86" ]; } || { [ -z "$scr_x64" ] && [ -n "$scr_x86" ]; }; then
  echo "give both --x64 and --x86, or neither" >&2
  exit 2
fi

version=$(sed -n 's/^project(Spindlewave VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "no version in CMakeLists.txt" >&2; exit 1; }
name=Spindlewave-$version

# Every file in the zip and the packages carries this time, and so do the signatures: the last
# commit's, or the release date outside git.
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || echo 1796083200)}

sign_cert=${SPINDLE_SIGN_CERT:-} sign_key=${SPINDLE_SIGN_KEY:-}
if { [ -n "$sign_cert" ] && [ -z "$sign_key" ]; } || { [ -z "$sign_cert" ] && [ -n "$sign_key" ]; }; then
  echo "set both SPINDLE_SIGN_CERT and SPINDLE_SIGN_KEY, or neither" >&2
  exit 2
fi
# Signs FILE in place. A timestamp server would add the clock's time; the fixed time keeps the bytes.
sign() {
  osslsigncode sign -certs "$sign_cert" -key "$sign_key" -h sha256 -st "$SOURCE_DATE_EPOCH" \
    -n Spindlewave -i https://spindlewave.github.io/ -in "$1" -out "$1.signed" >/dev/null
  mv "$1.signed" "$1"
}

if [ -z "$scr_x64" ]; then
  bash scripts/install-deps.sh
  for arch in x64:x86_64 x86:i686; do
    dir=build/release-${arch%%:*}
    echo "== build $dir"
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DSPINDLE_BUILD_TESTS=OFF \
          -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchains/mingw-${arch##*:}.cmake" >/dev/null
    # The resource compiler reports no dependencies to the build tool: recompile the resource
    # script every time, so a changed picture or icon is never left out of a release.
    find "$dir" -name '*.rc.res' -delete
    cmake --build "$dir" --target Spindlewave
  done
  scr_x64=build/release-x64/Spindlewave.scr
  scr_x86=build/release-x86/Spindlewave.scr
fi

# A release never ships a file that fails the built-file checks.
for pair in "$scr_x64:x86_64" "$scr_x86:i386"; do
  file=${pair%:*}
  python3 scripts/check-resources.py "$file" "${pair##*:}" >/dev/null \
    || { python3 scripts/check-resources.py "$file" "${pair##*:}"; exit 1; }
  scripts/check-imports.sh "$file" >/dev/null || { scripts/check-imports.sh "$file"; exit 1; }
  scripts/check-hardening.sh "$file" >/dev/null || { scripts/check-hardening.sh "$file"; exit 1; }
done

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
package=$stage/$name
mkdir -p "$package/x64" "$package/x86"
cp "$scr_x64" "$package/x64/Spindlewave.scr"
cp "$scr_x86" "$package/x86/Spindlewave.scr"
if [ -n "$sign_cert" ]; then
  sign "$package/x64/Spindlewave.scr"
  sign "$package/x86/Spindlewave.scr"
fi
# Texts for Windows: CRLF line ends; the guide in UTF-8 with a byte-order mark, so that Notepad
# of every Windows version reads it as UTF-8.
{ printf '\xef\xbb\xbf'; sed 's/\r*$/\r/' docs/ja/README-ja.txt; } >"$package/README-ja.txt"
sed 's/\r*$/\r/' LICENSE >"$package/LICENSE.txt"
(cd "$package" && find . -type f ! -name SHA256SUMS | sed 's|^\./||' | LC_ALL=C sort \
   | xargs sha256sum >SHA256SUMS)

find "$package" -type d -exec chmod 755 {} +
find "$package" -type f -exec chmod 644 {} +
find "$stage" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +

mkdir -p "$out"
zip_path=$(realpath -m "$out/$name.zip")
rm -f "$zip_path"
# -X: no extra fields (owners, high-resolution times); -D: no directory entries; names in byte order.
# TZ=UTC: zip stores local time, so the time zone must not leak into the archive.
(cd "$stage" && find "$name" -type f | LC_ALL=C sort | TZ=UTC zip -X -D -q -9 "$zip_path" -@)

# The packages carry the same (signed) files as the zip.
for arch in x64 x86; do
  msi=$(dirname "$zip_path")/$name-$arch.msi
  scripts/msi/make-msi.sh "$arch" "$version" "$package/$arch/Spindlewave.scr" "$msi"
  [ -z "$sign_cert" ] || sign "$msi"
done

cd "$(dirname "$zip_path")"
for file in "$name.zip" "$name-x64.msi" "$name-x86.msi"; do
  sha256sum "$file" >"$file.sha256"
  echo "release: $PWD/$file"
done
cat "$name.zip.sha256" "$name-x64.msi.sha256" "$name-x86.msi.sha256"
[ -n "$sign_cert" ] || echo "release: not signed (set SPINDLE_SIGN_CERT and SPINDLE_SIGN_KEY to sign)"
