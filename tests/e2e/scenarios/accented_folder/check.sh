#!/usr/bin/env bash
# vba.exe must land beside the program, not one folder up.
source "$PELMORA_SCENARIO_DIR/../../lib/check_files.sh"
if [ -e "$WINEPREFIX/drive_c/Tools/vba.exe" ]; then
  echo "vba.exe also written in C:\\Tools"
else
  echo "nothing written in C:\\Tools"
fi
