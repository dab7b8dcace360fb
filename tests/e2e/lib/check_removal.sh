# Sourced by the removal scenarios' check.sh: lists, one line each, every
# file left in the office6 folders of WPS's version folders and in
# MathType's folder, so the transcript shows what the removal took away
# and what it left alone.
#
# A scenario whose machine differs sets, before sourcing:
#   CHECK_WPS_ROOT  Windows folder above WPS's version folders (default the
#                   per-user %LOCALAPPDATA%\Kingsoft\WPS Office)
#   CHECK_MATHTYPE  Windows folder of MathType (default C:\Program Files\MathType)
set -uo pipefail

user_dir=$(dirname "$PELMORA_DESKTOP")

# A Windows path below C:\ as the prefix's Unix path.
unix_of() {
  local rest=${1#?:\\}
  echo "$WINEPREFIX/drive_c/${rest//\\//}"
}

if [ -n "${CHECK_WPS_ROOT:-}" ]; then
  wps_root=$(unix_of "$CHECK_WPS_ROOT")
else
  wps_root="$user_dir/AppData/Local/Kingsoft/WPS Office"
fi
mathtype=$(unix_of "${CHECK_MATHTYPE:-C:\\Program Files\\MathType}")

if [ -d "$wps_root" ]; then
  (cd "$wps_root" && find . -path '*/office6/*' -type f | sed 's|^\./||' | LC_ALL=C sort) |
    sed 's/^/wps /'
fi
if [ -d "$mathtype" ]; then
  (cd "$mathtype" && find . -type f | sed 's|^\./||' | LC_ALL=C sort) | sed 's/^/mathtype /'
fi
