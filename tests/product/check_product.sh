#!/usr/bin/env bash
# The shipped program's own limits, read from the file without running it,
# so they are checked wherever the build is, Wine or not:
#   check_product.sh PELMORA_EXE PAYLOAD_BYTESET OBJDUMP STRIP
# - at most 256 KiB once stripped and without the carried installer;
# - no import of shell32, ole32 or oleaut32 (loaded only by the calls that
#   need them);
# - every import a known system library (KnownDLLs), which Windows maps
#   from the system folder whatever lies beside the program: it runs
#   elevated, and any other name is looked for in its folder first.
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

# Windows 10's KnownDLLs, and the API sets and kernelbase the system's own
# libraries resolve through.
known=(advapi32 clbcatq combase comdlg32 coml2 difxapi gdi32 gdiplus imagehlp imm32 kernel32
  msctf msvcrt normaliz nsi ole32 oleaut32 psapi rpcrt4 sechost setupapi shcore shell32 shlwapi
  user32 wldap32 wow64 wow64win ws2_32 ntdll kernelbase)
for dll in $imports; do
  base=${dll%.dll}
  [[ " ${known[*]} " == *" $base "* || $base == api-ms-win-* ]] && continue
  echo "FAIL: imports $dll, which is no known system library"; status=1
done
exit $status
