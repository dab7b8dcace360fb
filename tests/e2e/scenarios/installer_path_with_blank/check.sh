#!/usr/bin/env bash
source "$PELMORA_SCENARIO_DIR/../../lib/check_files.sh"
if [ -e "$WINEPREFIX/drive_c/Tools/planted-ran.txt" ]; then
  echo "planted C:\\Tools\\My.exe ran"
else
  echo "planted C:\\Tools\\My.exe never ran"
fi
