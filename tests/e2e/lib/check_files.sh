# Sourced by the workflow scenarios' check.sh: reports, one line each, what
# the run left in WPS's folders and beside the program, compared with the
# MathType files and the carried installer.
set -uo pipefail

user_dir=$(dirname "$PELMORA_DESKTOP")
mathtype="$WINEPREFIX/drive_c/Program Files/MathType"
wps="$user_dir/AppData/Local/Kingsoft/WPS Office/12.1.0.28505/office6"

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

compare "startup/MathType Commands 2016.dotm" "$wps/startup/MathType Commands 2016.dotm" \
  "$mathtype/Office Support/32/MathType Commands 2016.dotm"
compare "startup/MathPage.wll" "$wps/startup/MathPage.wll" "$mathtype/MathPage/32/MathPage.wll"
compare "office6/MathPage.wll" "$wps/MathPage.wll" "$mathtype/MathPage/32/MathPage.wll"

payload=$(mktemp)
tail -c +9 "$PELMORA_WINDOWS_BUILD/resources/vba_payload.byteset" >"$payload"
compare "vba.exe" "$PELMORA_INSTALL_DIR/vba.exe" "$payload"
rm -f "$payload"
