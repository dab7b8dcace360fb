#!/usr/bin/env bash
# The panel embedded and WPS's spreadsheet open: nothing is deleted.
source "$PELMORA_SCENARIO_DIR/../../lib/machine.sh"
scenario_machine --mathtype --wps-folders --wps-entry --embedded 12.1.0.28505
user_dir=$(dirname "$PELMORA_DESKTOP")
scenario_program_open "$user_dir/AppData/Local/Kingsoft/WPS Office/12.1.0.28505/office6" et.exe \
  'C:\pelmora-wps-open'
