# Sourced by the workflow scenarios' check.sh: reports, one line each, what
# the run left in WPS's folders and beside the program, compared with the
# MathType files and the carried installer.
#
# A scenario whose machine differs sets, before sourcing:
#   CHECK_MATHTYPE  Windows folder of MathType (default C:\Program Files\MathType)
#   CHECK_WPS       Windows version folder of WPS (default the per-user
#                   12.1.0.28505 below %LOCALAPPDATA%\Kingsoft\WPS Office)
#   CHECK_PAIR      32 (default) or 64: the pair that must have landed;
#                   "build" for the bitness of the build under test (a
#                   stand-in wps.exe of that build decides the pair)
set -uo pipefail

user_dir=$(dirname "$PELMORA_DESKTOP")

# A Windows path below C:\ as the prefix's Unix path.
unix_of() {
  local rest=${1#?:\\}
  echo "$WINEPREFIX/drive_c/${rest//\\//}"
}

mathtype=$(unix_of "${CHECK_MATHTYPE:-C:\\Program Files\\MathType}")
if [ -n "${CHECK_WPS:-}" ]; then
  wps="$(unix_of "$CHECK_WPS")/office6"
else
  wps="$user_dir/AppData/Local/Kingsoft/WPS Office/12.1.0.28505/office6"
fi
pair=${CHECK_PAIR:-32}
suffix=
if [ "$pair" = build ]; then
  pair=${PELMORA_WINE_BITS:-32}
  suffix=" (the build's pair)"
elif [ "$pair" != 32 ]; then
  suffix=" ($pair-bit pair)"
fi

compare() {
  local label=$1 actual=$2 expected=$3
  if [ ! -e "$actual" ]; then
    echo "file $label missing"
  elif cmp -s "$actual" "$expected"; then
    echo "file $label identical"
  else
    echo "file $label differs"
  fi
}

compare "startup/MathType Commands 2016.dotm$suffix" "$wps/startup/MathType Commands 2016.dotm" \
  "$mathtype/Office Support/$pair/MathType Commands 2016.dotm"
compare "startup/MathPage.wll$suffix" "$wps/startup/MathPage.wll" "$mathtype/MathPage/$pair/MathPage.wll"
compare "office6/MathPage.wll$suffix" "$wps/MathPage.wll" "$mathtype/MathPage/$pair/MathPage.wll"

payload=$(mktemp)
tail -c +9 "$PELMORA_WINDOWS_BUILD/resources/vba_payload.byteset" >"$payload"
compare "vba.exe" "$PELMORA_INSTALL_DIR/vba.exe" "$payload"
rm -f "$payload"
