#!/usr/bin/env bash
# check-hardening.sh FILE: the PE file is loaded at a random address (ASLR: DYNAMIC_BASE, with the
# relocations that make it possible), its data is never executed (DEP: NX_COMPAT), and a 64-bit file
# takes the full 64-bit range of addresses (HIGH_ENTROPY_VA).
set -euo pipefail
file=$1
headers=$(objdump -p "$file")
flags=$(awk '/^DllCharacteristics/ {print $2}' <<<"$headers")
magic=$(awk '/^Magic/ {print $2}' <<<"$headers")
characteristics=$(awk '/^Characteristics/ {print $2}' <<<"$headers")
[ -n "$flags" ] && [ -n "$magic" ] && [ -n "$characteristics" ] || { echo "no PE headers in $file"; exit 1; }
status=0
need() {  # need BIT NAME
  if (( (16#$flags & $1) == 0 )); then echo "missing $2"; status=1; fi
}
need 0x40 "DYNAMIC_BASE (ASLR)"
need 0x100 "NX_COMPAT (DEP)"
[ "$magic" = 020b ] && need 0x20 "HIGH_ENTROPY_VA (64-bit ASLR)"
if (( characteristics & 0x1 )) || ! grep -q 'Base Relocation Directory \[' <<<"$headers"; then
  echo "no relocations: the file cannot be moved, whatever DYNAMIC_BASE says"
  status=1
fi
echo "DllCharacteristics of $(basename "$file"): $flags ($([ "$magic" = 020b ] && echo PE32+ || echo PE32))"
exit $status
