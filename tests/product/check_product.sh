#!/usr/bin/env bash
# The shipped program's own limits, read from the file without running it,
# so they are checked wherever the build is, Wine or not:
#   check_product.sh PELMORA_EXE PAYLOAD_BYTESET OBJDUMP STRIP
# - at most 256 KiB once stripped and without the carried installer;
# - no import of shell32 or ole32 (loaded only by the calls that need them).
set -uo pipefail
exe=$1 payload=$2 objdump=$3 strip=$4
limit=$((256 * 1024))
status=0

stripped=$(mktemp)
trap 'rm -f "$stripped"' EXIT
"$strip" -o "$stripped" "$exe" || exit 1
bytes=$(( $(stat -c %s "$stripped") - $(stat -c %s "$payload") ))
if [ "$bytes" -le "$limit" ]; then
  echo "size without the installer: $bytes bytes (limit $limit)"
else
  echo "FAIL: size without the installer is $bytes bytes, over $limit"; status=1
fi

imports=$("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z')
[ -n "$imports" ] || { echo "FAIL: no import table read"; exit 1; }
echo "imports:" $imports
for late in shell32.dll ole32.dll oleaut32.dll; do
  if grep -qx "$late" <<<"$imports"; then
    echo "FAIL: imports $late, which must be loaded only when needed"; status=1
  fi
done
exit $status
