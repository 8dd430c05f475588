#!/usr/bin/env bash
# check-imports.sh FILE: the PE file imports only from KnownDLLs. Windows takes those from System32
# alone; any other DLL it looks for beside the program first, and a .scr is run from where it was
# downloaded. The list holds the KnownDLLs of every Windows from 7 to 11 (ntdll is always the system's).
set -euo pipefail
file=$1
known='^(advapi32|clbcatq|comdlg32|difxapi|gdi32|imagehlp|imm32|kernel32|msctf|msvcrt|normaliz|nsi|ntdll|ole32|oleaut32|psapi|rpcrt4|sechost|setupapi|shell32|shlwapi|user32|wldap32|ws2_32)\.dll$'
dlls=$(objdump -p "$file" | awk '/DLL Name:/ {print tolower($3)}' | sort -u)
[ -n "$dlls" ] || { echo "no imports found in $file"; exit 1; }
status=0
for dll in $dlls; do
  if [[ ! $dll =~ $known ]]; then
    echo "not a KnownDLL (would be looked for beside the program first): $dll"
    status=1
  fi
done
echo "imports of $(basename "$file"): $(echo $dlls)"
exit $status
