#!/usr/bin/env bash
# WPS's spreadsheet open: the run does not wait and leaves WPS alone.
source "$PELMORA_SCENARIO_DIR/../../lib/machine.sh"
source "$PELMORA_SCENARIO_DIR/../../lib/unchanged.sh"
scenario_machine --mathtype --wps-folders --wps-entry
user_dir=$(dirname "$PELMORA_DESKTOP")
scenario_program_open "$user_dir/AppData/Local/Kingsoft/WPS Office/12.1.0.28505/office6" et.exe \
  'C:\pelmora-wps-open'
scenario_snapshot
