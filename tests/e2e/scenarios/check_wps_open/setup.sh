#!/usr/bin/env bash
# The panel embedded, and WPS left open: a stand-in et.exe (WPS's
# spreadsheet) runs from the version folder's office6 until the script
# deletes C:\pelmora-wps-open. Not wps.exe: the stand-in has the bitness of
# the build under test, and wps.exe's bitness picks the pair the report
# compares with.
source "$PELMORA_SCENARIO_DIR/../../lib/machine.sh"
source "$PELMORA_SCENARIO_DIR/../../lib/unchanged.sh"
scenario_machine --mathtype --wps-folders --wps-entry --embedded 12.1.0.28505 --embedded-pair 32
user_dir=$(dirname "$PELMORA_DESKTOP")
scenario_program_open "$user_dir/AppData/Local/Kingsoft/WPS Office/12.1.0.28505/office6" et.exe \
  'C:\pelmora-wps-open'
scenario_snapshot
