#!/usr/bin/env bash
# check-imports.sh FILE: the PE file imports only from system DLLs (static runtime, no DLL of ours).
set -euo pipefail
file=$1
allowed='^(kernel32|user32|gdi32|winmm|dwmapi|comdlg32|shell32|msimg32|ole32|oleaut32|windowscodecs|advapi32|comctl32|msvcrt|api-ms-win-crt-[a-z0-9-]+)\.dll$'
dlls=$(objdump -p "$file" | awk '/DLL Name:/ {print tolower($3)}' | sort -u)
[ -n "$dlls" ] || { echo "no imports found in $file"; exit 1; }
status=0
for dll in $dlls; do
  if [[ ! $dll =~ $allowed ]]; then
    echo "not a system DLL: $dll"
    status=1
  fi
done
echo "imports of $(basename "$file"): $(echo $dlls)"
exit $status
