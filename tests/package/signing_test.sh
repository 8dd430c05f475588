#!/usr/bin/env bash
# signing_test.sh SAVER_X64 SAVER_X86 WORKDIR: a signed release with a throwaway certificate made here
# (never one of the project's).
set -uo pipefail
saver_x64=$(realpath "$1") saver_x86=$(realpath "$2") work=$(realpath -m "$3")
root=$(cd "$(dirname "$0")/../.." && pwd)
version=$(sed -n 's/^project(Spindlewave VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
name=Spindlewave-$version failures=0
check() {  # check DESCRIPTION COMMAND...
  if "${@:2}"; then echo "   ok: $1"; else echo "   FAILED: $1"; failures=$((failures + 1)); fi
}
verifies() { osslsigncode verify -CAfile "$work/cert.pem" -in "$1" >"$work/verify.log" 2>&1; }

rm -rf "$work" && mkdir -p "$work"
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Spindlewave test signer" \
  -addext extendedKeyUsage=codeSigning -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null
for run in a b; do
  SPINDLE_SIGN_CERT=$work/cert.pem SPINDLE_SIGN_KEY=$work/key.pem "$root/scripts/release.sh" --x64 "$saver_x64" \
    --x86 "$saver_x86" --out "$work/$run" >"$work/$run.log" 2>&1 || { cat "$work/$run.log"; exit 1; }
done
check "the signed run does not say unsigned" eval '! grep -q "not signed" "$work/a.log"'
for file in "$name.zip" "$name-x64.msi" "$name-x86.msi"; do
  check "two signed runs give the same $file" cmp -s "$work/a/$file" "$work/b/$file"
done
unzip -q "$work/a/$name.zip" -d "$work/zip"
for arch in x64 x86; do
  scr=$work/zip/$name/$arch/Spindlewave.scr
  check "$arch/Spindlewave.scr verifies" verifies "$scr"
  check "$name-$arch.msi verifies" verifies "$work/a/$name-$arch.msi"
  mkdir -p "$work/msi-$arch" && msiextract -C "$work/msi-$arch" "$work/a/$name-$arch.msi" >/dev/null
  check "$name-$arch.msi carries the signed program" cmp -s "$(find "$work/msi-$arch" -iname Spindlewave.scr)" "$scr"
done
check "the tested builds themselves are left unsigned" eval '! verifies "$saver_x64" && ! verifies "$saver_x86"'
check "SHA256SUMS names the signed programs" eval '(cd "$work/zip/$name" && sha256sum --quiet --strict -c SHA256SUMS)'

# A certificate without its key (or the other way round) is a mistake, not an unsigned release.
check "a certificate without a key is refused, nothing written" eval 'SPINDLE_SIGN_CERT=$work/cert.pem \
  "$root/scripts/release.sh" --x64 "$saver_x64" --x86 "$saver_x86" --out "$work/half" >/dev/null 2>&1
  [ $? -eq 2 ] && [ ! -e "$work/half" ]'

rm -f "$work/key.pem"
[ $failures -eq 0 ] || { echo "signing_test.sh: $failures failed"; exit 1; }
