#!/usr/bin/env bash
# Signs a release with a throw-away certificate made here, checks that the
# signature verifies and that changing one byte of the signed program makes
# verification fail; then checks that a release whose signature does not
# verify is refused.
set -uo pipefail
src=$(cd "${1:-$(dirname "$0")/../..}" && pwd)
source "$(dirname "$0")/common.sh"
work=$(mktemp -d /tmp/pelmora-sign.XXXXXX)
trap 'rm -rf "$work"' EXIT

keys=$work/keys
mkdir -p "$keys"
make_certificate() {  # make_certificate NAME: NAME.pem and NAME.key, key under a password
  openssl req -x509 -newkey rsa:2048 -sha256 -days 2 -subj "/CN=Pelmora test signer $1" \
    -addext "keyUsage=critical,digitalSignature" -addext "extendedKeyUsage=codeSigning" \
    -passout pass:throw-away -keyout "$keys/$1.key" -out "$keys/$1.pem" 2>/dev/null
}
make_certificate signer || { echo "openssl could not make a certificate"; exit 1; }
make_certificate stranger || exit 1

tree=$work/tree
copy_tree "$src" "$tree"
version=$(project_version "$src")
release() {
  (cd "$tree" && SOURCE_DATE_EPOCH=$(commit_epoch "$src") PELMORA_SIGN_CERT="$keys/signer.pem" \
     PELMORA_SIGN_KEY="$keys/signer.key" PELMORA_SIGN_PASSWORD=throw-away env "$@" bash scripts/release)
}

release PELMORA_SIGN_CA="$keys/signer.pem" >"$work/signed.log" 2>&1
status=$?
cat "$work/signed.log"
check "a release with a certificate succeeds" test "$status" -eq 0
check "it reports the program as signed" grep -q "pelmora.exe is signed and its signature verifies" "$work/signed.log"
check "the password is not left in the build or the release" \
  bash -c "test -f '$tree/dist/pelmora.exe' && ! grep -rq throw-away '$tree/build/release' '$tree/dist'"

signed=$tree/dist/pelmora.exe
osslsigncode verify -in "$signed" -CAfile "$keys/signer.pem" >"$work/verify.txt" 2>&1
status=$?
check "osslsigncode verifies the signed program" test "$status" -eq 0
check "the signature is by the throw-away certificate" grep -q "Pelmora test signer signer" "$work/verify.txt"
check "the zip carries the signed program" \
  bash -c "unzip -p '$tree/dist/pelmora-$version.zip' pelmora.exe | cmp -s - '$signed'"
check "SHA256SUMS holds the signed program's digest" bash -c "cd '$tree/dist' && sha256sum --quiet -c SHA256SUMS"
osslsigncode remove-signature -in "$signed" -out "$work/unsigned.exe" >/dev/null 2>&1
check "without its signature the program is the reproducible build" \
  cmp "$work/unsigned.exe" "$tree/build/release/app/pelmora.exe"

# One byte of the code, well inside .text, changed.
text_offset=$(i686-w64-mingw32-objdump -h "$signed" | awk '$2 == ".text" {print $6; exit}')
check "the program has a .text section" test -n "$text_offset"
cp "$signed" "$work/tampered.exe"
offset=$((16#${text_offset:-0} + 0x200))
byte=$(od -An -tu1 -j "$offset" -N1 "$signed" | tr -d ' ')
printf "$(printf '\\%03o' $(( (byte + 1) % 256 )))" |
  dd of="$work/tampered.exe" bs=1 seek="$offset" conv=notrunc status=none
one_byte=$(cmp -l "$signed" "$work/tampered.exe" 2>/dev/null | wc -l)
check "exactly one byte differs" test "$one_byte" -eq 1
osslsigncode verify -in "$work/tampered.exe" -CAfile "$keys/signer.pem" >"$work/tampered.txt" 2>&1
status=$?
check "verification fails after one byte is changed" test "$one_byte" -eq 1 -a "$status" -ne 0
check "osslsigncode names the digest mismatch" grep -qi "mismatch" "$work/tampered.txt"

# A signature that does not verify (here: against another certificate
# authority) stops the release before anything is packed.
release PELMORA_SIGN_CA="$keys/stranger.pem" >"$work/refused.log" 2>&1
status=$?
check "a signature that does not verify fails the release" test "$status" -ne 0
check "for that reason" grep -q "the signature does not verify" "$work/refused.log"
check "and nothing is packed" test -f "$tree/build/release/app/pelmora.exe" -a ! -e "$tree/dist/pelmora-$version.zip"
tail -3 "$work/refused.log"

echo "$failures failed"
[ "$failures" -eq 0 ]
