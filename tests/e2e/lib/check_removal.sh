# Sourced by the removal scenarios' check.sh: lists, one line each, every
# file left in the office6 folders of WPS's version folders and in
# MathType's folder, so the transcript shows what the removal took away
# and what it left alone.
set -uo pipefail

user_dir=$(dirname "$PELMORA_DESKTOP")
wps_root="$user_dir/AppData/Local/Kingsoft/WPS Office"
mathtype="$WINEPREFIX/drive_c/Program Files/MathType"

if [ -d "$wps_root" ]; then
  (cd "$wps_root" && find . -path '*/office6/*' -type f | sed 's|^\./||' | LC_ALL=C sort) |
    sed 's/^/wps /'
fi
if [ -d "$mathtype" ]; then
  (cd "$mathtype" && find . -type f | sed 's|^\./||' | LC_ALL=C sort) | sed 's/^/mathtype /'
fi
