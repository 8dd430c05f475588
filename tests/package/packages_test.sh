#!/usr/bin/env bash
# packages_test.sh PACKAGES_DIR SAVER_X64 SAVER_X86: the Windows Installer packages under Wine's msiexec,
# in a fresh prefix of their own (wine-session.sh), as our users' Windows 10 and 11 run them.
set -uo pipefail
packages=$1 saver_x64=$2 saver_x86=$3
here=$(cd "$(dirname "$0")" && pwd)
version=$(sed -n 's/^project(Spindlewave VERSION \([0-9.]*\).*/\1/p' "$here/../../CMakeLists.txt")
x64=$packages/Spindlewave-$version-x64.msi x86=$packages/Spindlewave-$version-x86.msi
wine=/usr/lib/wine/wine64 drive_c=$WINEPREFIX/drive_c system32=$WINEPREFIX/drive_c/windows/system32 failures=0
check() {  # check DESCRIPTION COMMAND...
  if "${@:2}"; then echo "   ok: $1"; else echo "   FAILED: $1"; failures=$((failures + 1)); fi
}
# msiexec /i|/x PACKAGE [LOG]: silent, as a deployment tool runs it.
msiexec() {
  (cd "$(dirname "$2")" && "$wine" msiexec "$1" "$(basename "$2")" /qn ${3:+/l*v "$3"} </dev/null >/dev/null 2>&1)
}
# The Uninstall entries of Spindlewave (both registry views), as "key|name|version|publisher" lines.
entries() {
  local view
  for view in Software Software\\Wow6432Node; do
    "$wine" reg query "HKLM\\$view\\Microsoft\\Windows\\CurrentVersion\\Uninstall" /s 2>/dev/null | tr -d '\r' | awk -v OFS='|' '
      /^HKEY/ { if (name == "Spindlewave") print key, name, version, publisher; key = $0; name = version = publisher = "" }
      $1 == "DisplayName" { name = $3 } $1 == "DisplayVersion" { version = $3 }
      $1 == "Publisher" { publisher = substr($0, index($0, "REG_SZ") + 10) }
      END { if (name == "Spindlewave") print key, name, version, publisher }'
  done
}
entry_count() { [ "$(entries | wc -l)" = "$1" ]; }
has_entry() { entries | grep -q -- "|Spindlewave|$1|The Spindlewave authors\$"; }

"$wine" reg add 'HKCU\Software\Wine' /v Version /d win10 /f >/dev/null 2>&1 </dev/null

echo "-- an older version, then this one over it"
work=$(mktemp -d) && trap 'rm -rf "$work"' EXIT
{ cat "$saver_x64"; printf 'older'; } >"$work/old.scr"
"$here/../../scripts/msi/make-msi.sh" x64 0.9.0 "$work/old.scr" "$work/Spindlewave-0.9.0-x64.msi"
check "the older package installs silently" msiexec /i "$work/Spindlewave-0.9.0-x64.msi"
check "its entry says 0.9.0" has_entry 0.9.0
check "this package installs silently over it" msiexec /i "$x64"
check "one entry is left, name, version $version and publisher" eval 'entry_count 1 && has_entry "$version"'
check "System32's Spindlewave.scr is the tested build" cmp -s "$system32/Spindlewave.scr" "$saver_x64"
key=$(entries | cut -d'|' -f1) && product=${key##*\\}
icon=$("$wine" reg query 'HKLM\Software\Classes\Installer\Products' /s 2>/dev/null | tr -d '\r' \
       | sed -n 's/^ *ProductIcon *REG_SZ *C:\\windows\\//p' | tr '\\' / | head -n1)
check "the entry's icon is the program's icon" cmp -s "$drive_c/windows/$icon" "$here/../../assets/Spindlewave.ico"
check "the entry links the project page" \
  eval '"$wine" reg query "$key" /v URLInfoAbout 2>/dev/null | grep -q "https://spindlewave.github.io/"'

echo "-- the installed saver, started by its bare name (Group Policy's SCRNSAVE.EXE)"
(cd / && exec "$wine" Spindlewave.scr /s </dev/null >/dev/null 2>&1) & saver_pid=$!
check "its window is on the screen" eval 'timeout 60 xdotool search --sync --onlyvisible --classname spindlewave.scr >/dev/null'
xdotool key space
check "a key ends it" timeout 30 tail --pid="$saver_pid" -f /dev/null
kill "$saver_pid" 2>/dev/null

echo "-- silent removal"
appdata=$("$wine" cmd /c echo %APPDATA% </dev/null 2>/dev/null | tr -d '\r')
own=$("$wine" winepath -u "$appdata" </dev/null 2>/dev/null)/Spindlewave
mkdir -p "$own" && printf '[Section]\r\n' >"$own/Spindlewave.ini"
check "the package is removed silently" msiexec /x "$x64"
check "Spindlewave.scr is gone from System32" test ! -e "$system32/Spindlewave.scr"
check "the entry is gone" entry_count 0
check "the user's own settings stay" test -f "$own/Spindlewave.ini"
check "the product's files are gone" test ! -e "$drive_c/windows/Installer/$product"

echo "-- the x86 package on this 64-bit system"
check "it stops" eval '! msiexec /i "$x86" "$work/x86.log"'
check "at its launch condition" grep -a -q 'LaunchConditions. Return value [^1]' "$work/x86.log"
check "and installs nothing" \
  eval '[ ! -e "$system32/Spindlewave.scr" ] && [ ! -e "$drive_c/windows/syswow64/Spindlewave.scr" ] && entry_count 0'
check "its message names the x64 package" \
  eval 'msiinfo export "$x86" LaunchCondition | grep -q "On 64-bit Windows install Spindlewave-$version-x64.msi"'
mkdir -p "$work/x86" && msiextract -C "$work/x86" "$x86" >/dev/null
check "it carries the tested x86 build" eval 'cmp -s "$(find "$work/x86" -iname Spindlewave.scr)" "$saver_x86"'

[ $failures -eq 0 ] || { echo "packages_test.sh: $failures failed"; exit 1; }
